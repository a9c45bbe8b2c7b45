#pragma once

#include "engine/comm/web-socket/HostConnectionProblem.h"

#include <juce_core/juce_core.h>
#include <juce_data_structures/juce_data_structures.h>

#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>

namespace boost::asio
{
class io_context;
}

class WebSocketSession;

/** Calls methods of the host plug-ins over one WebSocket session.

    Invocations may come from any thread; each gets the next message id (the
    first is 1) and is handed to the session on the I/O thread, which this
    class is. The thread starts with the first invocation and ends when the
    connection ends for good; the next invocation starts it again. Invocations
    made while no session exists are kept, in order, for the next one.
    Results, connection problems and session-token changes arrive on the
    message thread. */
class WebSocketManager final : public juce::Thread
{
public:
    using ResponseCallback = std::function<void (juce::var)>;
    using ProblemCallback = std::function<void (comm::HostConnectionProblem)>;

    static constexpr int hostPort = 1898;
    static constexpr int pressureLimit = 2;
    static constexpr int pressureTimeoutMs = 750;

    /** Keeps the application state tree ("APP_STATE"), whose
        "webSocketSessionToken" it presents and updates, and calls onProblem
        on the message thread with each connection failure the user must be
        told of. Does not start the thread. The port is fixed in the product;
        tests inject their own. */
    explicit WebSocketManager (juce::ValueTree appStateTree, int port = hostPort, ProblemCallback onProblem = {});

    /** Closes the session, waits for the close, and stops the thread. */
    ~WebSocketManager() override;

    /** Invokes `method` of the host plug-in `plugin` with `args`; the result
        reaches `onResponse` on the message thread, at most once. */
    void sendInvokePluginMsg (juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                              std::optional<int> pressureLimit, std::optional<int> timeoutMs, bool expires);

    /** For frequent polls: dropped while more than two such calls await
        replies, and forgotten when no reply came within 750 ms. */
    void sendInvokePluginMsgWithPressureLimit (juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse);

    /** Asks the engine plug-in to read the guest outbox file. */
    void sendInvokeMsg();

    /** Forgets expired replies and every pressure-limited one still awaited. */
    void purgePlaybackPendingResponses();

    /** Records a new session token and posts it into the application state
        on the message thread. */
    void handleSessionTokenChanged (juce::String token);

    void run() override;

private:
    /** An invocation made while no session could take it. */
    struct StartupInvoke
    {
        int msgId = 0;
        juce::String plugin;
        juce::String method;
        juce::var args;
        ResponseCallback onResponse;
        std::optional<int> pressureLimit;
        std::optional<int> timeoutMs;
        bool expires = false;
    };

    void startIoThread();
    void handToSession (StartupInvoke invoke);

    juce::ValueTree appState;
    const int port;
    const ProblemCallback onConnectionProblem;

    std::mutex mutex;
    std::shared_ptr<WebSocketSession> session;
    boost::asio::io_context* ioContext = nullptr;
    std::shared_future<void> sessionClosed;
    int messageIdCounter = 0;
    std::deque<StartupInvoke> startupInvokes;
    juce::String sessionToken;
    bool ioThreadActive = false;
    bool shuttingDown = false;

    // Touched on the I/O thread only.
    std::shared_ptr<WebSocketSession> ioSession;
    std::deque<StartupInvoke> lateInvokes;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WebSocketManager)
};
