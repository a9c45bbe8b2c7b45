// Round trips to a loopback host: the whole path a product request takes
// (Product::sendAction -> manager -> session -> server -> callback on the
// message thread) beside a bare Beast client against the same server, and
// the pending-reply bound of pressure-limited polls against a slow host.

#include "engine/comm/WebSocketAction.h"
#include "engine/comm/web-socket/HostProtocol.h"
#include "engine/comm/web-socket/WebSocketManager.h"
#include "engine/comm/web-socket/WebSocketSession.h"
#include "products/IActionSender.h"
#include "products/Product.h"
#include "state/AppState.h"
#include "support/ProductStandIns.h"
#include "support/ScriptedHostServer.h"
#include "support/TempSuite.h"

#include <benchmark/benchmark.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <algorithm>
#include <thread>

namespace juce
{
// The message loop's own single-step dispatcher (juce_events): it waits for
// the next message without the 1 ms sleep of runDispatchLoopUntil, which
// would otherwise dominate a 100 µs round trip.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
namespace net = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = net::ip::tcp;

testsupport::ScriptedHostServer& echoServer()
{
    static testsupport::ScriptedHostServer server;
    static const bool configured = [&]
    {
        server.setRecording (false);
        server.setResponder (testsupport::ScriptedHostServer::echoResponder());
        return true;
    }();
    juce::ignoreUnused (configured);
    return server;
}

/** Does what the application's sender does: names the product's plug-in and
    hands the request to the manager. */
class ManagerSender final : public IActionSender
{
public:
    explicit ManagerSender (WebSocketManager& m)
        : manager (m)
    {
    }

    void sendAction (juce::StringRef productInternalName, WebSocketAction& action, bool withPressureLimit) override
    {
        const auto plugin = "ORV_" + juce::String (productInternalName);

        if (withPressureLimit)
            manager.sendInvokePluginMsgWithPressureLimit (plugin, action.getMethodName(), action.getArg(), action.getOnResponse());
        else
            manager.sendInvokePluginMsg (plugin, action.getMethodName(), action.getArg(), action.getOnResponse(),
                                         std::nullopt, std::nullopt, false);
    }

    void sendActionWithPressureLimit (juce::StringRef productInternalName, WebSocketAction& action) override
    {
        sendAction (productInternalName, action, true);
    }

    void sendActionConnectionRequest (std::function<void (juce::var)> onResponse) override
    {
        manager.sendInvokePluginMsg ("ORX", "connectRequest", {}, std::move (onResponse), std::nullopt, std::nullopt, false);
    }

private:
    WebSocketManager& manager;
};

class ApplyRequest final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "apply"; }
};

juce::var makeArgument()
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("pedals", "DCBEFGA");
    object->setProperty ("glissando", "1");
    object->setProperty ("barId", "12");
    return juce::var (object);
}

struct LatencySummary
{
    double p50 = 0.0;
    double p99 = 0.0;
    double callsPerSecond = 0.0;
};

LatencySummary summarise (std::vector<double> micros)
{
    if (micros.empty())
        return {};

    double total = 0.0;

    for (auto m : micros)
        total += m;

    std::sort (micros.begin(), micros.end());
    const auto at = [&] (double q)
    { return micros[static_cast<size_t> (q * static_cast<double> (micros.size() - 1))]; };
    return {at (0.5), at (0.99), 1.0e6 * static_cast<double> (micros.size()) / total};
}

double elapsedMicros (juce::int64 startTicks)
{
    return juce::Time::highResolutionTicksToSeconds (juce::Time::getHighResolutionTicks() - startTicks) * 1.0e6;
}

/** A product request's whole way to the host and back to the message thread. */
class FullPathClient
{
public:
    explicit FullPathClient (int port)
        : manager (appState, port)
        , sender (manager)
    {
        request.setArg (makeArgument());
        request.setOnResponse ([this] (juce::var)
                               { answered = true; });
    }

    void roundTrip()
    {
        answered = false;
        product.sendAction (request, false);

        while (!answered)
            juce::dispatchNextMessageOnSystemQueue (false);
    }

private:
    juce::ValueTree appState{AppState::type};
    WebSocketManager manager;
    ManagerSender sender;
    testsupport::TempSuite suite;
    testsupport::RecordingUiServices ui;
    testsupport::PlainProduct product{ProductContext{suite.getPaths(), ui, &sender}};
    ApplyRequest request;
    bool answered = false;
};

/** A bare Beast client writing the same messages as the session, blocking for each reply. */
class RawBeastClient
{
public:
    explicit RawBeastClient (int port)
    {
        ws.next_layer().connect (tcp::endpoint (net::ip::make_address_v4 ("127.0.0.1"), static_cast<unsigned short> (port)));
        ws.next_layer().set_option (tcp::no_delay (true));
        ws.handshake ("127.0.0.1", "/");
        ws.text (true);
        ws.write (net::buffer (comm::buildIntroduction ({}).toStdString()));
        ws.read (buffer);
        buffer.consume (buffer.size());
    }

    ~RawBeastClient()
    {
        beast::error_code ignored;
        ws.close (websocket::close_code::normal, ignored);
    }

    /** The next message, built outside the timed part. */
    std::string nextMessage() { return comm::buildInvokeMessage (++msgId, "ORV_Lyrel", "apply", argument).toStdString(); }

    void roundTrip (const std::string& text)
    {
        ws.write (net::buffer (text));
        ws.read (buffer);
        buffer.consume (buffer.size());
    }

private:
    net::io_context io;
    websocket::stream<tcp::socket> ws{io};
    beast::flat_buffer buffer;
    juce::var argument = makeArgument();
    int msgId = 0;
};

// Both clients take turns against one echo server, so a busy machine slows
// both alike and the ratio stays meaningful.
void BM_RoundTripFullPathBesideRawBeast (benchmark::State& state)
{
    const int port = echoServer().getPort();
    FullPathClient full (port);
    RawBeastClient raw (port);

    // The first call connects; it is not a round trip of an open session.
    full.roundTrip();

    std::vector<double> fullMicros;
    std::vector<double> rawMicros;

    for (auto _ : state)
    {
        auto start = juce::Time::getHighResolutionTicks();
        full.roundTrip();
        fullMicros.push_back (elapsedMicros (start));

        const auto text = raw.nextMessage();
        start = juce::Time::getHighResolutionTicks();
        raw.roundTrip (text);
        rawMicros.push_back (elapsedMicros (start));
    }

    const auto f = summarise (fullMicros);
    const auto r = summarise (rawMicros);
    state.counters["full_p50_us"] = f.p50;
    state.counters["full_p99_us"] = f.p99;
    state.counters["full_calls_per_s"] = f.callsPerSecond;
    state.counters["raw_p50_us"] = r.p50;
    state.counters["raw_p99_us"] = r.p99;
    state.counters["raw_calls_per_s"] = r.callsPerSecond;
    state.counters["p50_ratio"] = r.p50 > 0.0 ? f.p50 / r.p50 : 0.0;
}
BENCHMARK (BM_RoundTripFullPathBesideRawBeast)->Iterations (5000)->Unit (benchmark::kMicrosecond)->UseRealTime();

//==============================================================================
// 10,000 pressure-limited polls, one per millisecond, against a host that
// answers each after 2 seconds: the session never waits for more than three.
void BM_PressureLimitedPollsAgainstSlowHost (benchmark::State& state)
{
    testsupport::ScriptedHostServer slowHost;
    slowHost.setRecording (false);
    slowHost.setResponder (testsupport::ScriptedHostServer::echoResponder (2000));

    constexpr int polls = 10000;
    size_t maxPending = 0;
    // Shared with callbacks posted to the message thread, which may run later.
    auto answered = std::make_shared<int> (0);

    for (auto _ : state)
    {
        net::io_context io;
        auto session = std::make_shared<WebSocketSession> (io);
        session->run ("127.0.0.1", juce::String (slowHost.getPort()));

        net::steady_timer timer (io);
        int sent = 0;
        std::function<void()> pollOnce = [&]
        {
            session->sendInvokePluginMsg (
                ++sent, "ORV_Orvana", "updatePlaybackState", {}, [answered] (juce::var)
                { ++*answered; },
                WebSocketManager::pressureLimit, WebSocketManager::pressureTimeoutMs, true);
            maxPending = std::max (maxPending, session->getNumPendingResponses());

            if (sent == polls)
            {
                session->close();
                return;
            }

            timer.expires_after (std::chrono::milliseconds (1));
            timer.async_wait ([&] (beast::error_code ec)
                              {
                                  if (! ec)
                                      pollOnce(); });
        };

        pollOnce();
        io.run();
    }

    state.counters["polls"] = polls;
    state.counters["max_pending"] = static_cast<double> (maxPending);
    state.counters["answered"] = *answered;

    if (maxPending > 3)
        state.SkipWithError ("more than three pressure-limited replies were pending");
}
BENCHMARK (BM_PressureLimitedPollsAgainstSlowHost)->Iterations (1)->Unit (benchmark::kMillisecond)->UseRealTime();
} // namespace
