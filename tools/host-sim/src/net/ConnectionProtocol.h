#pragma once

#include "engine/Engine.h"
#include "net/Faults.h"
#include "net/TokenStore.h"

#include <vector>

namespace hostsim
{
/** The host's side of one automation connection, without the network: it
    takes each text message the client sent and says what to send back, how
    late, and whether to close. The first message must be the "connect"
    introduction; after it, "invokePlugin" messages for the engine plug-in
    are run through the engine. The active faults shape every answer. */
class ConnectionProtocol final
{
public:
    enum class Close
    {
        none,
        clean, ///< a WebSocket close frame, after the replies
        reset  ///< the TCP connection is dropped at once
    };

    struct Reply
    {
        juce::String text;
        int delayMs = 0;

        /** The method's deferred work: released once the reply has been sent (or dropped). */
        std::shared_ptr<PendingJobs> afterSent;
    };

    struct Reaction
    {
        std::vector<Reply> replies;
        Close close = Close::none;
    };

    ConnectionProtocol (int connectionId, Engine& engine, TokenStore& tokens, const FaultState& faults, EventLog& log);

    Reaction onMessage (const juce::String& text);

    bool isOpen() const { return stage == Stage::open; }
    juce::String getSessionToken() const { return sessionToken; }

    /** The reply texts, also used by tests that check the exact shapes. */
    static juce::String introductionReply (bool granted, const juce::String& token);
    static juce::String callMethodReply (const juce::var& msgId, const juce::var& methodResult);

private:
    enum class Stage
    {
        introduction,
        open,
        silent,
        closed
    };

    Reaction introduce (const juce::String& text, const FaultSettings& faults);
    Reaction invoke (const juce::String& text, const FaultSettings& faults);
    Reaction deny (const juce::String& reason, const FaultSettings& faults);
    void ignore (const juce::String& reason);

    const int connectionId;
    Engine& engine;
    TokenStore& tokens;
    const FaultState& faultState;
    EventLog& log;
    Stage stage = Stage::introduction;
    juce::String sessionToken;
    int messagesReceived = 0;
    int pluginReplies = 0;
};
} // namespace hostsim
