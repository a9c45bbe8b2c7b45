#include "support/HostSimProcess.h"

#include <gtest/gtest.h>

namespace
{
/** A temporary suite folder, removed afterwards. */
struct TempSuite
{
    TempSuite() { folder.createDirectory(); }
    ~TempSuite() { folder.deleteRecursively(); }

    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("hostsim-process-" + juce::Uuid().toString());
};

bool canConnect (int port)
{
    juce::StreamingSocket socket;
    return socket.connect ("127.0.0.1", port, 1000);
}
} // namespace

TEST (HostSimProcess, StartsOnAFreePortTakesCommandsAndStops)
{
    ASSERT_TRUE (HostSimProcess::getExecutable().existsAsFile()) << HostSimProcess::getExecutable().getFullPathName();

    TempSuite suite;
    HostSimProcess sim ({ "--no-presence", "--no-launch", "--suite", suite.folder.getFullPathName() });
    ASSERT_TRUE (sim.isRunning()) << sim.getOutput();
    const auto port = sim.getPort();
    EXPECT_GT (port, 0);
    EXPECT_TRUE (canConnect (port));

    ASSERT_TRUE (sim.sendCommand ("trigger ORV hello"));
    EXPECT_TRUE (sim.waitForOutput ("ok: triggered ORV")) << sim.getOutput();
    EXPECT_EQ (suite.folder.getChildFile ("App/temp/hostOutbox.txt").loadFileAsString(), "H1:ORV.USER_TRIGGER|hello\r\n");

    ASSERT_TRUE (sim.sendCommand ("status"));
    EXPECT_TRUE (sim.waitForOutput ("listening on 127.0.0.1:" + juce::String (port)));
    EXPECT_FALSE (sim.waitForOutput ("never printed", 50));

    sim.stop();
    EXPECT_FALSE (sim.isRunning());
    EXPECT_FALSE (canConnect (port));
    EXPECT_FALSE (sim.sendCommand ("status"));
    EXPECT_TRUE (sim.getOutput().contains ("ok: bye"));
}

TEST (HostSimProcess, TwoSimulatorsGetTheirOwnPorts)
{
    HostSimProcess first ({ "--no-presence" });
    HostSimProcess second ({ "--no-presence", "--fault", "refuse" });
    ASSERT_TRUE (first.isRunning() && second.isRunning());
    EXPECT_NE (first.getPort(), second.getPort());
    EXPECT_TRUE (canConnect (first.getPort()));
    EXPECT_FALSE (canConnect (second.getPort()));
}
