// The suite as real processes, run from a temporary suite folder beside a
// stand-in host process. How soon the suite quits after the host is measured
// in bench/AppQuitBench.cpp; these tests only wait, generously, for it.
#include "app/AppInfo.h"
#include "support/Subprocess.h"
#include "support/TempSuite.h"
#include "support/XDisplay.h"

#include <gtest/gtest.h>

#include <csignal>

using testsupport::HostStandIn;
using testsupport::Subprocess;
using testsupport::TempSuite;
using testsupport::waitUntil;

namespace
{
// Sanitizer builds on a loaded machine start slowly.
constexpr int deadlineMs = 40000;

juce::StringArray stateFiles (const TempSuite& suite)
{
    juce::StringArray names;

    for (const auto& f : suite.getStateFolder().findChildFiles (juce::File::findFilesAndDirectories, true, "*"))
        names.add (f.getRelativePathFrom (suite.getStateFolder()));

    names.sort (false);
    return names;
}
} // namespace

TEST (AppProcess, SetupRunsGreetOrNotAndWriteNoState)
{
    TempSuite suite (true);
    auto app = suite.launch();

    ASSERT_EQ (app->waitForExit (deadlineMs), 0);
    EXPECT_TRUE (app->getStderr().contains ("Sibelius is not running.")) << app->getStderr();
    EXPECT_TRUE (app->getStderr().contains ("Initializing CrashHandler"));
    EXPECT_TRUE (suite.getSuiteFolder().getChildFile ("ORX.plg").existsAsFile()) << "a setup run installs the plug-in files";
    EXPECT_TRUE (suite.getSuiteFolder().getChildFile ("ORV_Ferrymo.plg").existsAsFile());
    EXPECT_TRUE (stateFiles (suite).isEmpty()) << stateFiles (suite).joinIntoString (", ");

    // The installer's flag makes a quiet setup run even beside the host.
    HostStandIn host;
    auto fromInstaller = suite.launch ("--FROM-INSTALLER");
    ASSERT_EQ (fromInstaller->waitForExit (deadlineMs), 0);
    EXPECT_FALSE (fromInstaller->getStderr().contains ("Welcome!"));
    EXPECT_TRUE (stateFiles (suite).isEmpty()) << stateFiles (suite).joinIntoString (", ");
}

TEST (AppProcess, RunsWhileTheHostRunsAndQuitsAfterItWithState)
{
    TempSuite suite (true);
    suite.getStateFolder().createDirectory();
    ASSERT_TRUE (suite.getStateFolder().getChildFile ("uiState.txt").replaceWithText ("\r\n[tracker]\r\nzoom=2.5\r\n"));
    HostStandIn host;
    auto app = suite.launch();

    ASSERT_TRUE (suite.waitUntilServing (deadlineMs));
    EXPECT_TRUE (app->isRunning());

    // A second launch hands over and ends; the first still runs and serves.
    auto second = suite.launch ("--anything");
    EXPECT_EQ (second->waitForExit (deadlineMs), 0);
    EXPECT_TRUE (suite.waitUntilServing (deadlineMs));
    EXPECT_TRUE (app->isRunning());
    EXPECT_EQ (testsupport::countProcessesOf (suite.getExecutable()), 1);

    host.stop();
    ASSERT_EQ (app->waitForExit (deadlineMs), 0);

    EXPECT_TRUE (suite.getStateFolder().getChildFile ("AppState.xml").existsAsFile());
    EXPECT_TRUE (suite.getStateFolder().getChildFile ("uiState.txt").loadFileAsString().contains ("[tracker]\r\nzoom=2.5"))
        << "a section no view touched survives the run";
}

TEST (AppProcess, EightLaunchesElectOneAKilledInstanceFreesTheNameAndTermStoresState)
{
    TempSuite suite (true);
    HostStandIn host;
    std::vector<std::unique_ptr<Subprocess>> launches;

    for (int i = 0; i < 8; ++i)
        launches.push_back (suite.launch());

    const auto countEnded = [&]
    {
        return std::count_if (launches.begin(), launches.end(), [] (auto& p)
                              { return !p->isRunning(); });
    };

    ASSERT_TRUE (waitUntil ([&]
                            { return countEnded() >= 7; },
                            deadlineMs));
    EXPECT_EQ (countEnded(), 7);
    EXPECT_EQ (std::count_if (launches.begin(), launches.end(), [] (auto& p)
                              { return p->waitForExit (0) == 0; }),
               7)
        << "the others handed over";

    for (auto& p : launches)
        if (p->isRunning())
            p->sendSignal (SIGKILL);

    for (auto& p : launches)
        p->waitForExit (deadlineMs);

    // A new launch wins the name again: it writes its plug-in files and serves.
    suite.getSuiteFolder().getChildFile ("ORX.plg").deleteFile();
    auto next = suite.launch();
    ASSERT_TRUE (suite.waitUntilServing (deadlineMs)) << "the name of a killed instance is free again";
    EXPECT_TRUE (next->isRunning());

    // A termination signal stores the state on the way out.
    suite.getStateFolder().getChildFile ("AppState.xml").deleteFile();
    next->sendSignal (SIGTERM);
    ASSERT_EQ (next->waitForExit (deadlineMs), 0);
    EXPECT_TRUE (suite.getStateFolder().getChildFile ("AppState.xml").existsAsFile());
}

// A setup run on the test display shows the welcome message, which sends the
// user to the host's plug-in menu: that launch comes while it still shows.
class AppOnScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!screen.isAvailable())
            GTEST_SKIP() << "no X display";
    }

    std::unique_ptr<Subprocess> launchOnScreen() const
    {
        return std::make_unique<Subprocess> (juce::StringArray{suite.getExecutable().getFullPathName()},
                                             juce::StringArray{"DISPLAY=" + screen.getName()});
    }

    juce::String findWelcome() const
    {
        const auto found = screen.run ({"xdotool", "search", "--name", "^" + juce::String (ProjectInfo::projectName) + "$"});
        return juce::StringArray::fromLines (found.trim())[0];
    }

    bool welcomeShows() const { return findWelcome().isNotEmpty(); }

    const testsupport::XDisplay screen;
    const TempSuite suite{true};
};

TEST_F (AppOnScreen, LaunchesDuringTheWelcomeReachItAndOneBesideTheHostStartsTheRun)
{
    auto app = launchOnScreen();
    ASSERT_TRUE (waitUntil ([&]
                            { return welcomeShows(); },
                            deadlineMs))
        << app->getStderr();

    // The host does not run yet: the launch is served, and the welcome stays.
    auto early = launchOnScreen();
    EXPECT_EQ (early->waitForExit (deadlineMs), 0) << early->getStderr();
    EXPECT_TRUE (app->isRunning());
    EXPECT_TRUE (welcomeShows());

    // Beside the host, the launch turns the setup run into a normal run.
    HostStandIn host;
    ASSERT_TRUE (suite.getStateFolder().getChildFile ("hostOutbox.txt").replaceWithText ("H1:NONE.OPEN|from the menu\r\n"));
    auto fromHost = launchOnScreen();
    EXPECT_EQ (fromHost->waitForExit (deadlineMs), 0) << fromHost->getStderr();
    EXPECT_TRUE (waitUntil ([&]
                            { return app->getStderr().contains ("Host message H1: NONE.OPEN"); },
                            deadlineMs))
        << app->getStderr();
    EXPECT_TRUE (waitUntil ([&]
                            { return !welcomeShows(); },
                            deadlineMs))
        << "the welcome message is closed";
    EXPECT_TRUE (app->isRunning());

    host.stop();
    ASSERT_EQ (app->waitForExit (deadlineMs), 0);
    EXPECT_TRUE (suite.getStateFolder().getChildFile ("AppState.xml").existsAsFile()) << "a normal run stores its state";
}

TEST_F (AppOnScreen, FailedXRequestIsLoggedAndTheRunGoesOn)
{
    auto app = launchOnScreen();
    ASSERT_TRUE (waitUntil ([&]
                            { return welcomeShows(); },
                            deadlineMs))
        << app->getStderr();

    // Another client destroys the welcome window; the suite's own requests on
    // it fail, at the latest when the launch beside the host closes it.
    screen.run ({"xdotool", "windowclose", findWelcome()});
    HostStandIn host;
    ASSERT_TRUE (suite.getStateFolder().getChildFile ("hostOutbox.txt").replaceWithText ("H1:NONE.OPEN|\r\n"));
    auto fromHost = launchOnScreen();
    EXPECT_EQ (fromHost->waitForExit (deadlineMs), 0) << fromHost->getStderr();
    EXPECT_TRUE (waitUntil ([&]
                            { return app->getStderr().contains ("Host message H1: NONE.OPEN"); },
                            deadlineMs))
        << app->getStderr();
    EXPECT_TRUE (waitUntil ([&]
                            { return app->getStderr().contains ("X error ignored: "); },
                            deadlineMs))
        << app->getStderr();
    EXPECT_TRUE (app->isRunning());

    host.stop();
    EXPECT_EQ (app->waitForExit (deadlineMs), 0);
}
