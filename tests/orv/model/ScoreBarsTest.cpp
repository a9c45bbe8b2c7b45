#include "orv/model/Score.h"

#include <gtest/gtest.h>

using orv::Poser;
using orv::Score;

namespace
{
void addBars (Score& score, std::initializer_list<int> lengths)
{
    int number = score.getNumBars() + 1;

    for (auto length : lengths)
    {
        score.getOrCreateBar (number);
        score.setBarLength (number++, length);
    }
}
} // namespace

// Sorting, lengths and positions under random operations: ModelInvariantTest.
TEST (ScoreBars, MissingBarsAndLengths)
{
    Score score;
    addBars (score, {100, 200});
    score.setBarLength (42, 10);
    EXPECT_EQ (score.getNumBars(), 2) << "a missing bar is not created by a length";
    EXPECT_EQ (score.getTotalPoser(), Poser (2, 200));

    // A bar without a length counts as -1 tick for the bars after it.
    score.getOrCreateBar (7);
    score.getOrCreateBar (8);
    EXPECT_EQ (score.getBar (7).getGlobalPos(), 300);
    EXPECT_EQ (score.getBar (8).getGlobalPos(), 299);
}

TEST (ScoreBars, TicksAndPosers)
{
    Score score;
    addBars (score, {1024, 768, 1024});

    EXPECT_EQ (score.poserToTicks (2, 100), 1124);
    EXPECT_EQ (score.poserToTicks (9, 100), 0) << "missing bar";
    EXPECT_EQ (score.poserToTicks (Poser()), 0);

    EXPECT_EQ (score.ticksToPoser (0), Poser (1, 0));
    EXPECT_EQ (score.ticksToPoser (1023), Poser (1, 1023));
    EXPECT_EQ (score.ticksToPoser (1024), Poser (2, 0));
    EXPECT_EQ (score.ticksToPoser (2815), Poser (3, 1023));
    EXPECT_EQ (score.ticksToPoser (2816), Poser (3, 1024)) << "the end of the score";
    EXPECT_TRUE (score.ticksToPoser (2817).isClear());
    EXPECT_TRUE (score.ticksToPoser (-1).isClear());
    EXPECT_TRUE (Score().ticksToPoser (0).isClear());

    for (int64_t t = 0; t <= score.getTotalTicks(); t += 7)
        EXPECT_EQ (score.poserToTicks (score.ticksToPoser (t)), t);

    EXPECT_EQ (score.ticksDiff ({1, 512}, {3, 0}), 1280);
    EXPECT_EQ (score.ticksDiff ({3, 0}, {1, 512}), -1280);
}

// Real posers against tick arithmetic: ModelInvariantTest; here the cases
// its random bars never make.
TEST (ScoreBars, RealPoserEdges)
{
    Score score;
    addBars (score, {1024, 768, 1024});
    int pos = 0;
    EXPECT_EQ (score.getRealBarAndPos (1, 1024, pos), 2);
    EXPECT_EQ (pos, 0);
    EXPECT_EQ (score.getRealBarAndPos (3, 1024, pos), -1) << "past the end";
    EXPECT_EQ (pos, -1);
    EXPECT_TRUE (score.getRealPoser (7, 0).isClear()) << "missing bar";
    EXPECT_TRUE (score.getRealPoser (1, std::numeric_limits<int>::max()).isClear());

    Score degenerate;
    addBars (degenerate, {0, -50, 0, 100});
    EXPECT_EQ (degenerate.getRealPoser (1, 0), Poser (4, 50)) << "zero and negative bars are stepped over";
    EXPECT_TRUE (degenerate.getRealPoser (1, 1000).isClear());
    EXPECT_TRUE (degenerate.getRealPoser (4, -1).isClear());
}

TEST (ScoreBars, ActiveRegionLastPoserAndClear)
{
    Score score;
    addBars (score, {1024, 768, 1024});

    score.setActiveRegionBars (2, 3);
    EXPECT_EQ (score.getActiveRegion().toString(), "2,0|3,1024");

    for (int staff : {1, 2, 3, 4})
        score.getOrCreateTrack (staff).setName ("Staff " + juce::String (staff));

    EXPECT_EQ (score.getActiveRegionLabel(), "Staff 1, Staff 2, Staff 3, ...");

    score.setLastPoser ({3, 512});
    score.getOrCreateSoundSet().loadFromName ("NotePerformer");
    score.getOrCreateTransport().setPlayLinePoser ({2, 5});
    score.getOrCreateTempoCurve().setStartLevel (90.0);
    score.getOrCreateHitPointList().addHitPoint (orv::HitPoint::create (1, 2, 0, 1000, "A"));

    score.clear();

    EXPECT_EQ (score.getNumBars(), 0);
    EXPECT_TRUE (score.getTracks().empty());
    EXPECT_EQ (score.getActiveRegionLabel(), "");
    EXPECT_EQ (score.getOrCreateHitPointList().size(), 0);
    EXPECT_FALSE (score.getOrCreateTempoCurve().hasStartLevel());
    EXPECT_EQ (score.getActiveRegion().toString(), "2,0|3,1024");
    EXPECT_EQ (score.getLastPoser(), Poser (3, 512));
    EXPECT_EQ (score.getOrCreateSoundSet().getName(), "NotePerformer");
    EXPECT_EQ (score.getOrCreateTransport().getPlayLinePoser(), Poser (2, 5));
}

TEST (ScoreBars, SoundSetNamesAreExact)
{
    Score score;
    auto soundSet = score.getOrCreateSoundSet();
    soundSet.loadFromName ("noteperformer");
    EXPECT_EQ (soundSet.getName(), "default");
    EXPECT_EQ (soundSet.getPlayLineDelayMillis(), 0);
}
