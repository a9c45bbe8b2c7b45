#include "channel/ChannelFiles.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;
using channel::GuestMessage;

TEST (GuestOutbox, SplitsMessagesAndJoinsContinuationLines)
{
    const auto text = "G1:ORX.StoreScoreState|FK|<FK_SCORE_STATE a=\"1\">\r\n"
                      "  <STEM id=\"1\"/>\r\n"
                      "</FK_SCORE_STATE>\r\n"
                      "\r\n"
                      "G2:KV.Apply|subAction:0|interval:P5\r\n"
                      "!continued text\r\n"
                      "G3:NoData\n"
                      "g4:lower|x|y\r";

    const auto messages = channel::parseGuestOutbox (text);
    ASSERT_EQ (messages.size(), 4u);
    EXPECT_EQ (messages[0], (GuestMessage{1, "ORX.StoreScoreState", "FK|<FK_SCORE_STATE a=\"1\">\n  <STEM id=\"1\"/>\n</FK_SCORE_STATE>"}));
    EXPECT_EQ (messages[1], (GuestMessage{2, "KV.Apply", "subAction:0|interval:P5\n!continued text"}));
    EXPECT_EQ (messages[2], (GuestMessage{3, "NoData", ""}));
    EXPECT_EQ (messages[3], (GuestMessage{4, "lower", "x|y"}));

    // Nothing to continue, or an id that does not fit: dropped, and not glued to a neighbour.
    const auto odd = channel::parseGuestOutbox ("orphan line\nG99999999999:Too|big\nstill too big\nG5:Ok|1\n");
    ASSERT_EQ (odd.size(), 1u);
    EXPECT_EQ (odd[0], (GuestMessage{5, "Ok", "1"}));
}

TEST (GuestOutbox, ParsersSurviveRandomText)
{
    juce::Random random (99);
    const char alphabet[] = "GHx!:|=0123456789 \r\nabcKV.";

    for (int round = 0; round < 500; ++round)
    {
        juce::String text;

        for (int i = 0, n = random.nextInt (200); i < n; ++i)
            text << juce::String::charToString (static_cast<juce::juce_wchar> (alphabet[random.nextInt (static_cast<int> (sizeof (alphabet)) - 1)]));

        for (const auto& m : channel::parseGuestOutbox (text))
        {
            EXPECT_GE (m.id, 0);
            EXPECT_FALSE (m.type.containsChar ('\n'));
        }

        if (const auto n = channel::readStateNumber (text, "lastReceived"))
        {
            EXPECT_GE (*n, 0);
        }

        channel::lineMessageId (text);
    }
}

TEST (GuestOutbox, StateNumbersAndIds)
{
    EXPECT_EQ (channel::readStateNumber ("currentMessageId=G5\r\nlastReceived=H12\r\n", "lastReceived"), 12);
    EXPECT_EQ (channel::readStateNumber ("currentMessageId=G5\r\nlastReceived=H12\r\n", "currentMessageId"), 5);
    EXPECT_EQ (channel::readStateNumber ("lastReceived=7", "lastReceived"), 7);
    EXPECT_FALSE (channel::readStateNumber ("lastReceived=H", "lastReceived").has_value());
    EXPECT_FALSE (channel::readStateNumber ("lastReceivedX=H3", "lastReceived").has_value());
    EXPECT_EQ (channel::lineMessageId ("H42:ORV.OPEN|{}"), 42);
    EXPECT_FALSE (channel::lineMessageId ("xH42:ORV.OPEN|").has_value());
    EXPECT_FALSE (channel::lineMessageId ("H:ORV").has_value());
    EXPECT_EQ (channel::toSingleLine ("a\r\nb\nc\rd"), "a b c d");
}

TEST (FileChannel, HostOutboxIdsGrowAcrossRestartsAndConsumedLinesGo)
{
    test::SimHarness sim ({}, false);
    auto& channel = sim.channel;

    EXPECT_EQ (channel.postHostMessage ("ORV", "USER_TRIGGER", "", true), 1);
    EXPECT_EQ (channel.postHostMessage ("KV", "UPDATE_SOURCE_KEY", "{\"srcKeyName\": \"D\",\n \"srcKeyIsMajor\": true}", true), 2);
    EXPECT_EQ (sim.stateFile (channel::hostOutboxFileName).loadFileAsString(),
               "H1:ORV.USER_TRIGGER|\r\nH2:KV.UPDATE_SOURCE_KEY|{\"srcKeyName\": \"D\",  \"srcKeyIsMajor\": true}\r\n");
    EXPECT_EQ (sim.launcher.getLaunchCount(), 2);

    // The suite confirms message 1: it leaves the file, the ids go on.
    sim.stateFile (channel::guestCommStateFileName).replaceWithText ("currentMessageId=G0\r\nlastReceived=H1\r\n");
    EXPECT_EQ (channel.postHostMessage ("LY", "USER_TRIGGER", "x", false), 3);
    EXPECT_EQ (sim.stateFile (channel::hostOutboxFileName).loadFileAsString(),
               "H2:KV.UPDATE_SOURCE_KEY|{\"srcKeyName\": \"D\",  \"srcKeyIsMajor\": true}\r\nH3:LY.USER_TRIGGER|x\r\n");
    EXPECT_EQ (sim.launcher.getLaunchCount(), 2);

    // A new host on the same folder continues above everything it finds, even an emptied outbox.
    sim.stateFile (channel::guestCommStateFileName).replaceWithText ("lastReceived=H3\r\n");
    FileChannel restarted (sim.suite.get(), 20240300, sim.launcher, sim.log);
    EXPECT_EQ (restarted.postHostMessage ("ORV", "OPEN", "", false), 4);
    EXPECT_EQ (sim.stateFile (channel::hostOutboxFileName).loadFileAsString(), "H4:ORV.OPEN|\r\n");

    ASSERT_TRUE (restarted.writeHostVersion());
    EXPECT_EQ (sim.stateFile (channel::hostVersionFileName).loadFileAsString(), "20240300\r\n");
}

TEST (FileChannel, LaunchFailuresAreLoggedNotFatal)
{
    test::SimHarness sim ({}, false);
    sim.launcher.setFailing (true);
    EXPECT_EQ (sim.channel.postHostMessage ("ORV", "USER_TRIGGER", "", true), 1);
    ASSERT_EQ (sim.events ("launchFailed").size(), 1);
    EXPECT_EQ (sim.events ("launchFailed")[0]["executable"].toString(),
               sim.suite.get().getChildFile ("App/OrvanaSuite").getFullPathName());

    sim.channel.setLaunchEnabled (false);
    sim.launcher.setFailing (false);
    sim.channel.postHostMessage ("ORV", "USER_TRIGGER", "", true);
    EXPECT_EQ (sim.launcher.getLaunchCount(), 0);
    EXPECT_EQ (sim.events ("launchSkipped").size(), 1);

    // A suite folder that cannot hold the state folder: nothing written, id 0.
    const auto blocker = sim.suite.get().getChildFile ("blocked");
    blocker.replaceWithText ("a file, not a folder");
    FileChannel broken (blocker, 20240300, sim.launcher, sim.log);
    EXPECT_EQ (broken.postHostMessage ("ORV", "USER_TRIGGER", "", true), 0);
    EXPECT_FALSE (broken.writeHostVersion());
}

TEST (FileChannel, GuestMessagesAreTakenOnceAndRecorded)
{
    test::SimHarness sim ({}, false);
    auto& channel = sim.channel;
    const auto outbox = sim.stateFile (channel::guestOutboxFileName);

    EXPECT_TRUE (channel.takeGuestMessages().empty());
    EXPECT_EQ (sim.stateFile (channel::hostCommStateFileName).loadFileAsString(), "lastReceived=G0\r\n");

    outbox.getParentDirectory().createDirectory();
    outbox.replaceWithText ("G1:KV.Apply|a\r\nG2:KV.Apply|b\r\n");
    auto taken = channel.takeGuestMessages();
    ASSERT_EQ (taken.size(), 2u);
    EXPECT_EQ (taken[1].data, "b");
    EXPECT_EQ (sim.stateFile (channel::hostCommStateFileName).loadFileAsString(), "lastReceived=G2\r\n");

    // The suite tidies its outbox and appends; only the new message is taken.
    outbox.replaceWithText ("G2:KV.Apply|b\r\nG3:KV.Apply|c\r\n");
    taken = channel.takeGuestMessages();
    ASSERT_EQ (taken.size(), 1u);
    EXPECT_EQ (taken[0].id, 3);
    EXPECT_EQ (sim.stateFile (channel::hostCommStateFileName).loadFileAsString(), "lastReceived=G3\r\n");
    EXPECT_TRUE (channel.takeGuestMessages().empty());
}
