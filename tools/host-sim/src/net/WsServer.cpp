#include "net/WsServer.h"

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <thread>

namespace hostsim
{
namespace
{
namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

constexpr std::size_t maxMessageBytes = 64 * 1024 * 1024;

juce::String toJuce (const std::string& s)
{
    return juce::String::fromUTF8 (s.data(), static_cast<int> (s.size()));
}

/** Runs fn on the I/O thread. The explicit null stands for asio's defaulted
    constraint argument, a literal 0 that our warning flags reject. */
template <typename Fn>
void postToIo (asio::io_context& ioc, Fn&& fn)
{
    asio::post (ioc, std::forward<Fn> (fn), nullptr);
}

class Connection;

/** Everything the network thread shares between the listener and the connections. */
struct ServerState
{
    ServerState (Engine& e, TokenStore& t, FaultState& f, EventLog& l)
        : engine (e)
        , tokens (t)
        , faults (f)
        , log (l)
    {
    }

    juce::Result listen();
    void accept();
    void closeAll();

    Engine& engine;
    TokenStore& tokens;
    FaultState& faults;
    EventLog& log;

    // Declared before the I/O context: connections still held by its
    // handlers are destroyed with it and count themselves out here.
    std::atomic<int> port{0};
    std::atomic<int> openConnections{0};

    asio::io_context ioc{1};
    std::optional<asio::executor_work_guard<asio::io_context::executor_type>> work;
    tcp::acceptor acceptor{ioc};
    std::thread thread;
    int nextConnectionId = 1;
    bool refusing = false;
    std::map<int, std::weak_ptr<Connection>> connections;
};

/** One client: the WebSocket stream, its protocol state, the replies waiting
    for their time and the write queue. Lives on the network thread only. */
class Connection final : public std::enable_shared_from_this<Connection>
{
public:
    Connection (tcp::socket socket, int connectionId, ServerState& server)
        : ws (std::move (socket))
        , id (connectionId)
        , owner (server)
        , protocol (connectionId, server.engine, server.tokens, server.faults, server.log)
        , timer (ws.get_executor())
    {
        ++owner.openConnections;
    }

    ~Connection() { --owner.openConnections; }

    void start()
    {
        websocket::stream_base::timeout timeouts{};
        timeouts.handshake_timeout = std::chrono::seconds (30);
        timeouts.idle_timeout = websocket::stream_base::none();
        timeouts.keep_alive_pings = false;
        ws.set_option (timeouts);
        ws.read_message_max (maxMessageBytes);
        ws.async_accept ([self = shared_from_this()] (beast::error_code ec)
                         { self->onAccepted (ec); });
    }

    /** Ends the connection at once (server shutdown). */
    void abort()
    {
        finished = true;
        timer.cancel();
        beast::error_code ignored;
        beast::get_lowest_layer (ws).socket().close (ignored);
    }

private:
    struct Item
    {
        std::string text;
        ConnectionProtocol::Close close = ConnectionProtocol::Close::none;
        std::shared_ptr<PendingJobs> afterSent; ///< released once the text is written (or dropped with the item)
    };

    void onAccepted (beast::error_code ec)
    {
        if (ec)
        {
            owner.log.add ("handshakeFailed", {{"conn", id}, {"error", toJuce (ec.message())}});
            finished = true;
            return;
        }

        read();
    }

    void read()
    {
        ws.async_read (buffer, [self = shared_from_this()] (beast::error_code ec, std::size_t)
                       { self->onRead (ec); });
    }

    void onRead (beast::error_code ec)
    {
        if (ec)
        {
            finish (ec);
            return;
        }

        const auto text = beast::buffers_to_string (buffer.data());
        buffer.consume (buffer.size());
        schedule (protocol.onMessage (toJuce (text)));

        if (!finished)
            read();
    }

    void schedule (ConnectionProtocol::Reaction reaction)
    {
        const auto now = Clock::now();
        auto last = now;

        // Equal due times keep their order: a multimap inserts after equal keys.
        for (auto& reply : reaction.replies)
        {
            const auto due = now + std::chrono::milliseconds (reply.delayMs);
            last = std::max (last, due);
            pending.emplace (due, Item{reply.text.toStdString(), ConnectionProtocol::Close::none, std::move (reply.afterSent)});
        }

        if (reaction.close != ConnectionProtocol::Close::none)
            pending.emplace (last, Item{{}, reaction.close, {}});

        pump();
    }

    void pump()
    {
        if (finished)
            return;

        const auto now = Clock::now();

        while (!pending.empty() && pending.begin()->first <= now)
        {
            queue.push_back (std::move (pending.begin()->second));
            pending.erase (pending.begin());
        }

        if (!pending.empty())
        {
            timer.expires_at (pending.begin()->first);
            timer.async_wait ([self = shared_from_this()] (beast::error_code ec)
                              {
                if (! ec)
                    self->pump(); });
        }

        writeNext();
    }

    void writeNext()
    {
        if (writing || closing || finished || queue.empty())
            return;

        auto item = std::move (queue.front());
        queue.pop_front();

        switch (item.close)
        {
            case ConnectionProtocol::Close::clean:
                closing = true;
                owner.log.add ("closing", {{"conn", id}, {"mode", "clean"}});
                ws.async_close (websocket::close_code::normal, [self = shared_from_this()] (beast::error_code) {});
                return;

            case ConnectionProtocol::Close::reset:
            {
                closing = true;
                owner.log.add ("closing", {{"conn", id}, {"mode", "reset"}});
                auto& socket = beast::get_lowest_layer (ws).socket();
                beast::error_code ignored;
                socket.set_option (asio::socket_base::linger (true, 0), ignored);
                socket.close (ignored);
                return;
            }

            case ConnectionProtocol::Close::none:
                break;
        }

        writing = true;
        outgoing = std::move (item.text);
        outgoingJobs = std::move (item.afterSent);
        owner.log.add ("sent", {{"conn", id}, {"text", toJuce (outgoing)}});
        ws.text (true);
        ws.async_write (asio::buffer (outgoing), [self = shared_from_this()] (beast::error_code ec, std::size_t)
                        {
            self->writing = false;

            // The reply is out: the method's deferred work may start.
            if (auto jobs = std::exchange (self->outgoingJobs, {}))
                jobs->release();

            if (ec)
            {
                self->owner.log.add ("writeFailed", { { "conn", self->id }, { "error", toJuce (ec.message()) } });
                return;
            }

            self->writeNext(); });
    }

    void finish (beast::error_code ec)
    {
        if (!finished || ec != asio::error::operation_aborted)
        {
            const auto reason = ec == websocket::error::closed ? juce::String ("closed") : toJuce (ec.message());
            owner.log.add ("disconnected", {{"conn", id}, {"reason", reason}});
        }

        finished = true;
        pending.clear();
        queue.clear();
        timer.cancel();
    }

    websocket::stream<beast::tcp_stream> ws;
    const int id;
    ServerState& owner;
    ConnectionProtocol protocol;
    asio::steady_timer timer;
    beast::flat_buffer buffer;
    std::multimap<Clock::time_point, Item> pending;
    std::deque<Item> queue;
    std::string outgoing;
    std::shared_ptr<PendingJobs> outgoingJobs;
    bool writing = false;
    bool closing = false;
    bool finished = false;
};
} // namespace

struct WsServer::Impl final : ServerState
{
    using ServerState::ServerState;
};

juce::Result ServerState::listen()
{
    beast::error_code ec;
    const tcp::endpoint endpoint (asio::ip::make_address ("127.0.0.1"), static_cast<unsigned short> (port.load()));

    acceptor.open (endpoint.protocol(), ec);

    if (!ec)
        acceptor.set_option (asio::socket_base::reuse_address (true), ec);

    if (!ec)
        acceptor.bind (endpoint, ec);

    if (!ec)
        acceptor.listen (asio::socket_base::max_listen_connections, ec);

    if (ec)
    {
        beast::error_code ignored;
        acceptor.close (ignored);
        return juce::Result::fail ("cannot listen on 127.0.0.1:" + juce::String (port.load()) + ": " + toJuce (ec.message()));
    }

    port = acceptor.local_endpoint().port();
    accept();
    return juce::Result::ok();
}

void ServerState::accept()
{
    acceptor.async_accept ([this] (beast::error_code ec, tcp::socket socket)
                           {
        if (ec)
            return; // the acceptor was closed: refusing or stopping

        const auto id = nextConnectionId++;
        beast::error_code ignored;
        const auto remote = socket.remote_endpoint (ignored);
        log.add ("connected", { { "conn", id }, { "remotePort", static_cast<int> (remote.port()) } });

        auto connection = std::make_shared<Connection> (std::move (socket), id, *this);
        connections[id] = connection;
        connection->start();

        for (auto it = connections.begin(); it != connections.end();)
            it = it->second.expired() ? connections.erase (it) : std::next (it);

        accept(); });
}

void ServerState::closeAll()
{
    beast::error_code ignored;
    acceptor.close (ignored);

    for (auto& [connectionId, weak] : connections)
        if (auto connection = weak.lock())
            connection->abort();

    connections.clear();
}

WsServer::WsServer (Engine& engine, TokenStore& tokens, FaultState& faults, EventLog& log)
    : impl (std::make_unique<Impl> (engine, tokens, faults, log))
{
}

WsServer::~WsServer()
{
    stop();
}

juce::Result WsServer::start (int wantedPort)
{
    if (impl->thread.joinable())
        return juce::Result::fail ("already started");

    impl->port = wantedPort;
    const auto result = impl->listen();

    if (result.failed())
        return result;

    impl->log.add ("listening", {{"port", impl->port.load()}});

    // Refusing from the start: close before anyone can hear of the port.
    if (impl->faults.get().refuseConnections)
    {
        impl->refusing = true;
        beast::error_code ignored;
        impl->acceptor.close (ignored);
        impl->log.add ("refusing", {{"port", impl->port.load()}});
    }

    impl->work.emplace (impl->ioc.get_executor());
    impl->thread = std::thread ([this]
                                { impl->ioc.run(); });
    return juce::Result::ok();
}

int WsServer::getPort() const
{
    return impl->port;
}

void WsServer::stop()
{
    if (!impl->thread.joinable())
        return;

    postToIo (impl->ioc, [this]
              {
        impl->closeAll();
        impl->work.reset();
        impl->ioc.stop(); });

    impl->thread.join();
}

void WsServer::setRefusing (bool shouldRefuse)
{
    postToIo (impl->ioc, [this, shouldRefuse]
              {
        if (shouldRefuse == impl->refusing)
            return;

        impl->refusing = shouldRefuse;

        if (shouldRefuse)
        {
            beast::error_code ignored;
            impl->acceptor.close (ignored);
            impl->log.add ("refusing", { { "port", impl->port.load() } });
            return;
        }

        const auto result = impl->listen();

        if (result.wasOk())
            impl->log.add ("listening", { { "port", impl->port.load() } });
        else
            impl->log.add ("listenFailed", { { "error", result.getErrorMessage() } }); });
}

int WsServer::getOpenConnectionCount() const
{
    return impl->openConnections;
}
} // namespace hostsim
