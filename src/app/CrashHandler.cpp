#include "app/CrashHandler.h"
#include "app/AppInfo.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace
{
constexpr int fatalSignals[] = { SIGSEGV, SIGABRT, SIGILL, SIGFPE };
std::atomic<bool> handling { false };

void writeToStderr (const char* text)
{
    juce::ignoreUnused (::write (STDERR_FILENO, text, std::strlen (text)));
}

bool canShowWindows()
{
    if (! juce::MessageManager::existsAndIsCurrentThread())
        return false;

    const auto* displays = &juce::Desktop::getInstance().getDisplays();
    return displays->getPrimaryDisplay() != nullptr;
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
           "3. Pick the top file named after " + appInfo::getAppName() + ".\n"
           "4. Copy its contents and send them to us via e-mail.\n\n"
           "Thanks for your help!";
}

void CrashHandler::initialize()
{
    std::cerr << "Initializing CrashHandler" << std::endl;

    struct sigaction action {};
    action.sa_handler = handleSignal;
    sigemptyset (&action.sa_mask);

    for (auto sig : fatalSignals)
        sigaction (sig, &action, nullptr);
}

void CrashHandler::handleSignal (int signal)
{
    // Only the first fault shows the alert; a fault while it is up (or in
    // another thread) goes straight to the default action.
    if (! handling.exchange (true))
    {
        writeToStderr ("Oops! ORV encountered an error and needs to close.\n");

        if (canShowWindows())
            showAlert();
    }

    // End the process instead of running the faulting code again.
    ::signal (signal, SIG_DFL);
    ::raise (signal);
}
