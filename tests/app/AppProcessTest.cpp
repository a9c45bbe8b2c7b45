// The suite as real processes, run from a temporary suite folder beside a
// stand-in host process.
#include "support/Subprocess.h"
#include "support/TempSuite.h"

#include <gtest/gtest.h>

#include <csignal>

using testsupport::HostStandIn;
using testsupport::Subprocess;
using testsupport::TempSuite;

namespace
{
// Without a screen the suite writes its messages to stderr.
const juce::StringArray headless { "DISPLAY=" };

std::unique_ptr<Subprocess> launch (const TempSuite& suite, const juce::String& argument = {})
{
    juce::StringArray argv { suite.getExecutable().getFullPathName() };

    if (argument.isNotEmpty())
        argv.add (argument);

    auto process = std::make_unique<Subprocess> (argv, headless);
    EXPECT_TRUE (process->started());
    return process;
}

juce::StringArray stateFiles (const TempSuite& suite)
{
    juce::StringArray names;

    for (const auto& f : suite.getStateFolder().findChildFiles (juce::File::findFilesAndDirectories, true, "*"))
        names.add (f.getRelativePathFrom (suite.getStateFolder()));

    names.sort (false);
    return names;
}

// Waits until the running instance serves hand-overs (it is listening once
// a second launch is acknowledged and exits 0). The first launch has won the
// election once it writes the plug-in files; a probe started before that
// could win it instead. Generous: sanitizer builds start slowly.
bool waitUntilServing (const TempSuite& suite)
{
    if (! testsupport::waitUntil ([&] { return suite.getSuiteFolder().getChildFile ("ORX.plg").existsAsFile(); }, 40000))
        return false;

    return testsupport::waitUntil ([&]
                                   {
                                       auto probe = launch (suite);
                                       return probe->waitForExit (20000) == 0;
                                   },
                                   40000);
}
} // namespace

TEST (AppProcess, WithoutHostGreetsAndQuitsWritingNothing)
{
    TempSuite suite (true);
    auto app = launch (suite);

    ASSERT_EQ (app->waitForExit (10000), 0);
    EXPECT_TRUE (app->getStderr().contains ("Sibelius is not running.")) << app->getStderr();
    EXPECT_TRUE (app->getStderr().contains ("Initializing CrashHandler"));
    EXPECT_TRUE (suite.getSuiteFolder().getChildFile ("ORX.plg").existsAsFile()) << "a setup run installs the plug-in files";
    EXPECT_TRUE (suite.getSuiteFolder().getChildFile ("ORV_Ferrymo.plg").existsAsFile());
    EXPECT_TRUE (stateFiles (suite).isEmpty()) << stateFiles (suite).joinIntoString (", ");
}

TEST (AppProcess, InstallerFlagIsAQuietSetupRunEvenBesideTheHost)
{
    TempSuite suite (true);
    HostStandIn host;
    auto app = launch (suite, "--FROM-INSTALLER");

    ASSERT_EQ (app->waitForExit (10000), 0);
    EXPECT_FALSE (app->getStderr().contains ("Welcome!"));
    EXPECT_TRUE (stateFiles (suite).isEmpty()) << "a setup run stores no state";
}

TEST (AppProcess, RunsWhileTheHostRunsAndQuitsSoonAfterItWithState)
{
    TempSuite suite (true);
    HostStandIn host;
    auto app = launch (suite);

    ASSERT_TRUE (waitUntilServing (suite));
    EXPECT_TRUE (app->isRunning());

    // A second launch hands over and ends; the first keeps running.
    auto second = launch (suite, "--anything");
    EXPECT_EQ (second->waitForExit (5000), 0);
    juce::Thread::sleep (300);
    EXPECT_TRUE (app->isRunning());

    host.stop();
    const auto stoppedAt = juce::Time::getMillisecondCounterHiRes();
    ASSERT_EQ (app->waitForExit (5000), 0);
    const auto quitAfterMs = juce::Time::getMillisecondCounterHiRes() - stoppedAt;
    RecordProperty ("quitAfterMs", juce::String (quitAfterMs, 0).toStdString());
    EXPECT_LT (quitAfterMs, 1600.0) << "one check period (1000 ms) plus shutdown";

    EXPECT_TRUE (suite.getStateFolder().getChildFile ("AppState.xml").existsAsFile());
    EXPECT_TRUE (suite.getStateFolder().getChildFile ("uiState.txt").existsAsFile());
}

TEST (AppProcess, TerminationSignalStoresStateOnTheWayOut)
{
    TempSuite suite (true);
    HostStandIn host;
    auto app = launch (suite);
    ASSERT_TRUE (waitUntilServing (suite));

    app->sendSignal (SIGTERM);
    ASSERT_EQ (app->waitForExit (5000), 0);
    EXPECT_TRUE (suite.getStateFolder().getChildFile ("AppState.xml").existsAsFile());
}

TEST (AppProcess, EightLaunchesAtOnceElectOneAndAKilledInstanceFreesTheName)
{
    TempSuite suite (true);
    HostStandIn host;
    std::vector<std::unique_ptr<Subprocess>> launches;

    for (int i = 0; i < 8; ++i)
        launches.push_back (launch (suite));

    juce::Thread::sleep (1500);
    int running = 0, handedOver = 0;

    for (auto& p : launches)
    {
        if (p->isRunning())
            ++running;
        else if (p->waitForExit (0) == 0)
            ++handedOver;
    }

    EXPECT_EQ (running, 1);
    EXPECT_EQ (handedOver, 7);

    for (auto& p : launches)
        if (p->isRunning())
            p->sendSignal (SIGKILL);

    for (auto& p : launches)
        p->waitForExit (5000);

    auto next = launch (suite);
    juce::Thread::sleep (500);
    EXPECT_TRUE (next->isRunning()) << "the name of a killed instance is free again";
}
