#pragma once

#include <juce_core/juce_core.h>

/** Shows an alert when the process receives a fatal signal (SIGSEGV,
    SIGABRT, SIGILL, SIGFPE), then lets the signal end the process. */
class CrashHandler final
{
public:
    /** Announces itself on stderr and installs the handler for the four signals. */
    static void initialize();

    static juce::String getAlertTitle();
    static juce::String getAlertMessage();

private:
    static void handleSignal (int signal);
};
