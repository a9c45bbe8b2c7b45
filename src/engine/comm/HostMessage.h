#pragma once

#include <juce_core/juce_core.h>

namespace comm
{
/** A message from the host: its type, id and data. */
struct HostMessage
{
    enum class Type
    {
        unknown = 0,
        userTrigger = 1,
        startComm = 2,
        open = 5,
        reExpandRegion = 7,
        reTestPluginKey = 8,
        refresh = 9,
        reRestoreHostNode = 10,
        rePlayLinePos = 11,
        reAddHitPoint = 12
    };

    Type type = Type::unknown;
    int id = 0;
    juce::String data;

    static HostMessage fromStrings (int id, juce::StringRef type, juce::StringRef data);

    /** The type of a type string, with a leading "ORV." ignored; unknown for anything else. */
    static Type strToType (juce::StringRef typeString);
};
} // namespace comm
