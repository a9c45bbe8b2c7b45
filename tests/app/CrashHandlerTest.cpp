#include "app/CrashHandler.h"

#include <gtest/gtest.h>

#include <csignal>

TEST (CrashHandlerDeathTest, AlertsOnceThenEndsWithTheSignal)
{
    GTEST_FLAG_SET (death_test_style, "threadsafe");

    // Without a screen the alert goes to stderr; the signal then ends the
    // process instead of returning into the faulting code.
    EXPECT_EXIT ({
        CrashHandler::initialize();
        std::raise (SIGFPE);
        std::fprintf (stderr, "still running\n");
        std::exit (0);
    },
                 ::testing::KilledBySignal (SIGFPE),
                 "Oops! ORV encountered an error and needs to close.");
}

TEST (CrashHandler, MessageNamesTheSupportAddressAndTheSteps)
{
    const auto message = CrashHandler::getAlertMessage();
    EXPECT_TRUE (message.contains ("TIP: For a super-fast solution, you can send us the Crash Report."));
    EXPECT_TRUE (message.contains ("Cmd + Spacebar"));
    EXPECT_TRUE (message.contains ("'Crash Reports'"));
    EXPECT_TRUE (message.endsWith ("Thanks for your help!"));
    EXPECT_TRUE (message.contains ("@"));
}
