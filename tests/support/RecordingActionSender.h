#pragma once

#include "engine/comm/WebSocketAction.h"
#include "products/IActionSender.h"

#include <vector>

namespace testsupport
{
/** Stands in for the application between products and the host: keeps every
    action a product sends, so a test can look at it and answer as the host
    would. */
class RecordingActionSender final : public IActionSender
{
public:
    struct Sent
    {
        /** "ORV_" + the product's internal name. */
        juce::String plugin;
        juce::String method;
        juce::var argument;
        bool pressureLimited = false;
        WebSocketAction::ResponseCallback reply;
    };

    void sendAction (juce::StringRef productInternalName, WebSocketAction& action, bool withPressureLimit) override;
    void sendActionWithPressureLimit (juce::StringRef productInternalName, WebSocketAction& action) override;
    void sendActionConnectionRequest (std::function<void (juce::var)> onResponse) override;

    /** Answers the index-th sent action (runs its reply callback, if it has one). */
    void answer (size_t index, const juce::var& reply) const;
    /** Answers the index-th sent action with the reply parsed from JSON text. */
    void answerJson (size_t index, const juce::String& replyJson) const;

    std::vector<Sent> sent;
    /** Callbacks of connection requests, in order. */
    std::vector<std::function<void (juce::var)>> connectionRequests;
};
} // namespace testsupport
