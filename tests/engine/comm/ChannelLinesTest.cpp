#include "engine/comm/ChannelLines.h"
#include "engine/comm/HostMessage.h"

#include <gtest/gtest.h>

using namespace comm::lines;

TEST (ChannelLines, HostLines)
{
    // Data with '|', a line without '.', a line still being written and random
    // lines: CommTest.
    const auto noData = parseHostLine ("H12:FRY.USER_TRIGGER");
    ASSERT_TRUE (noData.has_value());
    EXPECT_EQ (noData->id, 12);
    EXPECT_EQ (noData->data, "");

    for (const auto* bad : {"", "H", "H:ORV.OPEN|x", "HORV.OPEN|x", "Hx1:ORV.OPEN|x", "H-1:ORV.OPEN|x", "H 1:ORV|x",
                            "H1234567890:ORV.OPEN|x", "H99999999999999999999:ORV.OPEN|x", "H1|x:ORV.OPEN"})
        EXPECT_FALSE (parseHostLine (bad).has_value()) << bad;

    EXPECT_EQ (parseHostLine ("H999999999:A.B|")->id, maxMessageId);
}

TEST (ChannelLines, AddressedTypes)
{
    EXPECT_EQ (splitAddressedType ("ORV.OPEN"), std::make_pair (juce::String ("ORV"), juce::String ("OPEN")));
    EXPECT_EQ (splitAddressedType ("ORV.ORV.OPEN"), std::make_pair (juce::String ("ORV"), juce::String ("ORV.OPEN")));
    EXPECT_FALSE (splitAddressedType ("NODOT").has_value());

    EXPECT_EQ (comm::HostMessage::strToType ("USER_TRIGGER"), comm::HostMessage::Type::userTrigger);
    EXPECT_EQ (comm::HostMessage::strToType ("ORV.RE_ADD_HIT_POINT"), comm::HostMessage::Type::reAddHitPoint);
    EXPECT_EQ (comm::HostMessage::strToType ("refresh"), comm::HostMessage::Type::unknown);
}

TEST (ChannelLines, GuestState)
{
    GuestState state{5, 9};
    parseGuestState ("currentMessageId=G12\r\nlastReceived=H40\r\n", state);
    EXPECT_EQ (state.currentMessageId, 12);
    EXPECT_EQ (state.lastReceived, 40);

    parseGuestState ("currentMessageId=12\r\nlastReceived=Habc\r\ncurrentMessageId=G99999999999\r\njunk", state);
    EXPECT_EQ (state.currentMessageId, 12) << "malformed values leave the old ones";
    EXPECT_EQ (state.lastReceived, 40);

    EXPECT_EQ (formatGuestState ({3, 7}), "currentMessageId=G3\r\nlastReceived=H7");
    EXPECT_EQ (parseHostLastReceived ("lastReceived=G17\r\n"), 17);
    EXPECT_EQ (parseHostLastReceived (""), -1);
    EXPECT_EQ (parseHostLastReceived ("other=G3\nlastReceived=17\n"), -1);
}

TEST (ChannelLines, TidyingKeepsEverythingFromTheFirstUnconsumedMessage)
{
    const juce::String outbox = "G1:ORX.StoreScoreState|ORV|<a>\r\n"
                                "!continuation of 1\r\n"
                                "\r\n"
                                "G2:KV.Apply|x\r\n"
                                "!continuation of 2\r\n"
                                "no colon continuation\r\n"
                                "G3:KV.Apply|y\r\n";

    EXPECT_EQ (tidyGuestOutbox (outbox, -1), "G1:ORX.StoreScoreState|ORV|<a>\r\n!continuation of 1\r\nG2:KV.Apply|x\r\n!continuation of 2\r\nno colon continuation\r\nG3:KV.Apply|y\r\n");
    EXPECT_EQ (tidyGuestOutbox (outbox, 1), "G2:KV.Apply|x\r\n!continuation of 2\r\nno colon continuation\r\nG3:KV.Apply|y\r\n");
    EXPECT_EQ (tidyGuestOutbox (outbox, 2), "G3:KV.Apply|y\r\n");
    EXPECT_EQ (tidyGuestOutbox (outbox, 3), "");
    EXPECT_EQ (tidyGuestOutbox ("G5:a|b\nG2:c|d\n", 4), "G5:a|b\r\nG2:c|d\r\n") << "a consumed id after a kept line stays";
}

TEST (ChannelLines, OutboxLinesAreTheCompleteNonBlankLinesAndAWholeLastOne)
{
    EXPECT_EQ (hostOutboxLines ("H1:ORV.OPEN|a\r\n\r\n  \r\nH2:ORV.OPEN|b\rH3:ORV.OPEN|é c\nH4:ORV.OP"),
               juce::StringArray ({"H1:ORV.OPEN|a", "H2:ORV.OPEN|b", "H3:ORV.OPEN|é c"}));
    EXPECT_EQ (hostOutboxLines ("H1:ORV.OPEN|a\r\nH2:ORV.OPEN|last"), juce::StringArray ({"H1:ORV.OPEN|a", "H2:ORV.OPEN|last"}));
    EXPECT_EQ (hostOutboxLines ("H2:ORV.OPEN|no line break at all"), juce::StringArray ({"H2:ORV.OPEN|no line break at all"}));
    EXPECT_TRUE (hostOutboxLines ("").isEmpty());
    EXPECT_TRUE (completeLines ("H1:ORV.OPEN|unfinished").isEmpty());

    // Against the plain reading (the toolkit's line split up to the last
    // break, blank lines dropped) over random texts of line breaks, blanks,
    // letters and two-byte characters.
    juce::Random random (7);
    const juce::String pieces[] = {"\r", "\n", "\r\n", " ", "\t", "a", "H1:", "|", juce::String::fromUTF8 ("\xc3\xa9")};

    for (int round = 0; round < 2000; ++round)
    {
        juce::String text;

        for (int i = random.nextInt (30); --i >= 0;)
            text << pieces[random.nextInt (static_cast<int> (std::size (pieces)))];

        juce::StringArray expected;
        const auto lastBreak = juce::jmax (text.lastIndexOfChar ('\n'), text.lastIndexOfChar ('\r'));

        if (lastBreak >= 0)
        {
            expected.addLines (text.substring (0, lastBreak));
            expected.removeEmptyStrings();
        }

        ASSERT_EQ (completeLines (text), expected) << text.replace ("\r", "\\r").replace ("\n", "\\n");
    }
}
