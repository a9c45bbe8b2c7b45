#include "support/RecordingActionSender.h"

namespace testsupport
{
void RecordingActionSender::sendAction (juce::StringRef productInternalName, WebSocketAction& action, bool withPressureLimit)
{
    sent.push_back ({"ORV_" + juce::String (productInternalName), action.getMethodName(), action.getArg(), withPressureLimit, action.getOnResponse()});
}

void RecordingActionSender::sendActionWithPressureLimit (juce::StringRef productInternalName, WebSocketAction& action)
{
    sendAction (productInternalName, action, true);
}

void RecordingActionSender::sendActionConnectionRequest (std::function<void (juce::var)> onResponse)
{
    connectionRequests.push_back (std::move (onResponse));
}

void RecordingActionSender::answer (size_t index, const juce::var& reply) const
{
    jassert (index < sent.size());

    if (index < sent.size() && sent[index].reply)
        sent[index].reply (reply);
}

void RecordingActionSender::answerJson (size_t index, const juce::String& replyJson) const
{
    answer (index, juce::JSON::parse (replyJson));
}
} // namespace testsupport
