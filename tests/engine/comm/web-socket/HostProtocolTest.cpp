#include "engine/comm/web-socket/HostProtocol.h"

#include <gtest/gtest.h>

namespace
{
std::optional<comm::HostReply> replyIn (const juce::String& text)
{
    return comm::getHostReply (comm::parseIncomingMessage (text));
}

std::optional<juce::String> tokenIn (const juce::String& text)
{
    return comm::getGrantedSessionToken (comm::parseIncomingMessage (text));
}
} // namespace

TEST (HostProtocolTest, IntroductionAndInvokeMessageLayout)
{
    const juce::String start = "{\n"
                               "          \"message\": \"connect\",\n"
                               "          \"clientName\": \"OrvanaSuite\",\n"
                               "          \"handshakeVersion\": \"1.0\",\n";
    EXPECT_EQ (comm::buildIntroduction ({}), start + "          \"plugins\": [\"ORX\"]\n        }");
    EXPECT_EQ (comm::buildIntroduction ("abc-123"), start + "          \"sessionToken\": \"abc-123\"}");

    auto* args = new juce::DynamicObject();
    args->setProperty ("ratio", 0.1 + 0.2);
    const auto message = juce::JSON::parse (comm::buildInvokeMessage (7, "ORV_Orvana", "getScore", juce::var (args)));
    ASSERT_TRUE (message.isObject());
    juce::StringArray keys;

    for (const auto& property : message.getDynamicObject()->getProperties())
        keys.add (property.name.toString() + "=" + (property.value.isArray() ? juce::String ("[...]") : property.value.toString()));

    EXPECT_EQ (keys.joinIntoString (" "), "message=invokePlugin name=ORX method=callMethod args=[...]");
    const auto& list = message["args"];
    ASSERT_EQ (list.size(), 4);
    EXPECT_TRUE (list[0].isInt());
    EXPECT_EQ (static_cast<int> (list[0]), 7);
    EXPECT_EQ (list[1].toString() + " " + list[2].toString(), "ORV_Orvana getScore");
    EXPECT_DOUBLE_EQ (static_cast<double> (list[3]["ratio"]), 0.1 + 0.2) << "full precision";
}

TEST (HostProtocolTest, TokenWithQuotesBackslashesAndControlsStaysOneStringValue)
{
    for (const auto& token : {juce::String ("x\", \"plugins\": [\"EVIL\"], \"a\": \"\\"), juce::String::fromUTF8 ("t\xc3\xa9ken\n\t\xe2\x82\xac")})
    {
        const auto parsed = juce::JSON::parse (comm::buildIntroduction (token));
        ASSERT_TRUE (parsed.isObject());
        EXPECT_EQ (parsed.getProperty ("sessionToken", {}).toString(), token);
        EXPECT_EQ (parsed.getDynamicObject()->getProperties().size(), 4) << "no injected keys";
    }
}

TEST (HostProtocolTest, RepliesNeedAnObjectReturnValueAndANonZeroIntegerId)
{
    const auto good = replyIn (R"({"returnValue": {"msgId": 12, "methodRes": {"ok": true}}})");
    ASSERT_TRUE (good.has_value());
    EXPECT_EQ (good->msgId, 12);
    EXPECT_TRUE (static_cast<bool> (good->methodRes.getProperty ("ok", {})));

    const auto noResult = replyIn (R"({"returnValue": {"msgId": 3}})");
    ASSERT_TRUE (noResult.has_value());
    EXPECT_TRUE (noResult->methodRes.isVoid());

    EXPECT_EQ (replyIn (R"({"returnValue": {"msgId": "5"}})")->msgId, 5);

    for (const char* ignored : {R"({"returnValue": {"msgId": 0, "methodRes": 1}})",
                                R"({"returnValue": {"methodRes": 1}})",
                                R"({"returnValue": 5})",
                                R"({"returnValue": [1]})",
                                R"({"msgId": 4})",
                                R"([{"returnValue": {"msgId": 4}}])",
                                R"({"returnValue": {"msgId": 4294967297}})",
                                R"({"returnValue": {"msgId": 2.5}})",
                                R"({"returnValue": {"msgId": "4x"}})",
                                R"({"returnValue": {"msgId": true}})",
                                "not json",
                                ""})
        EXPECT_FALSE (replyIn (ignored).has_value()) << ignored;
}

TEST (HostProtocolTest, TokenIsTakenOnlyFromTextOrNumbersOutsideReplies)
{
    EXPECT_EQ (tokenIn (R"({"sessionToken": "s-1"})"), juce::String ("s-1"));
    EXPECT_EQ (tokenIn (R"({"message": "connectResponse", "result": true, "sessionToken": 77})"), juce::String ("77"));
    EXPECT_EQ (tokenIn (R"({"sessionToken": ""})"), juce::String());

    for (const char* none : {R"({"other": "s-1"})",
                             R"({"sessionToken": {"a": 1}})",
                             R"({"sessionToken": null})",
                             R"({"returnValue": {"msgId": 3}, "sessionToken": "s-2"})",
                             R"([{"sessionToken": "s-3"}])",
                             "garbage"})
        EXPECT_FALSE (tokenIn (none).has_value()) << none;
}

TEST (HostProtocolTest, DeepNestingAndInvalidUtf8AreRefusedSafely)
{
    const auto deep = juce::String::repeatedString ("[", 100000) + juce::String::repeatedString ("]", 100000);
    EXPECT_TRUE (comm::parseIncomingMessage (deep).isVoid());

    const auto tooDeepReply = R"({"returnValue": {"msgId": 5, "methodRes": )" + juce::String::repeatedString ("[", 300)
                              + juce::String::repeatedString ("]", 300) + "}}";
    EXPECT_FALSE (replyIn (tooDeepReply).has_value()) << "not a reply with a void result";

    const auto deepInString = "{\"a\": \"" + juce::String::repeatedString ("[", 5000) + "\"}";
    EXPECT_TRUE (comm::parseIncomingMessage (deepInString).isObject()) << "brackets inside strings do not nest";

    const char invalid[] = {'{', '"', 'a', '"', ':', '"', char (0xc3), char (0x28), '"', '}', 0};
    EXPECT_TRUE (comm::parseIncomingMessage (invalid, sizeof (invalid) - 1).isVoid());
    EXPECT_TRUE (comm::parseIncomingMessage ("{\"ok\": 1}", 9).isObject());
}
