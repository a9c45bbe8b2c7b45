#include "engine/comm/web-socket/WebSocketSession.h"
#include "engine/comm/web-socket/HostProtocol.h"

#include <juce_events/juce_events.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <chrono>

namespace net = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = net::ip::tcp;
using error_code = beast::error_code;

namespace
{
// Score payloads can be large; anything beyond this is refused by the stream.
constexpr std::uint64_t maxIncomingMessageBytes = 256u * 1024u * 1024u;
// Bounds the opening and the closing handshake, so neither can hang forever.
constexpr auto handshakeTimeout = std::chrono::seconds (10);

void postToMessageThread (std::function<void()> call)
{
    juce::MessageManager::callAsync (std::move (call));
}

/** One TCP connection and its WebSocket stream. Handlers keep the connection
    they were started on alive, so a reconnect can begin while the handlers of
    the previous connection are still being cancelled. */
struct Connection
{
    explicit Connection (net::io_context& context)
        : ws (context)
    {
    }

    websocket::stream<tcp::socket> ws;
    beast::flat_buffer readBuffer;
    std::string writeText;
    bool failed = false;
};
} // namespace

struct WebSocketSession::Impl
{
    Impl (WebSocketSession& s, net::io_context& io)
        : owner (s)
        , context (io)
        , reconnectTimer (io)
        , introTimer (io)
    {
    }

    using ConnectionPtr = std::shared_ptr<Connection>;

    WebSocketSession& owner;
    net::io_context& context;
    net::steady_timer reconnectTimer;
    net::steady_timer introTimer;
    ConnectionPtr connection;
    unsigned reconnectArm = 0;
    bool introWriting = false;
    bool readingIntroReply = false;
    bool introPresentsToken = false;

    std::shared_ptr<WebSocketSession> self() { return owner.shared_from_this(); }
    bool isCurrent (const ConnectionPtr& c) const { return c == connection && !c->failed; }
    bool isWriteInFlight() const { return introWriting || owner.queues.isWriting(); }

    //==============================================================================
    void connect()
    {
        auto c = connection = std::make_shared<Connection> (context);
        owner.state = State::connecting;

        const auto portNumber = owner.port.trim().getIntValue();

        if (!owner.port.trim().containsOnly ("0123456789") || portNumber <= 0 || portNumber > 65535)
        {
            fail (c, make_error_code (net::error::invalid_argument));
            return;
        }

        const tcp::endpoint endpoint (net::ip::make_address_v4 ("127.0.0.1"), static_cast<unsigned short> (portNumber));

        c->ws.next_layer().async_connect (endpoint, [s = self(), c] (error_code ec)
                                          { s->impl->onConnect (c, ec); });
    }

    void onConnect (const ConnectionPtr& c, error_code ec)
    {
        if (!isCurrent (c))
            return;

        if (ec)
            return fail (c, ec);

        owner.state = State::handshaking;

        // Invocations are small messages written one after another: do not
        // let the kernel hold one back waiting for the previous one's ACK.
        error_code ignored;
        c->ws.next_layer().set_option (tcp::no_delay (true), ignored);

        websocket::stream_base::timeout timeouts{};
        timeouts.handshake_timeout = handshakeTimeout;
        timeouts.idle_timeout = websocket::stream_base::none();
        timeouts.keep_alive_pings = false;
        c->ws.set_option (timeouts);
        c->ws.read_message_max (maxIncomingMessageBytes);

        c->ws.async_handshake (owner.host.toStdString(), "/", [s = self(), c] (error_code e)
                               { s->impl->onHandshake (c, e); });
    }

    void onHandshake (const ConnectionPtr& c, error_code ec)
    {
        if (!isCurrent (c))
            return;

        if (ec)
            return fail (c, ec);

        owner.state = State::introducing;
        c->ws.text (true);
        introPresentsToken = owner.sessionToken.isNotEmpty();
        c->writeText = comm::buildIntroduction (owner.sessionToken).toStdString();
        introWriting = true;

        c->ws.async_write (net::buffer (c->writeText), [s = self(), c] (error_code e, std::size_t)
                           { s->impl->onIntroWritten (c, e); });
    }

    void onIntroWritten (const ConnectionPtr& c, error_code ec)
    {
        if (!isCurrent (c))
            return;

        introWriting = false;

        if (ec)
        {
            owner.changeSessionToken ({});
            return fail (c, ec);
        }

        if (owner.closeRequested)
            return startClose();

        readingIntroReply = true;

        // Some hosts never answer an introduction that presents a token: after
        // a while the session opens anyway and the reply, should it still
        // come, is read as an ordinary message (and its token kept). Without
        // a token the host asks the user, who may take any time to answer.
        if (introPresentsToken)
        {
            introTimer.expires_after (std::chrono::milliseconds (introReplyTimeoutMs));
            introTimer.async_wait ([s = self(), c] (error_code e)
                                   { s->impl->onIntroTimeout (c, e); });
        }

        c->ws.async_read (c->readBuffer, [s = self(), c] (error_code e, std::size_t)
                          { s->impl->onIntroRead (c, e); });
    }

    void onIntroTimeout (const ConnectionPtr& c, error_code ec)
    {
        if (ec || !isCurrent (c) || !readingIntroReply)
            return;

        readingIntroReply = false;
        open();
    }

    void onIntroRead (const ConnectionPtr& c, error_code ec)
    {
        if (!isCurrent (c))
            return;

        if (!readingIntroReply)
            return onRead (c, ec);

        readingIntroReply = false;
        introTimer.cancel();

        if (ec)
            return fail (c, ec);

        // The reply's token, or none when it grants none.
        owner.changeSessionToken (comm::getGrantedSessionToken (takeMessage (*c)).value_or (juce::String()));

        startRead (c);
        open();
    }

    void open()
    {
        if (owner.state == State::closing)
            return;

        owner.state = State::open;
        owner.tryWrite();
    }

    //==============================================================================
    /** Parses the message in the read buffer, here on the I/O thread, and empties the buffer. */
    static juce::var takeMessage (Connection& c)
    {
        // The parser looks one byte past the text: a NUL in the buffer's
        // spare room saves copying a score payload of many megabytes. The
        // room is made first, as making it may move the data.
        *static_cast<char*> (c.readBuffer.prepare (1).data()) = 0;
        const auto data = c.readBuffer.data();
        auto message = comm::parseIncomingMessage (static_cast<const char*> (data.data()), data.size());
        c.readBuffer.consume (c.readBuffer.size());
        return message;
    }

    void startRead (const ConnectionPtr& c)
    {
        c->ws.async_read (c->readBuffer, [s = self(), c] (error_code e, std::size_t)
                          { s->impl->onRead (c, e); });
    }

    void onRead (const ConnectionPtr& c, error_code ec)
    {
        if (!isCurrent (c))
            return;

        if (ec == net::error::operation_aborted || ec == websocket::error::closed)
        {
            // Our own close, or the host ended the session: nothing more will
            // be read or written on this connection.
            if (owner.state != State::closing)
            {
                owner.state = State::closed;
                juce::Logger::writeToLog ("The host closed the connection");
            }

            return;
        }

        if (ec)
            return fail (c, ec);

        owner.handleIncomingMessage (takeMessage (*c));

        startRead (c);
    }

    //==============================================================================
    void write (InvocationQueues::Write w)
    {
        auto c = connection;
        c->writeText = std::move (w.text);
        c->ws.async_write (net::buffer (c->writeText), [s = self(), c] (error_code e, std::size_t)
                           { s->impl->onWritten (c, e); });
    }

    void onWritten (const ConnectionPtr& c, error_code ec)
    {
        // Only the write's own outcome tells whether the invocation went out,
        // also when the connection has failed meanwhile: one written in full
        // is never written again, one cut short is written again, once, on
        // the next connection (which waits for this outcome before writing).
        owner.queues.endWrite (!ec);

        if (ec && isCurrent (c))
            return fail (c, ec);

        if (owner.closeRequested)
        {
            if (owner.state != State::closing && owner.state != State::closed)
                startClose();

            return;
        }

        owner.tryWrite();
    }

    //==============================================================================
    void fail (const ConnectionPtr& c, error_code ec)
    {
        // During our own close, errors of the other operations are expected;
        // the close handler finishes the job.
        if (!isCurrent (c) || owner.state == State::closing)
            return;

        const bool writeCutOff = isWriteInFlight();
        c->failed = true;
        juce::Logger::writeToLog ("The host connection failed: " + juce::String (ec.message()));
        readingIntroReply = false;
        introWriting = false;
        introTimer.cancel();

        error_code ignored;
        c->ws.next_layer().close (ignored);

        if (owner.closeRequested)
        {
            // The connection ended while a close was waiting for a write.
            owner.state = State::closed;
            owner.fulfilClosePromise();
            return;
        }

        // After the host ended the session, a late error needs no alert.
        const bool endedByHost = owner.state == State::closed;
        owner.state = State::closed;

        if (!endedByHost)
            reportFailure (ec, writeCutOff);

        // The next introduction asks the host for a new session.
        owner.changeSessionToken ({});
    }

    /** A lost connection is re-established while the host knows us by a
        token; otherwise the user is told. */
    void reportFailure (error_code ec, bool writeCutOff)
    {
        if (isConnectionLost (ec, writeCutOff))
        {
            if (owner.sessionToken.isNotEmpty())
                scheduleReconnect();
            else
                report (comm::HostConnectionProblem::lost);
        }
        else if (ec == net::error::connection_refused)
        {
            report (comm::HostConnectionProblem::refused);
        }
    }

    /** Whether the host dropped the connection under our feet. A reset that
        arrives while a write waits for room in the socket is taken by the
        write, and the read then finds only the end of the stream: an end of
        stream that cuts a write short is a lost connection too, or the
        message being written and those queued behind it would be dropped. */
    static bool isConnectionLost (error_code ec, bool writeCutOff)
    {
        return ec == net::error::connection_aborted || ec == net::error::connection_reset || ec == net::error::broken_pipe
               || (writeCutOff && ec == net::error::eof);
    }

    void report (comm::HostConnectionProblem problem)
    {
        if (owner.onConnectionProblem)
            owner.onConnectionProblem (problem);
    }

    void scheduleReconnect()
    {
        reconnectTimer.cancel();
        const auto arm = ++reconnectArm;
        owner.state = State::idle;

        reconnectTimer.expires_after (std::chrono::milliseconds (reconnectDelayMs));
        reconnectTimer.async_wait ([s = self(), arm] (error_code ec)
                                   {
                                       auto& i = *s->impl;

                                       if (ec || arm != i.reconnectArm || s->state != State::idle || s->closeRequested)
                                           return;

                                       s->run (s->host, s->port); });
    }

    //==============================================================================
    void startClose()
    {
        owner.state = State::closing;
        ++reconnectArm;
        reconnectTimer.cancel();
        introTimer.cancel();

        auto c = connection;

        if (c != nullptr && !c->failed && c->ws.is_open())
        {
            c->ws.async_close (websocket::close_code::normal,
                               [s = self(), c] (error_code)
                               {
                                   s->state = State::closed;
                                   s->fulfilClosePromise();
                               });
            return;
        }

        if (c != nullptr)
        {
            // Still connecting or handshaking: cancel that.
            c->failed = true;
            error_code ignored;
            c->ws.next_layer().close (ignored);
        }

        owner.state = State::closed;
        owner.fulfilClosePromise();
    }
};

//==============================================================================
WebSocketSession::WebSocketSession (boost::asio::io_context& ioContext)
    : closeFuture (closePromise.get_future().share())
    , impl (std::make_unique<Impl> (*this, ioContext))
{
}

WebSocketSession::~WebSocketSession()
{
    fulfilClosePromise();
}

void WebSocketSession::setSessionToken (juce::String token)
{
    sessionToken = std::move (token);
}

void WebSocketSession::run (juce::StringRef hostToUse, juce::StringRef portToUse)
{
    host = hostToUse;
    port = portToUse;

    if (closeRequested || state == State::closing)
        return;

    impl->introWriting = false;
    impl->readingIntroReply = false;
    impl->connect();
}

void WebSocketSession::sendInvokePluginMsg (int msgId, juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                                            std::optional<int> pressureLimit, std::optional<int> timeoutMs, bool expires)
{
    if (queues.admit (msgId, std::move (plugin), std::move (method), std::move (args), std::move (onResponse),
                      pressureLimit, timeoutMs, expires))
        tryWrite();
}

void WebSocketSession::queueInvokePluginMsg (int msgId, juce::String plugin, juce::String method, juce::var args, ResponseCallback onResponse,
                                             std::optional<int> timeoutMs, bool expires, bool pressureLimited)
{
    queues.queue (msgId, std::move (plugin), std::move (method), std::move (args), std::move (onResponse),
                  timeoutMs, expires, pressureLimited);
    tryWrite();
}

void WebSocketSession::purgePlaybackPendingResponses()
{
    queues.purgePlaybackPendingResponses();
}

void WebSocketSession::handleIncomingMessage (const juce::var& message)
{
    if (const auto reply = comm::getHostReply (message))
    {
        if (auto callback = queues.takeResponse (reply->msgId))
            postToMessageThread ([callback = std::move (callback), result = reply->methodRes]
                                 { callback (result); });

        return;
    }

    // The host may grant a token at any time, e.g. in the reply to an
    // introduction that came after the session had opened without it.
    if (const auto token = comm::getGrantedSessionToken (message))
        changeSessionToken (*token);
}

void WebSocketSession::close()
{
    if (state == State::closing)
        return;

    if (state == State::closed || state == State::idle)
    {
        closeRequested = true;
        impl->startClose();
        return;
    }

    closeRequested = true;

    if (!impl->isWriteInFlight())
        impl->startClose();
}

void WebSocketSession::tryWrite()
{
    if (state != State::open || closeRequested)
        return;

    if (auto w = queues.beginNextWrite())
        impl->write (std::move (*w));
}

void WebSocketSession::changeSessionToken (const juce::String& token)
{
    sessionToken = token;

    if (onSessionTokenChanged)
        onSessionTokenChanged (token);
}

void WebSocketSession::fulfilClosePromise()
{
    if (closePromiseFulfilled)
        return;

    closePromiseFulfilled = true;
    closePromise.set_value();
}
