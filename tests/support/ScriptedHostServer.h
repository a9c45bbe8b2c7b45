#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace testsupport
{
/** A WebSocket server on 127.0.0.1 and an ephemeral port that plays the host:
    it answers introductions and invocations as scripted, and can delay,
    drop, close, reset and refuse. It runs on its own thread; every member
    may be called from any thread. */
class ScriptedHostServer final
{
public:
    /** A text to send and how long to wait before sending it. */
    struct Reply
    {
        juce::String text;
        int delayMs = 0;
    };

    /** Picks the reply to one "invokePlugin" message (given parsed); nothing
        means no reply. Runs on the server's thread. */
    using Responder = std::function<std::optional<Reply> (const juce::var& message)>;

    static constexpr const char* defaultToken = "granted-token";

    ScriptedHostServer();
    ~ScriptedHostServer();

    int getPort() const;

    /** The reply to every introduction; nothing: introductions go unanswered.
        The default grants the session token defaultToken. */
    void setIntroReply (std::optional<Reply> reply);
    /** Intro replies wait until released. */
    void holdIntroReplies();
    /** Sends the intro replies that were held, and stops holding. */
    void releaseIntroReplies();

    /** The default responder never replies. */
    void setResponder (Responder responder);
    /** Replies to every invocation with its argument as the method's result. */
    static Responder echoResponder (int delayMs = 0);
    /** A reply message carrying a message id and a method result. */
    static juce::String makeReply (int msgId, const juce::var& methodRes);

    /** Sends a text message on the newest connection. */
    void sendText (const juce::String& text);
    /** Ends every open connection with a TCP reset. */
    void resetConnections();
    /** Closes every open connection with close code 1000. */
    void closeConnections();
    /** Stops reading, once, after the given number of invocations in all:
        what the client writes next stays unread in the socket until the
        connection ends. */
    void pauseReadingAfter (int invocations);
    /** Bytes that arrived on the open connections and were not read yet. */
    size_t getUnreadBytes() const;
    /** Called on the server's thread each time a message has been handed to
        the socket in full. */
    void setSentObserver (std::function<void()> observer);
    /** Keeps no record of invocations (for long benchmark runs). */
    void setRecording (bool shouldRecord);

    int getConnectionCount() const;
    /** The first message of every connection, in order. */
    std::vector<juce::String> getIntroductions() const;
    /** Every later message, parsed, in order of arrival. */
    std::vector<juce::var> getInvocations() const;
    /** The message ids (first argument) of getInvocations(). */
    std::vector<int> getInvocationIds() const;
    /** The close codes the client sent, one per closed connection. */
    std::vector<int> getCloseCodes() const;
    /** The request target and Host value of every handshake. */
    std::vector<std::pair<juce::String, juce::String>> getHandshakes() const;

    /** A loopback port on which nothing listens. */
    static int findRefusingPort();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;

    JUCE_DECLARE_NON_COPYABLE (ScriptedHostServer)
};
} // namespace testsupport
