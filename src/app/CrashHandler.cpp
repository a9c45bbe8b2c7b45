#include "app/CrashHandler.h"
#include "app/AppInfo.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <csignal>
#include <pthread.h>
#include <unistd.h>

namespace
{
constexpr int fatalSignals[] = {SIGSEGV, SIGABRT, SIGILL, SIGFPE};
std::atomic<bool> alertShown{false};
std::atomic<unsigned int> watchdogSeconds{CrashHandler::defaultAlertSeconds};

void writeToStderr (const char* text)
{
    juce::ignoreUnused (::write (STDERR_FILENO, text, std::strlen (text)));
}

// "... (signal 11)\n", built without allocating: the heap may be what failed.
void reportSignal (int signal)
{
    char number[16];
    auto* end = number + sizeof (number);
    auto* digits = end;
    *--digits = '\0';

    for (auto n = static_cast<unsigned int> (signal); digits == end - 1 || n > 0; n /= 10)
        *--digits = static_cast<char> ('0' + n % 10);

    writeToStderr ("Oops! ORV encountered an error and needs to close. (signal ");
    writeToStderr (digits);
    writeToStderr (")\n");
}

bool canShowWindows()
{
    if (!juce::MessageManager::existsAndIsCurrentThread())
        return false;

    const auto* displays = &juce::Desktop::getInstance().getDisplays();
    return displays->getPrimaryDisplay() != nullptr;
}

// Should the alert never return, SIGALRM's default action ends the process.
void armWatchdog()
{
    struct sigaction action
    {
    };
    action.sa_handler = SIG_DFL;
    sigemptyset (&action.sa_mask);
    sigaction (SIGALRM, &action, nullptr);

    sigset_t alarmOnly;
    sigemptyset (&alarmOnly);
    sigaddset (&alarmOnly, SIGALRM);
    pthread_sigmask (SIG_UNBLOCK, &alarmOnly, nullptr);

    ::alarm (watchdogSeconds.load());
}

void showAlert()
{
    // The stock look, not the suite's: the suite's drawing code may be what failed.
    juce::LookAndFeel_V4 stockLook;
    juce::AlertWindow window (CrashHandler::getAlertTitle(),
                              CrashHandler::getAlertMessage(),
                              juce::MessageBoxIconType::WarningIcon);
    window.setLookAndFeel (&stockLook);
    window.addButton ("Close", 1, juce::KeyPress (juce::KeyPress::returnKey));
    window.setAlwaysOnTop (true);
    window.runModalLoop();
    window.setLookAndFeel (nullptr);
}
} // namespace

juce::String CrashHandler::getAlertTitle()
{
    return "Oops! ORV encountered an error and needs to close.";
}

juce::String CrashHandler::getAlertMessage()
{
    return "Please contact us at " + appInfo::getSupportEmail() + " and tell us what happened.\n\n"
                                                                  "TIP: For a super-fast solution, you can send us the Crash Report.\n\n"
                                                                  "1. Open the Console (press Cmd + Spacebar and type \"Console\").\n"
                                                                  "2. Select 'Crash Reports' on the left.\n"
                                                                  "3. Pick the top file named after "
           + appInfo::getAppName() + ".\n"
                                     "4. Copy its contents and send them to us via e-mail.\n\n"
                                     "Thanks for your help!";
}

void CrashHandler::initialize (unsigned int alertSeconds)
{
    std::cerr << "Initializing CrashHandler" << std::endl;
    watchdogSeconds = juce::jmax (1u, alertSeconds);

    struct sigaction action
    {
    };
    action.sa_handler = handleSignal;
    sigemptyset (&action.sa_mask);

    for (auto sig : fatalSignals)
        sigaction (sig, &action, nullptr);
}

void CrashHandler::handleSignal (int signal)
{
    // Every fault is reported, whichever thread it hit.
    reportSignal (signal);

    // Only the first fault, and only on the message thread, shows the alert;
    // any other ends the process straight away, even while the alert is up.
    if (canShowWindows() && !alertShown.exchange (true))
    {
        armWatchdog();
        showAlert();
    }

    // End the process instead of running the faulting code again.
    ::signal (signal, SIG_DFL);
    ::raise (signal);
}
