#include "platform/HostProcess.h"
#include "support/Subprocess.h"
#include "support/TempSuite.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

TEST (HostProcess, IdentifiersAndProcessNames)
{
    EXPECT_EQ (platform::getHostBundleIdentifier (true), platform::getHostBundleIdentifier (false) + "75");
    EXPECT_EQ (platform::processNameForBundleIdentifier (platform::getHostBundleIdentifier (false)), "Sibelius");
    EXPECT_EQ (platform::processNameForBundleIdentifier (platform::getHostBundleIdentifier (true)), "Sibelius75");
    EXPECT_EQ (platform::processNameForBundleIdentifier ("a.b.ThisNameIsFarTooLong"), "ThisNameIsFarTo");
}

TEST (HostProcess, CountsProcessesByName)
{
    const juce::String name = "OrvHostT" + juce::String (::getpid() % 10000);
    const auto id = "com.test." + name;
    EXPECT_EQ (platform::countRunningApplications (id), 0);

    {
        testsupport::HostStandIn one (name);
        EXPECT_EQ (platform::countRunningApplications (id), 1);
        {
            testsupport::HostStandIn two (name);
            EXPECT_EQ (platform::countRunningApplications (id), 2) << "two hosts are not one host";
        }
        EXPECT_EQ (platform::countRunningApplications (id), 1);
    }

    EXPECT_EQ (platform::countRunningApplications (id), 0);
    EXPECT_EQ (platform::countRunningApplications (""), 0);
}

TEST (HostProcess, AForkOfTheHostIsPartOfTheSameHost)
{
    // The host forks to launch the suite; until the copy runs the suite it
    // carries the host's name. One host with such a copy is still one host:
    // counting two made the suite quit in the middle of its own launch.
    const juce::String name = "OrvHostF" + juce::String (::getpid() % 10000);
    const auto id = "com.test." + name;
    const auto nameBytes = name.toStdString();
    int pids[2];
    ASSERT_EQ (::pipe (pids), 0);

    const auto host = ::fork();
    ASSERT_GE (host, 0);

    if (host == 0)
    {
        // Only async-signal-safe calls between fork and the end of the child.
        ::prctl (PR_SET_NAME, nameBytes.c_str(), 0, 0, 0);
        const pid_t copy = ::fork();

        if (copy == 0)
            for (;;)
                ::pause();

        juce::ignoreUnused (::write (pids[1], &copy, sizeof (copy)));

        for (;;)
            ::pause();
    }

    pid_t copy = -1;
    ASSERT_EQ (::read (pids[0], &copy, sizeof (copy)), static_cast<ssize_t> (sizeof (copy)));
    ::close (pids[0]);
    ::close (pids[1]);

    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return juce::File ("/proc/" + juce::String (copy) + "/comm").loadFileAsString().trim() == name; },
                                         30000));
    EXPECT_EQ (platform::countRunningApplications (id), 1) << "the host's own fork counted as a second host";

    {
        testsupport::HostStandIn other (name);
        EXPECT_EQ (platform::countRunningApplications (id), 2) << "a second host was missed";
    }

    ::kill (copy, SIGKILL);
    ::kill (host, SIGKILL);
    ::waitpid (host, nullptr, 0);
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return platform::countRunningApplications (id) == 0; },
                                         30000));
}
