// The transport actions' arguments as the host plug-in reads them.
#include "orv/actions/TransportActions.h"

#include <gtest/gtest.h>

using namespace orv::actions;

TEST (OrvTransportActions, CommandsCarryTheHostsNamesAndAnythingElseIsUnknown)
{
    const char* const expected[] = {"PlayStop", "Rewind", "FastForward", "Play", "Stop", "PlayFrom"};

    for (int cmd = 0; cmd < 6; ++cmd)
    {
        Transport action;
        action.prepare (cmd);
        EXPECT_EQ (action.getArg()["transportAction"].toString(), expected[cmd]);
    }

    for (const auto cmd : {-1, 6, 99})
    {
        Transport action;
        action.prepare (cmd);
        EXPECT_EQ (action.getArg()["transportAction"].toString(), "Unknown") << cmd;
    }
}

TEST (OrvTransportActions, PositionsGoAsBarAndTicks)
{
    Transport playFrom;
    playFrom.prepareFrom ({12, 256});
    EXPECT_EQ (playFrom.getArg()["transportAction"].toString(), "PlayFrom");
    EXPECT_EQ (static_cast<int> (playFrom.getArg()["barId"]), 12);
    EXPECT_EQ (static_cast<int> (playFrom.getArg()["pos"]), 256);

    SetPlayLinePos setLine;
    setLine.prepare ({7, 384});
    EXPECT_EQ (setLine.getMethodName(), "setPlayLinePos");
    EXPECT_EQ (setLine.getArg()["dataStr"].toString(), "7,384");

    SkipToStart skip;
    EXPECT_EQ (skip.getMethodName(), "skipToStart");
    ASSERT_TRUE (skip.getArg().hasProperty ("dataStr"));
    EXPECT_EQ (skip.getArg()["dataStr"].toString(), "");
}
