#include "engine/comm/web-socket/HostProtocol.h"
#include "utils/JsonParser.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace comm
{
namespace
{
std::optional<int> toMessageId (const juce::var& value)
{
    constexpr auto lowest = static_cast<juce::int64> (std::numeric_limits<int>::min());
    constexpr auto highest = static_cast<juce::int64> (std::numeric_limits<int>::max());

    auto inRange = [&] (juce::int64 v) -> std::optional<int>
    {
        if (v < lowest || v > highest)
            return std::nullopt;

        return static_cast<int> (v);
    };

    if (value.isInt())
        return static_cast<int> (value);

    if (value.isInt64())
        return inRange (static_cast<juce::int64> (value));

    if (value.isDouble())
    {
        const auto d = static_cast<double> (value);

        if (!std::isfinite (d) || std::trunc (d) != d || std::abs (d) > 1.0e10)
            return std::nullopt;

        return inRange (static_cast<juce::int64> (d));
    }

    if (value.isString())
    {
        const auto text = value.toString().trim();
        const auto digits = text.startsWithChar ('-') ? text.substring (1) : text;

        if (digits.isEmpty() || digits.length() > 10 || !digits.containsOnly ("0123456789"))
            return std::nullopt;

        return inRange (text.getLargeIntValue());
    }

    return std::nullopt;
}
} // namespace

juce::String buildIntroduction (const juce::String& sessionToken)
{
    const juce::String keyIndent = juce::String::repeatedString (" ", 10);

    juce::String text;
    text << "{\n"
         << keyIndent << "\"message\": \"connect\",\n"
         << keyIndent << "\"clientName\": \"OrvanaSuite\",\n"
         << keyIndent << "\"handshakeVersion\": \"1.0\",\n";

    if (sessionToken.isEmpty())
        text << keyIndent << "\"plugins\": [\"ORX\"]\n"
             << juce::String::repeatedString (" ", 8) << "}";
    else
        text << keyIndent << "\"sessionToken\": " << juce::JSON::toString (juce::var (sessionToken)) << "}";

    return text;
}

juce::String buildInvokeMessage (int msgId, const juce::String& plugin, const juce::String& method, const juce::var& args)
{
    juce::Array<juce::var> arguments{juce::var (msgId), juce::var (plugin), juce::var (method), args};

    auto* message = new juce::DynamicObject();
    message->setProperty ("message", "invokePlugin");
    message->setProperty ("name", "ORX");
    message->setProperty ("method", "callMethod");
    message->setProperty ("args", std::move (arguments));

    return juce::JSON::toString (juce::var (message), false, 15);
}

juce::var parseIncomingMessage (const char* utf8, size_t size)
{
    juce::var message;

    if (utils::json::parse (utf8, size, message, utils::json::BadUtf8::fail).failed())
        return {};

    return message;
}

juce::var parseIncomingMessage (const juce::String& text)
{
    const auto* utf8 = text.toRawUTF8();
    return parseIncomingMessage (utf8, std::strlen (utf8));
}

std::optional<HostReply> getHostReply (const juce::var& message)
{
    if (!message.isObject())
        return std::nullopt;

    const auto returnValue = message.getProperty ("returnValue", {});

    if (!returnValue.isObject())
        return std::nullopt;

    const auto msgId = toMessageId (returnValue.getProperty ("msgId", {}));

    if (!msgId.has_value() || *msgId == 0)
        return std::nullopt;

    return HostReply{*msgId, returnValue.getProperty ("methodRes", {})};
}

std::optional<juce::String> getGrantedSessionToken (const juce::var& message)
{
    const auto* object = message.getDynamicObject();

    if (object == nullptr || object->hasProperty ("returnValue"))
        return std::nullopt;

    const auto token = object->getProperty ("sessionToken");

    if (token.isString() || token.isInt() || token.isInt64() || token.isDouble())
        return token.toString();

    return std::nullopt;
}
} // namespace comm
