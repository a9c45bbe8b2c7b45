#include "utils/JsonParser.h"
#include "../../bench/ScorePayloadGenerator.h"
#include "VarCompare.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
// Parses with both parsers and expects the same success and the same tree.
void expectSameAsJuce (const juce::String& text)
{
    juce::var reference, ours;
    const auto referenceResult = juce::JSON::parse (text, reference);
    const auto ourResult = utils::json::parse (text, ours);

    ASSERT_EQ (ourResult.wasOk(), referenceResult.wasOk()) << text << "\n"
                                                           << ourResult.getErrorMessage() << " / " << referenceResult.getErrorMessage();

    if (referenceResult.wasOk())
    {
        EXPECT_EQ (varDifference (reference, ours), "") << text;
    }
}

// Random JSON as the standard defines it (no liberties), with every escape,
// characters of one to four UTF-8 bytes, and numbers in every form the
// grammar allows; integer parts stay within 18 digits and exponents within
// three, where JUCE's parser would overflow a signed integer.
juce::String randomValidJson (juce::Random& rng, int depth)
{
    const auto space = [&rng]
    {
        static const char* spaces[] = {"", "", " ", "\n", "\t", "\r\n  "};
        return juce::String (spaces[rng.nextInt (6)]);
    };

    const auto digits = [&rng] (int count, bool nonZeroFirst)
    {
        juce::String text;

        for (int i = 0; i < count; ++i)
            text << (i == 0 && nonZeroFirst ? 1 + rng.nextInt (9) : rng.nextInt (10));

        return text;
    };

    const auto string = [&rng]
    {
        static const char* pieces[] = {"a", "Z", " ", "\\\"", "\\\\", "\\/", "\\b", "\\f", "\\n", "\\r", "\\t",
                                       "\\u0041", "\\u00e9", "\\u20AC", "\\uFFFD", "\\u0001", "\\u001f",
                                       "\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x8e\xb5", "\xe4\xb8\xad", "'", "[", "{", ":"};
        juce::String text ("\"");

        for (int i = rng.nextInt (8); --i >= 0;)
            text << juce::String::fromUTF8 (pieces[rng.nextInt (25)]);

        return text + "\"";
    };

    switch (depth > 0 ? rng.nextInt (9) : 2 + rng.nextInt (7))
    {
        case 0:
        {
            juce::String text ("{" + space());
            const auto count = rng.nextInt (5);

            for (int i = 0; i < count; ++i)
                text << (i > 0 ? "," + space() : juce::String()) << string() << space() << ":" << space() << randomValidJson (rng, depth - 1) << space();

            return text + "}";
        }
        case 1:
        {
            juce::String text ("[" + space());
            const auto count = rng.nextInt (6);

            for (int i = 0; i < count; ++i)
                text << (i > 0 ? "," + space() : juce::String()) << randomValidJson (rng, depth - 1) << space();

            return text + "]";
        }
        case 2:
        case 3:
        {
            juce::String number (rng.nextBool() ? "-" : "");
            const auto integerDigits = rng.nextInt (19);
            number << (integerDigits == 0 ? juce::String ("0") : digits (integerDigits, true));

            if (rng.nextBool())
                number << "." << digits (1 + rng.nextInt (20), false);

            if (rng.nextInt (3) == 0)
            {
                static const char* signs[] = {"", "+", "-"};
                number << (rng.nextBool() ? "e" : "E") << signs[rng.nextInt (3)] << digits (1 + rng.nextInt (3), false);
            }

            return number;
        }
        case 4:
        case 5:
            return string();
        case 6:
            return "true";
        case 7:
            return "false";
        default:
            return "null";
    }
}
} // namespace

TEST (JsonParser, SameTreesAsJuceOnFixedTexts)
{
    for (const char* text : {
             "{}", "[]", "", "   ", "[ 1234 ]", "[ 12345678901234 ]", "[ 1.123e3 ]", "[ -1234]", "[-12345678901234]",
             R"({"a":1,"b":[true,false,null],"c":{"d":"e"}})", R"({"a":1,"a":2,"b":3})", "[1,2,]", R"({"a":1,})",
             "[1] trailing text", "{\"a\":\n\t1\r\n}", "[2147483647,2147483648,-2147483648,-2147483647]", "[0.1,1E400,-1e-400]",
             "[\"\\u0000\"]", "5", "\"text\"", "nul", "[1 2]", "{\"a\" 1}", "{a:1}", "{\"\":1}", "[tru]", "[1.5.5]", "[\"unterminated",
             "[1,{\"a\":[2,{\"b\":[3]}]}]", "['a','b\"c']", "[- 12]", "[12a]", "{\"a\":1}}}", "[007, -0, 1.0, 00.5]",
             "[\"\\q \\a \\' \\/\"]", "{ \"a\" :\t[ 1 ,\r\n2 , ] , }"})
        expectSameAsJuce (text);
}

TEST (JsonParser, SameTreesAsJuceWhereverItParsesValidJson)
{
    juce::Random rng (4242);
    int compared = 0;

    for (int round = 0; round < 4000; ++round)
    {
        const auto text = rng.nextBool() ? "[" + randomValidJson (rng, 6) + "]" : "{\"v\": " + randomValidJson (rng, 6) + "}";
        juce::var reference, ours, fromBytes;

        if (juce::JSON::parse (text, reference).failed())
            continue;

        ++compared;
        ASSERT_TRUE (utils::json::parse (text, ours).wasOk()) << text;
        ASSERT_EQ (varDifference (reference, ours), "") << text;

        const auto bytes = text.toStdString();
        ASSERT_TRUE (utils::json::parse (bytes.c_str(), bytes.size(), fromBytes, utils::json::BadUtf8::fail).wasOk()) << text;
        ASSERT_EQ (varDifference (ours, fromBytes), "") << "bytes and string give the same tree: " << text;
    }

    EXPECT_GT (compared, 3000) << "JUCE's parser accepts almost all of these";
}

TEST (JsonParser, SameNumbersAsJuce)
{
    juce::Random rng (1618);

    // JUCE's parser gathers the digits before any fraction in 64 bits and
    // overflows past 18 of them, so the integer part stays shorter here.
    for (int round = 0; round < 20000; ++round)
    {
        juce::String number (1 + rng.nextInt (9));

        for (int i = rng.nextInt (17); --i >= 0;)
            number << rng.nextInt (10);

        if (rng.nextBool())
        {
            number << ".";

            for (int i = rng.nextInt (25); --i >= 0;)
                number << rng.nextInt (10);
        }

        if (rng.nextInt (3) == 0)
            number << (rng.nextBool() ? "e" : "E") << juce::String ("-+").substring (rng.nextInt (2), 1 + rng.nextInt (2)) << rng.nextInt (400);

        expectSameAsJuce ("[" + number + ", -" + number + ", 0" + number + "]");

        if (testing::Test::HasFatalFailure())
            return;
    }
}

TEST (JsonParser, DeparturesOnTextJuceHandlesBadly)
{
    // Integers beyond 64 bits become doubles instead of overflowing.
    const auto big = utils::json::parse ("[99999999999999999999, -99999999999999999999]");
    EXPECT_TRUE (big[0].isDouble());
    EXPECT_DOUBLE_EQ (static_cast<double> (big[0]), 1e20);
    EXPECT_DOUBLE_EQ (static_cast<double> (big[1]), -1e20);

    // Exponents far beyond a double's range give infinity or zero without overflowing.
    const auto exponents = utils::json::parse ("[1E2147483648, 1e-99999999999999, -1e99999999999999999999, 1.5e308, 2e308, 1" + juce::String::repeatedString ("0", 400) + "]");
    constexpr auto inf = std::numeric_limits<double>::infinity();
    const double expected[] = {inf, 0.0, -inf, 1.5e308, inf, inf};

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (static_cast<double> (exponents[i]), expected[i]) << i;

    // Escaped surrogate pairs make one character; lone ones a replacement character.
    EXPECT_EQ (utils::json::parse (R"(["\ud83c\udfb5"])")[0].toString(), juce::String::fromUTF8 ("\xf0\x9f\x8e\xb5"));
    EXPECT_EQ (utils::json::parse (R"(["\ud83cx"])")[0].toString(), juce::String::fromUTF8 ("\xef\xbf\xbdx"));

    // Integers at the edge of 64 bits: INT64_MIN stays exact, one beyond
    // either end becomes a double (JUCE's parser overflows on these, so they
    // are not handed to it).
    const auto edges = utils::json::parse ("[-9223372036854775808, 9223372036854775808, -9223372036854775809]");
    EXPECT_TRUE (edges[0].isInt64());
    EXPECT_EQ (static_cast<juce::int64> (edges[0]), std::numeric_limits<juce::int64>::min());
    EXPECT_TRUE (edges[1].isDouble());
    EXPECT_DOUBLE_EQ (static_cast<double> (edges[1]), 9223372036854775808.0);
    EXPECT_TRUE (edges[2].isDouble());

    // A minus sign must be followed by a number.
    for (const char* text : {"[-a]", "[-]", "[- ]", "[-,1]", "{\"a\":-}", "[-\"1\"]"})
    {
        juce::var result;
        EXPECT_TRUE (utils::json::parse (text, result).failed()) << text;
    }
}

TEST (JsonParser, NestingDeeperThanTheLimitFailsInsteadOfReadingVoid)
{
    const auto nested = [] (int depth, const juce::String& inner)
    { return juce::String::repeatedString ("[", depth) + inner + juce::String::repeatedString ("]", depth); };

    juce::var result;
    ASSERT_TRUE (utils::json::parse ("{\"deep\":" + nested (utils::json::maxDepth - 1, "\"x]\"") + "}", result).wasOk());
    int depth = 0;
    for (auto v = result["deep"]; v.isArray() && v.size() > 0; v = v[0])
        ++depth;
    EXPECT_EQ (depth, utils::json::maxDepth - 1) << "the limit itself is accepted";

    for (const auto& text : {"{\"deep\":" + nested (utils::json::maxDepth, "1") + ",\"next\":5}",
                             nested (utils::json::maxDepth + 1, ""),
                             "[" + juce::String::repeatedString ("{\"a\":", utils::json::maxDepth) + "1" + juce::String::repeatedString ("}", utils::json::maxDepth) + "]"})
    {
        result = juce::var ("untouched");
        EXPECT_TRUE (utils::json::parse (text, result).failed());
        EXPECT_EQ (result.toString(), "untouched") << "a failed parse leaves the result alone";
        EXPECT_TRUE (utils::json::parse (text).isVoid());
    }
}

TEST (JsonParser, BytesThatAreNotUtf8BecomeReplacementCharacters)
{
    // Truncated sequences, stray continuation bytes, overlong forms, encoded
    // surrogates and bytes beyond U+10FFFF, in keys and values.
    const char raw[] = "{\"k\xff\":\"6\xd7\xd7:/\xff\xff"
                       "8\",\"ok\":\"\xc3\xa9\xe2\x82\",\"o\":\"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\x80\xf0\x9f\x8e\xb5\"}";
    const auto text = juce::String::fromUTF8 (raw, static_cast<int> (sizeof (raw) - 1));

    const auto parsed = utils::json::parse (text);
    ASSERT_TRUE (parsed.isObject());

    const auto& properties = parsed.getDynamicObject()->getProperties();
    ASSERT_EQ (properties.size(), 3);

    for (int i = 0; i < properties.size(); ++i)
    {
        const auto key = properties.getName (i).toString();
        const auto value = properties.getValueAt (i).toString();
        EXPECT_TRUE (juce::CharPointer_UTF8::isValidString (key.toRawUTF8(), static_cast<int> (key.getNumBytesAsUTF8())));
        EXPECT_TRUE (juce::CharPointer_UTF8::isValidString (value.toRawUTF8(), static_cast<int> (value.getNumBytesAsUTF8())));
        juce::ignoreUnused (value.substring (1, 5), value.indexOf ("/"), value.toUpperCase());
    }

    const auto replacement = juce::String::fromUTF8 ("\xef\xbf\xbd");
    EXPECT_EQ (properties.getName (0).toString(), "k" + replacement);
    EXPECT_EQ (properties.getValueAt (0).toString(), "6" + replacement + replacement + ":/" + replacement + replacement + "8");
    EXPECT_EQ (properties.getValueAt (1).toString(), juce::String::fromUTF8 ("\xc3\xa9") + replacement + replacement) << "a cut-off sequence";
    EXPECT_TRUE (properties.getValueAt (2).toString().endsWith (juce::String::fromUTF8 ("\xf0\x9f\x8e\xb5"))) << "valid four-byte sequences stay";

    // Straight from bytes: the same tree, or a failure when asked to refuse.
    juce::var fromBytes;
    ASSERT_TRUE (utils::json::parse (raw, sizeof (raw) - 1, fromBytes).wasOk());
    EXPECT_EQ (varDifference (parsed, fromBytes), "");
    EXPECT_TRUE (utils::json::parse (raw, sizeof (raw) - 1, fromBytes, utils::json::BadUtf8::fail).failed());

    // The text ends at a NUL byte, as it does in a string.
    const char withNul[] = "[1, 2]\0garbage";
    ASSERT_TRUE (utils::json::parse (withNul, sizeof (withNul) - 1, fromBytes, utils::json::BadUtf8::fail).wasOk());
    EXPECT_EQ (fromBytes.size(), 2);
}

TEST (JsonParser, HostileTextNeverCrashes)
{
    // A million open brackets: no recursion to overflow the stack.
    EXPECT_FALSE (utils::json::parse (juce::String::repeatedString ("[", 1000000)).isArray());
    EXPECT_FALSE (utils::json::parse (juce::String::repeatedString ("{\"a\":", 500000)).isObject());

    // A 50 MB string value.
    const auto huge = "[\"" + juce::String::repeatedString ("x", 50 * 1000 * 1000) + "\"]";
    EXPECT_EQ (utils::json::parse (huge)[0].toString().length(), 50 * 1000 * 1000);

    // Random mutations of a real payload.
    orvbench::PayloadShape shape;
    shape.staves = 2;
    shape.bars = 4;
    const auto base = orvbench::makeScorePayload (shape).toStdString();
    juce::Random rng (2718);
    const std::string alphabet ("{}[]\",:-.0123456789eEtrufalsn\\u ");

    for (int round = 0; round < 3000; ++round)
    {
        auto text = base;

        for (int edits = 1 + rng.nextInt (8); --edits >= 0;)
        {
            const auto at = static_cast<size_t> (rng.nextInt (static_cast<int> (text.size())));

            switch (rng.nextInt (3))
            {
                case 0:
                    text[at] = alphabet[static_cast<size_t> (rng.nextInt (static_cast<int> (alphabet.size())))];
                    break;
                case 1:
                    text.erase (at, static_cast<size_t> (rng.nextInt (20)));
                    break;
                default:
                    text.insert (at, 1, alphabet[static_cast<size_t> (rng.nextInt (static_cast<int> (alphabet.size())))]);
                    break;
            }
        }

        juce::var result;
        juce::ignoreUnused (utils::json::parse (juce::String (text), result));
    }
}
