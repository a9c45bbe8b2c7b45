#include "orv/model/Poser.h"
#include "orv/model/Meter.h"

#include <gtest/gtest.h>

using orv::Meter;
using orv::NodePoser;
using orv::NodePoserInterval;
using orv::Poser;
using orv::Region;

TEST (Poser, Text)
{
    EXPECT_EQ (Poser (12, 256).toString(), "12,256");
    EXPECT_EQ (Poser().toString(), "");
    EXPECT_EQ (Poser::fromString ("12,256"), Poser (12, 256));
    EXPECT_EQ (Poser::fromString ("-1,-5"), Poser (-1, -5));
    EXPECT_EQ (Poser::fromString ("5,"), Poser (5, 0));

    for (const char* clearText : {"5", "", "1,2,3", ",,", "abc"})
        EXPECT_TRUE (Poser::fromString (clearText).isClear()) << clearText;

    EXPECT_EQ (Poser::fromString ("99999999999,1"), Poser (std::numeric_limits<int>::max(), 1));
}

TEST (Poser, Ordering)
{
    // Sorting by poser under random operations: ModelInvariantTest.
    EXPECT_LT (Poser (1, 900), Poser (2, 0));
    EXPECT_FALSE (Poser (2, 1) < Poser (2, 1));

    // A clear poser is unordered against anything, itself included.
    const Poser clear, some (1, 0);

    for (const auto& [a, b] : {std::pair{clear, some}, {some, clear}, {clear, clear}})
        EXPECT_FALSE (a < b || a <= b || a > b || a >= b) << a.toString() << " vs " << b.toString();

    EXPECT_TRUE (clear == Poser() && !(clear == some));
    EXPECT_FALSE (clear == some);
}

TEST (Poser, RegionAndNodePoser)
{
    const Region region ({3, 0}, {7, 1024});
    EXPECT_EQ (region.toString(), "3,0|7,1024");
    EXPECT_EQ (Region::fromString (region.toString()), region);
    EXPECT_TRUE (Region::fromString ("3,0").getFrom().isClear());
    EXPECT_TRUE (Region::fromString ("|").getTo().isClear());

    const NodePoser node (4, 128, 64);
    EXPECT_EQ (node.toString(), "4,128,64");
    EXPECT_EQ (NodePoser::fromString ("4,128,64"), node);
    EXPECT_TRUE (NodePoser::fromString ("4,128").isClear());
    EXPECT_EQ (NodePoser().toString(), "");
    EXPECT_TRUE (NodePoser (4, 0, 127) < NodePoser (4, 1, 0)) << "the value takes no part";
    EXPECT_FALSE (NodePoser (4, 1, 0) < NodePoser (4, 1, 127));
}

TEST (Poser, NodePoserIntervalEnds)
{
    const NodePoser from (2, 0, 10), to (4, 0, 20);

    const NodePoserInterval incl (from, true, to, true);
    EXPECT_TRUE (incl.contains ({2, 0}));
    EXPECT_TRUE (incl.contains ({4, 0}));
    EXPECT_TRUE (incl.contains ({3, 500}));
    EXPECT_FALSE (incl.contains ({4, 1}));

    const NodePoserInterval excl (from, false, to, false);
    EXPECT_FALSE (excl.contains ({2, 0}));
    EXPECT_FALSE (excl.contains ({4, 0}));
    EXPECT_TRUE (excl.contains ({2, 1}));

    EXPECT_FALSE (NodePoserInterval().contains ({3, 0}));
    EXPECT_FALSE (incl.contains (Poser()));
}

TEST (Meter, TextAndBeat)
{
    EXPECT_EQ (Meter::fromString ("6/8"), Meter (6, 8));
    EXPECT_EQ (Meter (6, 8).toString(), "6/8");
    EXPECT_EQ (Meter (6, 8).getBeatTicks(), 128);
    EXPECT_EQ (Meter (4, 0).getBeatTicks(), 0);

    for (const char* bad : {"6", "", "1/2/3", "abc"})
        EXPECT_EQ (Meter::fromString (bad), Meter (0, 0)) << bad;
}
