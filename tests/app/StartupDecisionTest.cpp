#include "app/StartupDecision.h"

#include <gtest/gtest.h>

namespace
{
int hostQueries = 0;

std::function<bool()> host (bool running)
{
    return [running]
    { ++hostQueries; return running; };
}
} // namespace

TEST (StartupDecision, SetupFlagsInAnyCaseAnywhereGiveAQuietSetupRun)
{
    for (const auto* line : {"--from-installer", "--FROM-INSTALLER", "-psn_0 --From-Setup", "x--from-setupy", "a b --fRoM-iNsTaLlEr"})
    {
        hostQueries = 0;
        const auto d = app::decideStartup (line, host (true));
        EXPECT_TRUE (d.isSetupRun) << line;
        EXPECT_FALSE (d.showWelcomeOnSetup) << line;
        EXPECT_EQ (hostQueries, 0) << "a flagged launch never looks for the host";
    }
}

TEST (StartupDecision, PlainLaunchDependsOnTheHost)
{
    const auto withHost = app::decideStartup ("", host (true));
    EXPECT_FALSE (withHost.isSetupRun);
    EXPECT_TRUE (withHost.showWelcomeOnSetup);

    const auto withoutHost = app::decideStartup ("--from-install", host (false));
    EXPECT_TRUE (withoutHost.isSetupRun) << "an incomplete flag is no flag";
    EXPECT_TRUE (withoutHost.showWelcomeOnSetup);
}
