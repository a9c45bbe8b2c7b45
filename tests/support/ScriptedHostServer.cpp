#include "support/ScriptedHostServer.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include <deque>
#include <future>
#include <mutex>
#include <thread>

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = net::ip::tcp;
using error_code = beast::error_code;

namespace testsupport
{
namespace
{
constexpr std::uint64_t maxMessageBytes = 256u * 1024u * 1024u;

template <typename Handler>
void postTo (net::io_context& io, Handler&& handler)
{
    net::post (io, std::forward<Handler> (handler), nullptr);
}

struct ServerConnection : std::enable_shared_from_this<ServerConnection>
{
    ServerConnection (tcp::socket socket, std::function<void()> onSentToUse)
        : ws (std::move (socket))
        , onSent (std::move (onSentToUse))
    {
    }

    websocket::stream<tcp::socket> ws;
    std::function<void()> onSent;
    beast::flat_buffer buffer;
    http::request<http::string_body> request;
    std::deque<std::string> outbox;
    bool writing = false;
    bool introSeen = false;
    bool open = false;

    void send (std::string text)
    {
        if (!open)
            return;

        outbox.push_back (std::move (text));
        writeNext();
    }

    void writeNext()
    {
        if (writing || outbox.empty() || !open)
            return;

        writing = true;
        ws.text (true);
        ws.async_write (net::buffer (outbox.front()),
                        [self = shared_from_this()] (error_code ec, std::size_t)
                        {
                            self->writing = false;
                            self->outbox.pop_front();

                            if (!ec && self->onSent)
                                self->onSent();

                            if (!ec)
                                self->writeNext();
                        });
    }
};
} // namespace

struct ScriptedHostServer::Impl
{
    net::io_context io;
    tcp::acceptor acceptor{io};
    std::thread thread;
    int port = 0;

    mutable std::mutex mutex;
    std::optional<Reply> introReply = Reply{juce::String ("{\"sessionToken\": \"") + defaultToken + "\"}", 0};
    bool introHeld = false;
    bool recording = true;
    Responder responder;
    std::function<void()> sentObserver;
    std::optional<int> pauseAfter;
    int connectionCount = 0;
    std::vector<juce::String> introductions;
    std::vector<juce::var> invocations;
    std::vector<int> closeCodes;
    std::vector<std::pair<juce::String, juce::String>> handshakes;

    /** A copy of a shared member, taken under the lock. */
    template <typename T>
    T copyOf (const T& member) const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return member;
    }

    /** Sets a shared member under the lock. */
    template <typename T, typename Value>
    void assign (T& member, Value&& value)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        member = std::forward<Value> (value);
    }

    // Server thread only.
    std::vector<std::shared_ptr<ServerConnection>> connections;
    std::vector<std::weak_ptr<ServerConnection>> heldIntros;

    void accept()
    {
        acceptor.async_accept ([this] (error_code ec, tcp::socket socket)
                               {
                                   if (ec)
                                       return;

                                   socket.set_option (tcp::no_delay (true), ec);
                                   auto c = std::make_shared<ServerConnection> (std::move (socket), [this] { notifySent(); });
                                   connections.push_back (c);
                                   readHandshake (c);
                                   accept(); });
    }

    void readHandshake (const std::shared_ptr<ServerConnection>& c)
    {
        http::async_read (c->ws.next_layer(), c->buffer, c->request,
                          [this, c] (error_code ec, std::size_t)
                          {
                              if (ec)
                                  return;

                              {
                                  const std::lock_guard<std::mutex> lock (mutex);
                                  handshakes.emplace_back (juce::String (std::string (c->request.target())),
                                                           juce::String (std::string (c->request[http::field::host])));
                              }

                              // Room for the large invocations of the tests.
                              c->ws.read_message_max (maxMessageBytes);
                              c->ws.async_accept (c->request, [this, c] (error_code e)
                                                  {
                                                      if (e)
                                                          return;

                                                      c->open = true;

                                                      {
                                                          const std::lock_guard<std::mutex> lock (mutex);
                                                          ++connectionCount;
                                                      }

                                                      read (c); });
                          });
    }

    void read (const std::shared_ptr<ServerConnection>& c)
    {
        c->buffer.consume (c->buffer.size());
        c->ws.async_read (c->buffer, [this, c] (error_code ec, std::size_t)
                          {
                              if (ec)
                              {
                                  c->open = false;

                                  if (ec == websocket::error::closed)
                                  {
                                      const std::lock_guard<std::mutex> lock (mutex);
                                      closeCodes.push_back (static_cast<int> (c->ws.reason().code));
                                  }

                                  return;
                              }

                              const auto bytes = beast::buffers_to_string (c->buffer.data());
                              onMessage (c, juce::String::fromUTF8 (bytes.data(), static_cast<int> (bytes.size())));

                              if (! pausesAfterThisMessage())
                                  read (c); });
    }

    /** True once, after the invocation at which reading was to pause. */
    bool pausesAfterThisMessage()
    {
        const std::lock_guard<std::mutex> lock (mutex);

        if (!pauseAfter.has_value() || static_cast<int> (invocations.size()) < *pauseAfter)
            return false;

        pauseAfter.reset();
        return true;
    }

    void onMessage (const std::shared_ptr<ServerConnection>& c, const juce::String& text)
    {
        if (!c->introSeen)
        {
            c->introSeen = true;
            std::optional<Reply> reply;

            {
                const std::lock_guard<std::mutex> lock (mutex);
                introductions.push_back (text);

                if (introHeld)
                {
                    heldIntros.push_back (c);
                    return;
                }

                reply = introReply;
            }

            if (reply.has_value())
                sendLater (c, *reply);

            return;
        }

        const auto message = juce::JSON::parse (text);
        Responder respond;

        {
            const std::lock_guard<std::mutex> lock (mutex);

            if (recording)
                invocations.push_back (message);

            respond = responder;
        }

        if (respond)
            if (const auto reply = respond (message))
                sendLater (c, *reply);
    }

    void sendLater (const std::shared_ptr<ServerConnection>& c, const Reply& reply)
    {
        auto text = reply.text.toStdString();

        if (reply.delayMs <= 0)
        {
            c->send (std::move (text));
            return;
        }

        auto timer = std::make_shared<net::steady_timer> (io, std::chrono::milliseconds (reply.delayMs));
        timer->async_wait ([c, timer, text = std::move (text)] (error_code ec) mutable
                           {
                               if (! ec)
                                   c->send (std::move (text)); });
    }

    void notifySent()
    {
        if (const auto observer = copyOf (sentObserver))
            observer();
    }

    void forEachOpenConnection (std::function<void (ServerConnection&)> action)
    {
        for (auto& c : connections)
            if (c->open)
                action (*c);
    }
};

ScriptedHostServer::ScriptedHostServer()
    : impl (std::make_unique<Impl>())
{
    const tcp::endpoint endpoint (net::ip::make_address_v4 ("127.0.0.1"), 0);
    impl->acceptor.open (endpoint.protocol());
    impl->acceptor.set_option (net::socket_base::reuse_address (true));
    impl->acceptor.bind (endpoint);
    impl->acceptor.listen();
    impl->port = impl->acceptor.local_endpoint().port();
    impl->accept();
    impl->thread = std::thread ([this]
                                { impl->io.run(); });
}

ScriptedHostServer::~ScriptedHostServer()
{
    postTo (impl->io, [this]
            {
                error_code ignored;
                impl->acceptor.close (ignored);

                for (auto& c : impl->connections)
                    c->ws.next_layer().close (ignored); });

    impl->io.stop();
    impl->thread.join();
}

int ScriptedHostServer::getPort() const
{
    return impl->port;
}

void ScriptedHostServer::setIntroReply (std::optional<Reply> reply)
{
    impl->assign (impl->introReply, std::move (reply));
}
void ScriptedHostServer::holdIntroReplies()
{
    impl->assign (impl->introHeld, true);
}

void ScriptedHostServer::releaseIntroReplies()
{
    postTo (impl->io, [this]
            {
                std::optional<Reply> reply;
                std::vector<std::weak_ptr<ServerConnection>> held;

                {
                    const std::lock_guard<std::mutex> lock (impl->mutex);
                    impl->introHeld = false;
                    reply = impl->introReply;
                    held.swap (impl->heldIntros);
                }

                if (reply.has_value())
                    for (auto& weak : held)
                        if (auto c = weak.lock())
                            impl->sendLater (c, *reply); });
}

void ScriptedHostServer::setResponder (Responder responder)
{
    impl->assign (impl->responder, std::move (responder));
}

ScriptedHostServer::Responder ScriptedHostServer::echoResponder (int delayMs)
{
    return [delayMs] (const juce::var& message) -> std::optional<Reply>
    {
        const auto args = message.getProperty ("args", {});

        if (!args.isArray() || args.size() < 4)
            return std::nullopt;

        return Reply{makeReply (static_cast<int> (args[0]), args[3]), delayMs};
    };
}

juce::String ScriptedHostServer::makeReply (int msgId, const juce::var& methodRes)
{
    return "{\"returnValue\": {\"msgId\": " + juce::String (msgId) + ", \"methodRes\": " + juce::JSON::toString (methodRes, true) + "}}";
}

void ScriptedHostServer::sendText (const juce::String& text)
{
    postTo (impl->io, [this, text = text.toStdString()]() mutable
            {
                for (auto it = impl->connections.rbegin(); it != impl->connections.rend(); ++it)
                {
                    if ((*it)->open)
                    {
                        (*it)->send (std::move (text));
                        return;
                    }
                } });
}

void ScriptedHostServer::resetConnections()
{
    postTo (impl->io, [this]
            { impl->forEachOpenConnection ([] (ServerConnection& c)
                                           {
                                                 error_code ignored;
                                                 c.open = false;
                                                 c.ws.next_layer().set_option (tcp::socket::linger (true, 0), ignored);
                                                 c.ws.next_layer().close (ignored); }); });
}

void ScriptedHostServer::closeConnections()
{
    postTo (impl->io, [this]
            { impl->forEachOpenConnection ([] (ServerConnection& c)
                                           {
                                                 c.open = false;
                                                 c.ws.async_close (websocket::close_code::normal, [] (error_code) {}); }); });
}

void ScriptedHostServer::pauseReadingAfter (int invocations)
{
    impl->assign (impl->pauseAfter, invocations);
}

size_t ScriptedHostServer::getUnreadBytes() const
{
    std::promise<size_t> unread;
    auto result = unread.get_future();

    postTo (impl->io, [this, &unread]
            {
                size_t bytes = 0;

                for (auto& c : impl->connections)
                {
                    error_code ignored;

                    if (c->open)
                        bytes += c->ws.next_layer().available (ignored);
                }

                unread.set_value (bytes); });

    return result.get();
}

void ScriptedHostServer::setSentObserver (std::function<void()> observer)
{
    impl->assign (impl->sentObserver, std::move (observer));
}

void ScriptedHostServer::setRecording (bool shouldRecord)
{
    impl->assign (impl->recording, shouldRecord);
}

int ScriptedHostServer::getConnectionCount() const
{
    return impl->copyOf (impl->connectionCount);
}

std::vector<juce::String> ScriptedHostServer::getIntroductions() const
{
    return impl->copyOf (impl->introductions);
}

std::vector<juce::var> ScriptedHostServer::getInvocations() const
{
    return impl->copyOf (impl->invocations);
}

std::vector<int> ScriptedHostServer::getInvocationIds() const
{
    std::vector<int> ids;

    for (const auto& message : getInvocations())
    {
        const auto args = message.getProperty ("args", {});
        ids.push_back (args.isArray() && args.size() > 0 ? static_cast<int> (args[0]) : 0);
    }

    return ids;
}

std::vector<int> ScriptedHostServer::getCloseCodes() const
{
    return impl->copyOf (impl->closeCodes);
}

std::vector<std::pair<juce::String, juce::String>> ScriptedHostServer::getHandshakes() const
{
    return impl->copyOf (impl->handshakes);
}

int ScriptedHostServer::findRefusingPort()
{
    net::io_context io;
    tcp::acceptor probe (io, tcp::endpoint (net::ip::make_address_v4 ("127.0.0.1"), 0));
    const int port = probe.local_endpoint().port();
    probe.close();
    return port;
}
} // namespace testsupport
