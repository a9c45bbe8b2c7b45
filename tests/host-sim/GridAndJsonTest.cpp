#include "gui/GridGeometry.h"
#include "support/SimHarness.h"
#include "util/JsonText.h"

#include <gtest/gtest.h>

using namespace hostsim;

TEST (GridGeometry, HitTestingFollowsBarLengths)
{
    const auto score = test::makeRichScore();
    const GridGeometry grid (score);
    const auto full = static_cast<int> (1024 * GridGeometry::pixelsPerTick);

    EXPECT_EQ (grid.getBarCount(), 4);
    EXPECT_EQ (grid.getStaffCount(), 3);
    EXPECT_EQ (grid.barLeft (0), GridGeometry::nameWidth);
    EXPECT_EQ (grid.barLeft (1), GridGeometry::nameWidth + full);
    EXPECT_LT (grid.barLeft (3) - grid.barLeft (2), full); // the 3/4 bar is narrower

    EXPECT_EQ (grid.barIndexAt (grid.barLeft (2) + 1), 2);
    EXPECT_EQ (grid.barIndexAt (grid.barLeft (2) - 1), 1);
    EXPECT_EQ (grid.barIndexAt (-50), 0);
    EXPECT_EQ (grid.barIndexAt (100000), 3);
    EXPECT_EQ (grid.staffIndexAt (GridGeometry::headerHeight + GridGeometry::rowHeight + 1), 1);
    EXPECT_EQ (grid.staffIndexAt (5), 0);
    EXPECT_EQ (grid.staffIndexAt (100000), 2);

    EXPECT_EQ (grid.tickToX (0), GridGeometry::nameWidth);
    EXPECT_EQ (grid.tickToX (2048), grid.barLeft (2));
    EXPECT_EQ (grid.tickToX (2048 + 384), grid.barLeft (2) + (grid.barLeft (3) - grid.barLeft (2)) / 2);
    EXPECT_EQ (grid.tickToX (1 << 30), grid.barLeft (4));

    const GridGeometry empty{ScoreDocument()};
    EXPECT_FALSE (empty.barIndexAt (200).has_value());
    EXPECT_FALSE (empty.staffIndexAt (200).has_value());
}

TEST (JsonText, RefusesWhatWouldHurtTheParser)
{
    juce::var v;
    EXPECT_TRUE (json::parse ("{\"a\": [1, 2.5, \"x\"]}", v).wasOk());
    EXPECT_EQ (v["a"][1], juce::var (2.5));
    EXPECT_TRUE (json::parse ("[123456789012345678]", v).wasOk());
    EXPECT_TRUE (json::parse ("[1234567890123456789]", v).failed());
    EXPECT_TRUE (json::parse ("{\"long\": \"1234567890123456789012345\"}", v).wasOk());
    EXPECT_TRUE (json::parse ("{\"q\": \"\\\"[[[[\", \"n\": 1}", v).wasOk());
    EXPECT_TRUE (json::parse (juce::String::repeatedString ("[", 257) + juce::String::repeatedString ("]", 257), v).failed());
    EXPECT_TRUE (json::parse (juce::String::repeatedString ("[", 200) + juce::String::repeatedString ("]", 200), v).wasOk());
    EXPECT_TRUE (json::parse ("{\"a\": ", v).failed());
    EXPECT_TRUE (v.isVoid());

    int n = 0;
    EXPECT_TRUE (json::getInt (juce::var (7.0), n) && n == 7);
    EXPECT_FALSE (json::getInt (juce::var (7.5), n));
    EXPECT_FALSE (json::getInt (juce::var (static_cast<juce::int64> (1) << 40), n));
    EXPECT_FALSE (json::getInt (juce::var ("7"), n));
}
