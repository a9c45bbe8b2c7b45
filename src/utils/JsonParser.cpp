#include "utils/JsonParser.h"
#include "utils/JsonNumberText.h"
#include "utils/Utf8Check.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace utils::json
{
namespace
{
bool isSpace (char c) noexcept
{
    return c == ' ' || (c >= 9 && c <= 13);
}

bool isDigit (char c) noexcept
{
    return c >= '0' && c <= '9';
}

int hexValue (char c) noexcept
{
    if (c >= '0' && c <= '9')
        return c - '0';

    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;

    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;

    return -1;
}

void appendUtf8 (std::string& out, uint32_t c)
{
    if (c < 0x80)
    {
        out += static_cast<char> (c);
    }
    else if (c < 0x800)
    {
        out += static_cast<char> (0xc0 | (c >> 6));
        out += static_cast<char> (0x80 | (c & 0x3f));
    }
    else if (c < 0x10000)
    {
        out += static_cast<char> (0xe0 | (c >> 12));
        out += static_cast<char> (0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char> (0x80 | (c & 0x3f));
    }
    else
    {
        out += static_cast<char> (0xf0 | (c >> 18));
        out += static_cast<char> (0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char> (0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char> (0x80 | (c & 0x3f));
    }
}

juce::String stringOf (const char* begin, const char* end)
{
    return juce::String (juce::CharPointer_UTF8 (begin), juce::CharPointer_UTF8 (end));
}

// Property names repeat endlessly in a payload; making an Identifier goes
// through JUCE's global string pool, so each distinct name is made once.
class KeyCache final
{
public:
    juce::Identifier get (const char* begin, size_t length)
    {
        if (length == 0)
            return {};

        uint32_t hash = 2166136261u;

        for (size_t i = 0; i < length; ++i)
            hash = (hash ^ static_cast<unsigned char> (begin[i])) * 16777619u;

        auto& entry = entries[hash & (entries.size() - 1)];

        if (entry.bytes.size() != length || std::memcmp (entry.bytes.data(), begin, length) != 0)
        {
            entry.bytes.assign (begin, length);
            entry.id = juce::Identifier (stringOf (begin, begin + length));
        }

        return entry.id;
    }

private:
    struct Entry
    {
        std::string bytes;
        juce::Identifier id;
    };

    std::array<Entry, 256> entries;
};

class Parser final
{
public:
    Parser (const char* text, const char* textEnd)
        : start (text)
        , p (text)
        , end (textEnd)
    {
    }

    juce::Result parseTopLevel (juce::var& result)
    {
        skipSpace();

        if (*p == '{' || *p == '[')
        {
            auto value = parseValue (0);

            if (error != nullptr)
                return juce::Result::fail (juce::String (error) + " at byte " + juce::String (static_cast<juce::int64> (errorAt - start)));

            result = std::move (value);
            return juce::Result::ok();
        }

        if (p >= end)
        {
            result = juce::var();
            return juce::Result::ok();
        }

        return juce::Result::fail ("Expected '{' or '[' at byte " + juce::String (static_cast<juce::int64> (p - start)));
    }

private:
    void skipSpace() noexcept
    {
        while (isSpace (*p))
            ++p;
    }

    void fail (const char* message) noexcept
    {
        if (error == nullptr)
        {
            error = message;
            errorAt = p;
        }
    }

    juce::var parseValue (int depth)
    {
        skipSpace();

        switch (*p)
        {
            case '{':
            case '[':
                if (depth >= maxDepth)
                {
                    fail ("Nested deeper than the parser allows");
                    return {};
                }

                return *p++ == '{' ? parseObject (depth + 1) : parseArray (depth + 1);

            case '"':
            case '\'':
            {
                const auto quote = *p++;
                return parseString (quote);
            }

            case '-':
                ++p;
                skipSpace();
                return parseNumber (true);

            case '0':
            case '1':
            case '2':
            case '3':
            case '4':
            case '5':
            case '6':
            case '7':
            case '8':
            case '9':
                return parseNumber (false);

            case 't':
                if (matchWord ("true"))
                    return true;
                break;

            case 'f':
                if (matchWord ("false"))
                    return false;
                break;

            case 'n':
                if (matchWord ("null"))
                    return {};
                break;

            default:
                break;
        }

        fail ("Syntax error");
        return {};
    }

    bool matchWord (const char* word) noexcept
    {
        const auto length = std::strlen (word);

        if (static_cast<size_t> (end - p) < length || std::memcmp (p, word, length) != 0)
            return false;

        p += length;
        return true;
    }

    juce::var parseNumber (bool negative)
    {
        const auto* numberStart = p;

        if (!isDigit (*p))
        {
            fail ("Syntax error in number");
            return {};
        }

        // A negative integer may reach 2^63 in magnitude (INT64_MIN).
        const auto limit = static_cast<uint64_t> (std::numeric_limits<int64_t>::max()) + (negative ? 1u : 0u);
        uint64_t magnitude = 0;
        bool overflow = false;

        while (isDigit (*p))
        {
            const auto digit = static_cast<uint64_t> (*p++ - '0');

            if (magnitude > (limit - digit) / 10)
                overflow = true;
            else
                magnitude = magnitude * 10 + digit;
        }

        if (*p == '.' || *p == 'e' || *p == 'E' || overflow)
        {
            p = numberStart;
            const auto value = readDouble (p);
            return negative ? -value : value;
        }

        if (!(isSpace (*p) || *p == ',' || *p == '}' || *p == ']' || p >= end))
        {
            fail ("Syntax error in number");
            return {};
        }

        const auto value = negative ? static_cast<int64_t> (0u - magnitude) : static_cast<int64_t> (magnitude);

        if ((magnitude >> 31) != 0)
            return static_cast<juce::int64> (value);

        return static_cast<int> (value);
    }

    juce::var parseString (char quote)
    {
        const auto* begin = p;

        while (*p != quote && *p != '\\' && p < end)
            ++p;

        if (*p == quote && p < end)
            return stringOf (begin, p++);

        std::string buffer (begin, p);

        if (!readEscapedRest (quote, buffer))
            return {};

        return stringOf (buffer.data(), buffer.data() + buffer.size());
    }

    juce::Identifier parseKey()
    {
        const auto* begin = p;

        while (*p != '"' && *p != '\\' && p < end)
            ++p;

        if (*p == '"' && p < end)
        {
            const auto length = static_cast<size_t> (p - begin);
            ++p;
            return keys.get (begin, length);
        }

        std::string buffer (begin, p);

        if (!readEscapedRest ('"', buffer))
            return {};

        return keys.get (buffer.data(), buffer.size());
    }

    // Reads the rest of a string whose first escape (or end) p stands at.
    bool readEscapedRest (char quote, std::string& out)
    {
        for (;;)
        {
            if (p >= end)
            {
                fail ("Unexpected end of text in a string");
                return false;
            }

            const auto c = *p++;

            if (c == quote)
                return true;

            if (c != '\\')
            {
                out += c;
                continue;
            }

            if (p >= end)
            {
                fail ("Unexpected end of text in a string");
                return false;
            }

            const auto escaped = *p++;

            switch (escaped)
            {
                case 'a':
                    out += '\a';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u':
                {
                    auto unit = readHex4();

                    if (unit < 0)
                        return false;

                    if (unit == 0)
                    {
                        fail ("Unexpected end of text in a string");
                        return false;
                    }

                    auto codePoint = static_cast<uint32_t> (unit);

                    if (codePoint >= 0xd800 && codePoint < 0xdc00 && p + 1 < end && p[0] == '\\' && p[1] == 'u')
                    {
                        const auto* afterHigh = p;
                        p += 2;
                        const auto low = readHex4();

                        if (low < 0)
                            return false;

                        // Not a low surrogate: the loop reads that escape by itself.
                        if (low >= 0xdc00 && low < 0xe000)
                            codePoint = 0x10000 + ((codePoint - 0xd800) << 10) + (static_cast<uint32_t> (low) - 0xdc00);
                        else
                            p = afterHigh;
                    }

                    // A lone surrogate cannot be written as UTF-8.

                    if (codePoint >= 0xd800 && codePoint < 0xe000)
                        codePoint = 0xfffd;

                    appendUtf8 (out, codePoint);
                    break;
                }
                default:
                    // Quotes, slashes and any unknown escape stand for themselves.
                    out += escaped;
                    break;
            }
        }
    }

    // Four hex digits after "\u"; -1 (and an error) when they are not there.
    int readHex4() noexcept
    {
        int value = 0;

        for (int i = 0; i < 4; ++i)
        {
            const auto digit = p < end ? hexValue (*p) : -1;

            if (digit < 0)
            {
                fail ("Syntax error in unicode escape sequence");
                return -1;
            }

            value = (value << 4) + digit;
            ++p;
        }

        return value;
    }

    juce::var parseObject (int depth)
    {
        auto* object = new juce::DynamicObject();
        juce::var result (object);
        auto& properties = object->getProperties();

        for (;;)
        {
            skipSpace();

            if (*p == '}')
            {
                ++p;
                return result;
            }

            if (p >= end)
            {
                fail ("Unexpected end of text in an object");
                return {};
            }

            if (*p != '"')
            {
                fail ("Expected a property name in double-quotes");
                return {};
            }

            ++p;
            const auto name = parseKey();

            if (error != nullptr)
                return {};

            if (!name.isValid())
            {
                fail ("Invalid property name");
                return {};
            }

            skipSpace();

            if (*p != ':')
            {
                fail ("Expected ':'");
                return {};
            }

            ++p;
            auto value = parseValue (depth);

            if (error != nullptr)
                return {};

            properties.set (name, std::move (value));
            skipSpace();

            if (*p == ',')
            {
                ++p;
                continue;
            }

            if (*p == '}')
            {
                ++p;
                return result;
            }

            fail ("Expected ',' or '}'");
            return {};
        }
    }

    juce::var parseArray (int depth)
    {
        // Elements gather on a stack shared by all arrays of the parse, so
        // that each array is allocated once at its final size instead of
        // growing step by step.
        const auto base = pending.size();

        for (;;)
        {
            skipSpace();

            if (*p == ']')
            {
                ++p;
                return takeArray (base);
            }

            if (p >= end)
            {
                fail ("Unexpected end of text in an array");
                return {};
            }

            pending.push_back (parseValue (depth));

            if (error != nullptr)
                return {};

            skipSpace();

            if (*p == ',')
            {
                ++p;
                continue;
            }

            if (*p == ']')
            {
                ++p;
                return takeArray (base);
            }

            fail ("Expected ',' or ']'");
            return {};
        }
    }

    juce::var takeArray (size_t base)
    {
        juce::Array<juce::var> elements;
        elements.ensureStorageAllocated (static_cast<int> (pending.size() - base));

        for (auto i = base; i < pending.size(); ++i)
            elements.add (std::move (pending[i]));

        pending.resize (base);
        return juce::var (std::move (elements));
    }

    const char* const start;
    const char* p;
    const char* const end;
    const char* error = nullptr;
    const char* errorAt = nullptr;
    KeyCache keys;
    std::vector<juce::var> pending;
};
} // namespace

namespace
{
juce::Result parseTerminated (const char* text, size_t length, juce::var& result, BadUtf8 badUtf8)
{
    // Text from outside may hold bytes that are not UTF-8; JUCE's string
    // functions would step past the end of strings made of them, so such
    // bytes are refused or become replacement characters before anything
    // is built.
    if (const auto bad = utf8::firstInvalidByte (text, length); bad < length)
    {
        if (badUtf8 == BadUtf8::fail)
            return juce::Result::fail ("Not UTF-8 at byte " + juce::String (static_cast<juce::int64> (bad)));

        const auto valid = utf8::withValidUtf8 (text, length, bad);
        Parser parser (valid.c_str(), valid.c_str() + valid.size());
        return parser.parseTopLevel (result);
    }

    Parser parser (text, text + length);
    return parser.parseTopLevel (result);
}
} // namespace

juce::Result parse (const juce::String& text, juce::var& result)
{
    // A juce::String is NUL-terminated, so the parser may always look one
    // byte ahead without a bounds check.
    const auto* begin = text.toRawUTF8();
    return parseTerminated (begin, std::strlen (begin), result, BadUtf8::replace);
}

juce::var parse (const juce::String& text)
{
    juce::var result;

    if (parse (text, result).wasOk())
        return result;

    return {};
}

juce::Result parse (const char* utf8, size_t length, juce::var& result, BadUtf8 badUtf8)
{
    // The text ends at its first NUL, as it would in a juce::String.
    const auto textLength = strnlen (utf8, length);

    if (textLength < length || utf8[length] == 0)
        return parseTerminated (utf8, textLength, result, badUtf8);

    // The parser looks one byte past the text; without the terminator that
    // byte is not ours to read as the end.
    jassertfalse;
    const std::string copy (utf8, length);
    return parseTerminated (copy.c_str(), length, result, badUtf8);
}
} // namespace utils::json
