#include "engine/comm/HostMessage.h"

namespace comm
{
HostMessage HostMessage::fromStrings (int messageId, juce::StringRef typeString, juce::StringRef dataString)
{
    return {strToType (typeString), messageId, juce::String (dataString)};
}

HostMessage::Type HostMessage::strToType (juce::StringRef typeString)
{
    static const std::pair<const char*, Type> table[] = {
        {"USER_TRIGGER", Type::userTrigger},
        {"START_COMM", Type::startComm},
        {"OPEN", Type::open},
        {"RE_EXPAND_REGION", Type::reExpandRegion},
        {"RE_TEST_PLUGIN_KEY", Type::reTestPluginKey},
        {"REFRESH", Type::refresh},
        {"RE_RESTORE_HOST_NODE", Type::reRestoreHostNode},
        {"RE_PLAY_LINE_POS", Type::rePlayLinePos},
        {"RE_ADD_HIT_POINT", Type::reAddHitPoint},
    };

    auto text = juce::String (typeString);

    if (text.startsWith ("ORV."))
        text = text.substring (4);

    for (const auto& [name, type] : table)
        if (text == name)
            return type;

    return Type::unknown;
}
} // namespace comm
