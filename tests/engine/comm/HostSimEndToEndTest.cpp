// The suite's channel against the host simulator as a real process: a
// committed action reaches the host through the guest outbox, and the whole
// suite is launched, triggered and ended by the simulator. (A product's call
// and its reply through the simulator are driven by each product's window test.)
#include "engine/comm/Action.h"
#include "engine/comm/Comm.h"
#include "engine/comm/IProductMessageHandler.h"
#include "support/HostSimProcess.h"
#include "support/MessagePump.h"
#include "support/Subprocess.h"
#include "support/TempSuite.h"

#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using testsupport::pumpUntil;

namespace
{
struct Apply final : public Action
{
    juce::String getType() override { return "KV.Apply"; }
    juce::String getDataString() override { return "key:D|mode:major"; }
};

juce::String stateText (const testsupport::TempSuite& suite, const char* name)
{
    return suite.getStateFolder().getChildFile (name).loadFileAsString();
}
} // namespace

TEST (HostSimEndToEnd, CommittedActionReachesTheHostThroughTheGuestOutbox)
{
    testsupport::TempSuite suite;
    HostSimProcess sim ({"--no-presence", "--no-launch", "--suite", suite.getSuiteFolder().getFullPathName()});
    ASSERT_TRUE (sim.isRunning());

    AppState appState (suite.getPaths());
    testsupport::NoProducts products;
    comm::Comm channel (appState, products, suite.getPaths(), sim.getPort());

    Apply first, second;
    first.commit (channel);
    ASSERT_TRUE (pumpUntil ([&]
                            { return stateText (suite, "hostCommState.txt").contains ("lastReceived=G1"); },
                            10000))
        << sim.recentEvents();

    second.commit (channel);
    ASSERT_TRUE (pumpUntil ([&]
                            { return stateText (suite, "hostCommState.txt").contains ("lastReceived=G2"); },
                            10000))
        << "guest outbox: " << channel.getGuestOutboxFileContents() << "\n"
        << sim.recentEvents();
    EXPECT_EQ (channel.getCurrentMessageId(), 2);
    EXPECT_TRUE (sim.sendCommand ("log 50"));
    EXPECT_TRUE (sim.waitForOutput ("KV.Apply"));

    // The next send tidies away what the host has consumed.
    channel.processHostOutbox();
    EXPECT_EQ (channel.getGuestOutboxFileContents(), "");
}

TEST (HostSimEndToEnd, SimulatorLaunchesTriggersAndOutlivesNoSuite)
{
    testsupport::TempSuite suite (true);
    HostSimProcess sim ({"--suite", suite.getSuiteFolder().getFullPathName()});
    ASSERT_TRUE (sim.isRunning());
    const auto exe = suite.getExecutable();

    ASSERT_TRUE (sim.sendCommand ("trigger ORV"));
    ASSERT_TRUE (testsupport::waitUntil ([&]
                                         { return stateText (suite, "guestCommState.txt").contains ("lastReceived=H1"); },
                                         10000))
        << "the launched suite handles the trigger";
    EXPECT_EQ (testsupport::countProcessesOf (exe), 1);

    ASSERT_TRUE (sim.sendCommand ("trigger FRY"));
    ASSERT_TRUE (testsupport::waitUntil ([&]
                                         { return stateText (suite, "guestCommState.txt").contains ("lastReceived=H2"); },
                                         10000))
        << "a second trigger reaches the running suite";
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return testsupport::countProcessesOf (exe) == 1; },
                                         10000))
        << "no second suite stays up";

    EXPECT_TRUE (suite.getSuiteFolder().getChildFile ("ORX.plg").existsAsFile()) << "plug-in files are written at start-up";
    EXPECT_EQ (stateText (suite, "hostVersion.txt").trim(), "20240300");

    // The suite quits by itself once the host has gone (how fast is a
    // benchmark's business, not this test's).
    sim.stop();
    const auto stoppedAt = juce::Time::getMillisecondCounterHiRes();
    ASSERT_TRUE (testsupport::waitUntil ([&]
                                         { return testsupport::countProcessesOf (exe) == 0; },
                                         15000));
    RecordProperty ("quitAfterMs", juce::String (juce::Time::getMillisecondCounterHiRes() - stoppedAt, 0).toStdString());

    EXPECT_TRUE (suite.getStateFolder().getChildFile ("AppState.xml").existsAsFile());
    EXPECT_TRUE (suite.getStateFolder().getChildFile ("Comm").existsAsFile());
    EXPECT_TRUE (suite.getStateFolder().getChildFile ("AppState.xml").loadFileAsString().contains ("hostVersion=\"20240300\""));
}
