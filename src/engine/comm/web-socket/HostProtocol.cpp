#include "engine/comm/web-socket/HostProtocol.h"

#include <cmath>
#include <limits>

namespace comm
{
namespace
{
// The JSON parser recurses once per nesting level; deeper input is refused
// rather than allowed to exhaust the I/O thread's stack.
constexpr int maxJsonDepth = 256;

bool nestsTooDeeply (const juce::String& text)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;

    // Structural characters are ASCII and never appear inside a UTF-8
    // sequence, so the bytes can be scanned directly.
    for (auto* p = text.toRawUTF8(); *p != 0; ++p)
    {
        const auto c = *p;

        if (inString)
        {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        }
        else if (c == '"')
        {
            inString = true;
        }
        else if (c == '[' || c == '{')
        {
            if (++depth > maxJsonDepth)
                return true;
        }
        else if (c == ']' || c == '}')
        {
            --depth;
        }
    }

    return false;
}

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

        if (! std::isfinite (d) || std::trunc (d) != d || std::abs (d) > 1.0e10)
            return std::nullopt;

        return inRange (static_cast<juce::int64> (d));
    }

    if (value.isString())
    {
        const auto text = value.toString().trim();
        const auto digits = text.startsWithChar ('-') ? text.substring (1) : text;

        if (digits.isEmpty() || digits.length() > 10 || ! digits.containsOnly ("0123456789"))
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
    juce::Array<juce::var> arguments { juce::var (msgId), juce::var (plugin), juce::var (method), args };

    auto* message = new juce::DynamicObject();
    message->setProperty ("message", "invokePlugin");
    message->setProperty ("name", "ORX");
    message->setProperty ("method", "callMethod");
    message->setProperty ("args", std::move (arguments));

    return juce::JSON::toString (juce::var (message), false, 15);
}

std::optional<HostReply> parseHostReply (const juce::String& text)
{
    const auto message = parseJson (text);

    if (! message.isObject())
        return std::nullopt;

    const auto returnValue = message.getProperty ("returnValue", {});

    if (! returnValue.isObject())
        return std::nullopt;

    const auto msgId = toMessageId (returnValue.getProperty ("msgId", {}));

    if (! msgId.has_value() || *msgId == 0)
        return std::nullopt;

    return HostReply { *msgId, returnValue.getProperty ("methodRes", {}) };
}

juce::String parseIntroReplyToken (const juce::String& text)
{
    const auto reply = parseJson (text);

    if (! reply.isObject())
        return {};

    const auto token = reply.getProperty ("sessionToken", {});

    if (token.isString() || token.isInt() || token.isInt64() || token.isDouble())
        return token.toString();

    return {};
}

juce::var parseJson (const juce::String& text)
{
    if (nestsTooDeeply (text))
        return {};

    juce::var result;

    if (juce::JSON::parse (text, result).failed())
        return {};

    return result;
}

std::optional<juce::String> textFromUtf8 (const char* data, size_t size)
{
    if (size == 0)
        return juce::String();

    if (size > static_cast<size_t> (std::numeric_limits<int>::max())
        || ! juce::CharPointer_UTF8::isValidString (data, static_cast<int> (size)))
        return std::nullopt;

    return juce::String::fromUTF8 (data, static_cast<int> (size));
}
} // namespace comm
