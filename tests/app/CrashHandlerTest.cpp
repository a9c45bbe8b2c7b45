#include "app/CrashHandler.h"
#include "support/XDisplay.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <csignal>
#include <pthread.h>
#include <thread>

// The crash alert is built and shown from inside the signal handler on
// purpose (the process is ending anyway); ThreadSanitizer reports every such
// call and turns the expected death by the signal into its own exit.
#if defined(__SANITIZE_THREAD__)
#define SKIP_UNDER_THREAD_SANITIZER() GTEST_SKIP() << "the alert runs inside the signal handler, which ThreadSanitizer reports"
#else
#define SKIP_UNDER_THREAD_SANITIZER() (void) 0
#endif

namespace
{
// Death tests whose child shows the alert on the test display. The child
// inherits DISPLAY when it starts, before JUCE looks for a screen.
class CrashAlertOnScreenDeathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_UNDER_THREAD_SANITIZER();
        if (!screen.isAvailable())
            GTEST_SKIP() << "no X display";

        GTEST_FLAG_SET (death_test_style, "threadsafe");
        previousDisplay = juce::SystemStats::getEnvironmentVariable ("DISPLAY", {});
        ::setenv ("DISPLAY", screen.getName().toRawUTF8(), 1);
        displaySet = true;
    }

    void TearDown() override
    {
        // A skipped test never set DISPLAY and leaves it alone.
        if (!displaySet)
            return;
        if (previousDisplay.isEmpty())
            ::unsetenv ("DISPLAY");
        else
            ::setenv ("DISPLAY", previousDisplay.toRawUTF8(), 1);
    }

    // A child that outlives its test ends itself rather than hang the run.
    static void endAfterAMinuteAndAHalf()
    {
        std::thread ([]
                     {
                         std::this_thread::sleep_for (std::chrono::seconds (90));
                         std::_Exit (3); })
            .detach();
    }

    testsupport::XDisplay screen;
    juce::String previousDisplay;
    bool displaySet = false;
};

// Called from the message loop that the alert runs.
struct OnAlertLoop final : public juce::Timer
{
    explicit OnAlertLoop (std::function<void()> f)
        : action (std::move (f))
    {
        startTimer (10);
    }
    void timerCallback() override { action(); }
    std::function<void()> action;
};

// A "normal" mutex: locking it again on the thread that holds it deadlocks.
pthread_mutex_t heldLock;

void makeHeldLock()
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init (&attributes);
    pthread_mutexattr_settype (&attributes, PTHREAD_MUTEX_NORMAL);
    pthread_mutex_init (&heldLock, &attributes);
}

std::atomic<bool> alertUp{false};
} // namespace

TEST (CrashHandlerDeathTest, AlertsOnceThenEndsWithTheSignal)
{
    SKIP_UNDER_THREAD_SANITIZER();
    GTEST_FLAG_SET (death_test_style, "threadsafe");

    // Without a screen the alert goes to stderr; the signal then ends the
    // process instead of returning into the faulting code.
    EXPECT_EXIT ({
        CrashHandler::initialize();
        std::raise (SIGFPE);
        std::fprintf (stderr, "still running\n");
        std::exit (0);
    },
                 ::testing::KilledBySignal (SIGFPE), "Oops! ORV encountered an error and needs to close. \\(signal 8\\)");
}

TEST_F (CrashAlertOnScreenDeathTest, AlertStuckBehindTheFaultingLockIsEndedByTheWatchdog)
{
    // The message thread faults while it holds a lock (as inside malloc); the
    // alert's loop then needs that lock and never returns.
    EXPECT_EXIT ({
        endAfterAMinuteAndAHalf();
        CrashHandler::initialize (2);
        juce::Desktop::getInstance();

        makeHeldLock();
        const OnAlertLoop blocked ([]
                                   { pthread_mutex_lock (&heldLock); });
        pthread_mutex_lock (&heldLock);
        std::raise (SIGSEGV);
    },
                 ::testing::KilledBySignal (SIGALRM), "signal 11");
}

TEST_F (CrashAlertOnScreenDeathTest, FaultOnAnotherThreadWhileTheAlertIsUpIsReportedAndEnds)
{
    EXPECT_EXIT ({
        endAfterAMinuteAndAHalf();
        CrashHandler::initialize();
        juce::Desktop::getInstance();

        const OnAlertLoop up ([]
                              { alertUp = true; });
        std::thread ([]
                     {
                         while (! alertUp)
                             std::this_thread::sleep_for (std::chrono::milliseconds (5));

                         std::raise (SIGFPE); })
            .detach();
        std::raise (SIGSEGV);
    },
                 ::testing::KilledBySignal (SIGFPE), "signal 11\\)(.|\n)*signal 8\\)");
}
