#pragma once

#include <juce_core/juce_core.h>

/** Reports a fatal signal (SIGSEGV, SIGABRT, SIGILL, SIGFPE) on stderr,
    shows an alert when the message thread faulted, then lets the signal end
    the process.

    The alert runs a modal loop inside the signal handler. When the fault hit
    inside malloc or under a lock the loop can block for good, keeping the
    process (and its single-instance name) alive; a watchdog alarm armed
    before the alert ends the process through SIGALRM's default action. A
    fault on any other thread, also while the alert is up, is reported and
    ends the process at once. */
class CrashHandler final
{
public:
    /** How long the alert may stay up before the watchdog ends the process. */
    static constexpr unsigned int defaultAlertSeconds = 60;

    /** Announces itself on stderr and installs the handler for the four
        signals; the alert is given alertSeconds before the watchdog fires. */
    static void initialize (unsigned int alertSeconds = defaultAlertSeconds);

    static juce::String getAlertTitle();
    static juce::String getAlertMessage();

private:
    static void handleSignal (int signal);
};
