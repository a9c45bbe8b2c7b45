#pragma once

#include "engine/comm/web-socket/HostConnectionProblem.h"
#include "engine/comm/web-socket/InvocationQueues.h"

#include <juce_core/juce_core.h>

#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace boost::asio
{
class io_context;
}

/** One client connection to the host's WebSocket automation interface.

    It connects to 127.0.0.1, introduces itself (presenting a session token
    when it holds one), writes queued invocations one at a time after the
    intro reply, hands replies to their callbacks on the message thread,
    keeps every token the host grants, reconnects after a reset while it
    holds a token, and reports the failures the user must be told of to
    onConnectionProblem; it shows nothing itself.

    Shared-owned: its pending asynchronous handlers keep it alive. Every
    member function must be called on the one thread that runs its I/O
    context; only get_close_future() may be called from anywhere. */
class WebSocketSession final : public std::enable_shared_from_this<WebSocketSession>
{
public:
    using ResponseCallback = InvocationQueues::ResponseCallback;
    using PendingInvoke = InvocationQueues::PendingInvoke;
    using PendingResponseEntry = InvocationQueues::PendingResponseEntry;

    static constexpr int reconnectDelayMs = 500;
    /** How long the reply to an introduction that presents a token is
        awaited before writing starts without it. An introduction without a
        token waits for its reply as long as it takes: the host may be asking
        the user for permission. */
    static constexpr int introReplyTimeoutMs = 2000;

    explicit WebSocketSession (boost::asio::io_context& ioContext);
    ~WebSocketSession();

    /** Called with every new session token value; empty when the token was lost. */
    std::function<void (juce::String)> onSessionTokenChanged;

    /** Called, on the I/O thread, with each failure the user must be told of. */
    std::function<void (comm::HostConnectionProblem)> onConnectionProblem;

    /** The token to present in the next introduction. */
    void setSessionToken (juce::String token);
    juce::String getSessionToken() const { return sessionToken; }

    /** Remembers host and port and starts connecting to 127.0.0.1 on that port. */
    void run (juce::StringRef host, juce::StringRef port);

    /** Admission under the pressure limit, then queueInvokePluginMsg. */
    void sendInvokePluginMsg (int msgId, juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                              std::optional<int> pressureLimit, std::optional<int> timeoutMs, bool expires);

    /** Queues the invocation and writes it as soon as the connection allows. */
    void queueInvokePluginMsg (int msgId, juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                               std::optional<int> timeoutMs, bool expires, bool pressureLimited);

    /** Drops expired replies and every pressure-limited one still awaited. */
    void purgePlaybackPendingResponses();

    /** Handles a parsed incoming message: a reply goes to its pending
        invocation's callback on the message thread; a message that grants a
        session token replaces the token; anything else is ignored. */
    void handleIncomingMessage (const juce::var& message);

    /** Closes with code 1000 (normal) once the write in flight, if any, has
        finished. A closed session does not reconnect. */
    void close();

    /** Ready once the close has ended, or when the session is destroyed. */
    std::shared_future<void> get_close_future() const { return closeFuture; }

    size_t getNumPendingResponses() const { return queues.getNumPendingResponses(); }

    /** Invocations admitted but not yet written to the host. */
    size_t getNumUnsentInvocations() const { return queues.getPlaybackQueue().size() + queues.getRequestQueue().size(); }

private:
    enum class State
    {
        idle,
        connecting,
        handshaking,
        introducing,
        open,
        closing,
        closed
    };

    struct Impl;

    void tryWrite();
    void changeSessionToken (const juce::String& token);
    void fulfilClosePromise();

    InvocationQueues queues;
    juce::String sessionToken;
    juce::String host;
    juce::String port;
    State state = State::idle;
    bool closeRequested = false;
    bool closePromiseFulfilled = false;
    std::promise<void> closePromise;
    std::shared_future<void> closeFuture;
    std::unique_ptr<Impl> impl;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WebSocketSession)
};
