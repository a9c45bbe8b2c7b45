#include "support/TestClient.h"

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

namespace hostsim::test
{
namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;

struct TestClient::Impl
{
    asio::io_context ioc;
    websocket::stream<tcp::socket> ws{ioc};
    beast::flat_buffer buffer;
    bool readPending = false;
    bool readDone = false;
    beast::error_code readError;
};

TestClient::TestClient()
    : impl (std::make_unique<Impl>())
{
}

TestClient::~TestClient()
{
    beast::error_code ignored;
    impl->ws.next_layer().close (ignored);
}

bool TestClient::connect (int port)
{
    beast::error_code ec;
    impl->ws.next_layer().connect (tcp::endpoint (asio::ip::make_address ("127.0.0.1"), static_cast<unsigned short> (port)), ec);

    if (ec)
    {
        refused = ec == asio::error::connection_refused;
        error = ec.message();
        return false;
    }

    impl->ws.handshake ("127.0.0.1", "/", ec);

    if (ec)
    {
        error = ec.message();
        return false;
    }

    return true;
}

bool TestClient::send (const juce::String& text)
{
    beast::error_code ec;
    impl->ws.text (true);
    const auto utf8 = text.toStdString();
    impl->ws.write (asio::buffer (utf8), ec);

    if (ec)
        error = ec.message();

    return !ec;
}

std::optional<juce::String> TestClient::receive (int timeoutMs)
{
    if (ending != Ending::open)
        return std::nullopt;

    if (!impl->readPending)
    {
        impl->readPending = true;
        impl->readDone = false;
        impl->ws.async_read (impl->buffer, [this] (beast::error_code ec, std::size_t)
                             {
            impl->readDone = true;
            impl->readError = ec; });
    }

    impl->ioc.restart();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs);

    while (!impl->readDone && std::chrono::steady_clock::now() < deadline)
        impl->ioc.run_one_until (deadline);

    if (!impl->readDone)
        return std::nullopt;

    impl->readPending = false;

    if (impl->readError)
    {
        const auto& ec = impl->readError;

        if (ec == websocket::error::closed)
            ending = Ending::closeFrame;
        else if (ec == asio::error::connection_reset || ec == asio::error::eof || ec == beast::http::error::end_of_stream)
            ending = Ending::reset;
        else
            ending = Ending::other;

        error = ec.message();
        return std::nullopt;
    }

    const auto text = beast::buffers_to_string (impl->buffer.data());
    impl->buffer.consume (impl->buffer.size());
    return juce::String::fromUTF8 (text.data(), static_cast<int> (text.size()));
}

juce::var TestClient::receiveJson (int timeoutMs)
{
    const auto text = receive (timeoutMs);
    return text ? juce::JSON::parse (*text) : juce::var();
}

void TestClient::close()
{
    if (ending != Ending::open || impl->readPending)
    {
        beast::error_code ignored;
        impl->ws.next_layer().close (ignored);
        return;
    }

    beast::error_code ec;
    impl->ws.close (websocket::close_code::normal, ec);
    ending = Ending::closeFrame;
}

juce::String TestClient::introduce (int port, const juce::String& token)
{
    if (!connect (port) || !send (introduction (token)))
        return {};

    const auto reply = receiveJson();
    return reply["result"] == juce::var (true) ? reply["sessionToken"].toString() : juce::String();
}

juce::String TestClient::introduction (const juce::String& token)
{
    // The suite's own layout: each key on its own line; the token verbatim.
    if (token.isNotEmpty())
        return "{\n          \"message\": \"connect\",\n          \"clientName\": \"OrvanaSuite\",\n"
               "          \"handshakeVersion\": \"1.0\",\n          \"sessionToken\": \""
               + token + "\"}";

    return "{\n          \"message\": \"connect\",\n          \"clientName\": \"OrvanaSuite\",\n"
           "          \"handshakeVersion\": \"1.0\",\n          \"plugins\": [\"ORX\"]\n        }";
}

juce::String TestClient::callMethod (int msgId, const juce::String& plugin, const juce::String& method, const juce::var& argument)
{
    juce::Array<juce::var> args{msgId, plugin, method, argument};
    auto* object = new juce::DynamicObject();
    const juce::var message (object);
    object->setProperty ("message", "invokePlugin");
    object->setProperty ("name", "ORX");
    object->setProperty ("method", "callMethod");
    object->setProperty ("args", args);
    return juce::JSON::toString (message);
}
} // namespace hostsim::test
