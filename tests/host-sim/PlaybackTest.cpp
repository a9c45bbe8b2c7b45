#include "host/Host.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
ScoreDocument plainScore (int bars, double bpm)
{
    ScoreDocument score;
    score.tempoStart = bpm;

    for (int b = 1; b <= bars; ++b)
        score.bars.push_back ({b, b, 1024, "4/4"});

    Staff staff;
    staff.number = 1;
    score.staves.push_back (staff);
    return score;
}
} // namespace

TEST (TempoMap, ConstantTempoJumpsAndRamps)
{
    auto score = plainScore (8, 120.0);
    const TempoMap constant (score);
    EXPECT_DOUBLE_EQ (constant.tickToMillis (256), 500.0);
    EXPECT_EQ (constant.millisToTick (500.0), 256);
    EXPECT_EQ (constant.millisToTick (-5.0), 0);

    // A mark at bar 3 halves the tempo from there on; a muted one changes nothing.
    score.tempoMarks = {{3, 0, 60.0, "Adagio", "", 0, false}, {5, 0, 240.0, "muted", "", 0, true}};
    const TempoMap marked (score);
    EXPECT_DOUBLE_EQ (marked.tickToMillis (2048), 4000.0);
    EXPECT_DOUBLE_EQ (marked.tickToMillis (2048 + 256), 5000.0);
    EXPECT_DOUBLE_EQ (marked.tempoAt (5000), 60.0);
    EXPECT_EQ (marked.millisToTick (5000.0), 2048 + 256);

    // A ramp point: from 60 at bar 1 to 120 at bar 2, linearly in ticks.
    score = plainScore (4, 60.0);
    score.tempoPoints = {{2, 0, 120.0, ReachShape::ramp}};
    const TempoMap ramp (score);
    EXPECT_NEAR (ramp.tempoAt (512), 90.0, 1e-9);
    EXPECT_DOUBLE_EQ (ramp.tempoAt (1024 + 10), 120.0);

    // The integral of 1/tempo.
    EXPECT_NEAR (ramp.tickToMillis (1024), 4000.0 * std::log (2.0), 1e-6);

    for (const juce::int64 tick : {0, 1, 100, 511, 512, 1000, 1023, 1024, 2000, 4095})
        EXPECT_EQ (ramp.millisToTick (ramp.tickToMillis (tick)), tick) << tick;
}

TEST (Playback, FollowsTheClockStopsAndEndsAtTheScoreEnd)
{
    double now = 1000.0;
    Playback playback ([&now]
                       { return now; });
    const auto score = plainScore (4, 120.0);

    playback.start (score, 1024);
    EXPECT_TRUE (playback.isPlaying (score));
    now += 500.0;
    auto state = playback.getState (score);
    EXPECT_TRUE (state.playing);
    EXPECT_EQ (state.bar, 2);
    EXPECT_EQ (state.position, 256);
    EXPECT_EQ (state.timeMillis, 2500);

    playback.stop (score);
    now += 10000.0;
    state = playback.getState (score);
    EXPECT_FALSE (state.playing);
    EXPECT_EQ (state.tick, 1024 + 256);

    playback.start (score, 3 * 1024);
    now += 60000.0;
    state = playback.getState (score);
    EXPECT_FALSE (state.playing);
    EXPECT_EQ (state.bar, 4);
    EXPECT_EQ (state.position, 1024);

    playback.locate (score, 100000);
    EXPECT_EQ (playback.getState (score).tick, 4096);
}

TEST (Playback, HostPlaysFromSelectionOrPlayLine)
{
    EventLog log;
    double now = 0.0;
    Host host (plainScore (4, 120.0), log, [&now]
               { return now; });

    host.play();
    now += 1000.0;
    EXPECT_EQ (host.getPlaybackState().tick, 512);
    host.stop();

    // Without a selection, play continues from the play line.
    host.play();
    now += 1000.0;
    EXPECT_EQ (host.getPlaybackState().tick, 1024);
    host.stop();

    ASSERT_TRUE (host.select ({3, 4, {1}}).wasOk());
    host.play();
    EXPECT_EQ (host.getPlaybackState().bar, 3);
    EXPECT_EQ (host.getPlaybackState().position, 0);

    // At the end, play starts again from the top.
    now += 10000.0;
    EXPECT_FALSE (host.getPlaybackState().playing);
    ASSERT_TRUE (host.select ({}).wasOk());
    host.stop();
    host.play();
    EXPECT_EQ (host.getPlaybackState().tick, 0);
    EXPECT_TRUE (host.getPlaybackState().playing);

    EXPECT_TRUE (host.select ({2, 9, {1}}).failed());
    EXPECT_TRUE (host.select ({3, 2, {1}}).failed());
    EXPECT_TRUE (host.select ({1, 2, {5}}).failed());
    EXPECT_TRUE (host.getSelection().isEmpty());
}
