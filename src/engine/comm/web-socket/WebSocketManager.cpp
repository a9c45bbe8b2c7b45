#include "engine/comm/web-socket/WebSocketManager.h"
#include "engine/comm/web-socket/WebSocketSession.h"
#include "state/AppState.h"

#include <juce_events/juce_events.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>

#include <chrono>
#include <limits>

namespace net = boost::asio;

namespace
{
// How long destruction waits for the host to acknowledge the close.
constexpr auto closeWait = std::chrono::milliseconds (1000);
constexpr int stopThreadTimeoutMs = 500;
// The previous I/O thread has left its loop and only has to return; a busy
// machine can keep it from doing so for a while.
constexpr int restartWaitMs = 10000;

// Asio's overload selector defaults to a literal 0, which the project's
// warnings reject at the call site; passing it explicitly avoids that.
template <typename Handler>
void postToIo (net::io_context& io, Handler&& handler)
{
    net::post (io, std::forward<Handler> (handler), nullptr);
}
} // namespace

WebSocketManager::WebSocketManager (juce::ValueTree appStateTree, int portToUse, ProblemCallback onProblem)
    : juce::Thread ("WebSocketManager")
    , appState (std::move (appStateTree))
    , port (portToUse)
    , onConnectionProblem (std::move (onProblem))
    , sessionToken (appState.getProperty (AppState::webSocketSessionToken).toString())
{
}

WebSocketManager::~WebSocketManager()
{
    std::shared_future<void> closed;

    {
        const std::lock_guard<std::mutex> lock (mutex);
        shuttingDown = true;
        startupInvokes.clear();

        if (session != nullptr && ioContext != nullptr)
        {
            closed = sessionClosed;
            postToIo (*ioContext, [this]
                      {
                           if (ioSession != nullptr)
                               ioSession->close(); });
        }
    }

    if (closed.valid())
        closed.wait_for (closeWait);

    signalThreadShouldExit();

    {
        const std::lock_guard<std::mutex> lock (mutex);

        if (ioContext != nullptr)
            ioContext->stop();
    }

    stopThread (stopThreadTimeoutMs);
}

void WebSocketManager::sendInvokePluginMsg (juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                                            std::optional<int> limit, std::optional<int> timeoutMs, bool expires)
{
    const std::lock_guard<std::mutex> lock (mutex);

    if (shuttingDown)
        return;

    if (messageIdCounter == std::numeric_limits<int>::max())
        messageIdCounter = 0;

    StartupInvoke invoke{++messageIdCounter, std::move (plugin), std::move (method), std::move (args),
                         std::move (onResponse), limit, timeoutMs, expires};

    if (session != nullptr && ioContext != nullptr)
    {
        postToIo (*ioContext, [this, invoke = std::move (invoke)]() mutable
                  { handToSession (std::move (invoke)); });
        return;
    }

    startupInvokes.push_back (std::move (invoke));
    startIoThread();
}

void WebSocketManager::sendInvokePluginMsgWithPressureLimit (juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse)
{
    sendInvokePluginMsg (std::move (plugin), std::move (method), std::move (args), std::move (onResponse),
                         pressureLimit, pressureTimeoutMs, true);
}

void WebSocketManager::sendInvokeMsg()
{
    sendInvokePluginMsg ("ORX", "HandleGuestRequest", juce::var(), nullptr, std::nullopt, std::nullopt, false);
}

void WebSocketManager::purgePlaybackPendingResponses()
{
    const std::lock_guard<std::mutex> lock (mutex);

    if (session != nullptr && ioContext != nullptr)
        postToIo (*ioContext, [this]
                  {
                       if (ioSession != nullptr)
                           ioSession->purgePlaybackPendingResponses(); });
}

void WebSocketManager::handleSessionTokenChanged (juce::String token)
{
    {
        const std::lock_guard<std::mutex> lock (mutex);
        sessionToken = token;
    }

    juce::MessageManager::callAsync ([tree = appState, token]() mutable
                                     { tree.setProperty (AppState::webSocketSessionToken, token, nullptr); });
}

void WebSocketManager::startIoThread()
{
    if (ioThreadActive)
        return;

    ioThreadActive = true;

    // The previous run may still be returning from run(); it no longer needs
    // the mutex, so waiting for it here cannot deadlock.
    if (!startThread())
    {
        waitForThreadToExit (restartWaitMs);

        if (!startThread())
        {
            ioThreadActive = false;
            juce::Logger::writeToLog ("The host link could not start its thread: requests wait for the next one");
        }
    }
}

void WebSocketManager::handToSession (StartupInvoke invoke)
{
    if (ioSession == nullptr)
    {
        // The connection ended after this was posted: keep it for the next.
        lateInvokes.push_back (std::move (invoke));
        return;
    }

    ioSession->sendInvokePluginMsg (invoke.msgId, std::move (invoke.plugin), std::move (invoke.method), std::move (invoke.args),
                                    std::move (invoke.onResponse), invoke.pressureLimit, invoke.timeoutMs, invoke.expires);
}

void WebSocketManager::run()
{
    for (;;)
    {
        // Only this thread runs the context (Asio's concurrency hint).
        net::io_context io (1);
        std::deque<StartupInvoke> waiting;
        juce::String token;

        {
            const std::lock_guard<std::mutex> lock (mutex);

            if (shuttingDown || threadShouldExit())
            {
                ioThreadActive = false;
                return;
            }

            session = std::make_shared<WebSocketSession> (io);
            ioSession = session;
            ioContext = &io;
            sessionClosed = session->get_close_future();
            token = sessionToken;
            waiting.swap (startupInvokes);
        }

        ioSession->setSessionToken (token);
        ioSession->onSessionTokenChanged = [this] (juce::String newToken)
        { handleSessionTokenChanged (std::move (newToken)); };
        ioSession->onConnectionProblem = [report = onConnectionProblem] (comm::HostConnectionProblem problem)
        {
            // A copy of the callback travels with the call, so it may run after the manager has gone.
            if (report)
                juce::MessageManager::callAsync ([report, problem]
                                                 { report (problem); });
        };

        for (auto& invoke : waiting)
            handToSession (std::move (invoke));

        ioSession->run ("127.0.0.1", juce::String (port));
        io.run();

        {
            const std::lock_guard<std::mutex> lock (mutex);
            session.reset();
            ioContext = nullptr;
        }

        // The session goes with its queues and pending callbacks; hand-offs
        // posted just before the end are collected for the next connection.
        if (const auto unsent = ioSession->getNumUnsentInvocations(); unsent > 0)
            juce::Logger::writeToLog ("The host connection ended with " + juce::String (static_cast<int> (unsent))
                                      + " request(s) not sent");

        ioSession.reset();

        if (!threadShouldExit())
        {
            io.restart();
            io.poll();
        }

        const std::lock_guard<std::mutex> lock (mutex);

        while (!lateInvokes.empty())
        {
            startupInvokes.push_front (std::move (lateInvokes.back()));
            lateInvokes.pop_back();
        }

        if (startupInvokes.empty() || shuttingDown || threadShouldExit())
        {
            ioThreadActive = false;
            return;
        }
    }
}
