// The MIDI editor plug-in's transport: the commands, the play line methods
// and their playback-state answers, and the notice of the user's own play.
#include "plugins/OrvanaPlugin.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
juce::var call (test::SimHarness& sim, const juce::String& method, const juce::String& argumentJson = "{}")
{
    return sim.engine.call (orvana::pluginName, method, juce::JSON::parse (argumentJson)).result;
}

juce::var transport (test::SimHarness& sim, const juce::String& command)
{
    return call (sim, "transport", R"({"transportAction": ")" + command + R"("})");
}

/** "bar,pos" and " playing" while it plays. */
juce::String where (const juce::var& state)
{
    return state["currentPlaybackPosBar"].toString() + "," + state["currentPlaybackPosSr"].toString()
           + (static_cast<bool> (state["playing"]) ? " playing" : "");
}

int playLineNotices (const test::SimHarness& sim)
{
    int count = 0;

    for (const auto& line : juce::StringArray::fromLines (sim.stateFile ("hostOutbox.txt").loadFileAsString()))
        count += line.contains (":ORV.RE_PLAY_LINE_POS|") ? 1 : 0;

    return count;
}
} // namespace

TEST (OrvanaPlayback, CommandsMoveThePlayLineAndAnswerWherePlaybackIs)
{
    test::SimHarness sim (test::makeRichScore(), false);

    const auto state = call (sim, "updatePlaybackState");
    EXPECT_EQ (where (state), "1,0");
    EXPECT_EQ (state["currentMeter"].toString(), "4/4");
    EXPECT_TRUE (state.hasProperty ("currentTimeMillis"));

    EXPECT_EQ (where (call (sim, "setPlayLinePos", R"({"dataStr": "3,256"})")), "3,256");
    EXPECT_EQ (where (call (sim, "setPlayLinePos", R"({"dataStr": "3;x"})")), "3,256");
    EXPECT_EQ (where (call (sim, "setPlayLinePos", R"({"dataStr": "99,0"})")), "3,256");
    EXPECT_EQ (where (transport (sim, "Unknown")), "3,256");

    // One bar each way, within the score's four bars.
    EXPECT_EQ (where (transport (sim, "FastForward")), "4,0");
    EXPECT_EQ (where (transport (sim, "FastForward")), "4,0");
    EXPECT_EQ (where (transport (sim, "Rewind")), "3,0");
    transport (sim, "Rewind");
    EXPECT_EQ (where (transport (sim, "Rewind")), "1,0");

    EXPECT_EQ (where (call (sim, "setPlayLinePos", R"({"dataStr": "2,512"})")), "2,512");
    EXPECT_EQ (where (call (sim, "skipToStart", R"({"dataStr": ""})")), "1,0");

    EXPECT_TRUE (static_cast<bool> (transport (sim, "Play")["playing"]));
    EXPECT_FALSE (static_cast<bool> (transport (sim, "PlayStop")["playing"]));
    EXPECT_TRUE (static_cast<bool> (transport (sim, "PlayStop")["playing"]));
    EXPECT_FALSE (static_cast<bool> (transport (sim, "Stop")["playing"]));

    const auto from = call (sim, "transport", R"({"transportAction": "PlayFrom", "barId": 3, "pos": 0})");
    EXPECT_TRUE (static_cast<bool> (from["playing"]));
    EXPECT_GE (static_cast<int> (from["currentPlaybackPosBar"]), 3);
    EXPECT_EQ (from["currentMeter"].toString(), "3/4");
    transport (sim, "Stop");
}

TEST (OrvanaPlayback, OnlyTheUsersOwnPlayAndStopAreAnnounced)
{
    test::SimHarness sim (test::makeRichScore(), false);

    transport (sim, "Play");
    transport (sim, "Stop");
    EXPECT_EQ (playLineNotices (sim), 0);

    sim.host.play();
    EXPECT_EQ (playLineNotices (sim), 1);
    sim.host.stop();
    EXPECT_EQ (playLineNotices (sim), 2);
}
