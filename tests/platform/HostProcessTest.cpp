#include "platform/HostProcess.h"
#include "support/TempSuite.h"

#include <gtest/gtest.h>

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
