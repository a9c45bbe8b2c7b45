#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace app
{
/** How a launch proceeds: a setup run only installs the host plug-in files
    (and may greet the user) and quits; a normal run serves the host. */
struct StartupDecision
{
    bool isSetupRun = false;
    bool showWelcomeOnSetup = true;
};

/** True when the command line holds "--from-installer" or "--from-setup", in any letter case. */
bool hasSetupFlag (const juce::String& commandLine);

/** A setup flag means a quiet setup run; otherwise the run is a setup run with
    the welcome message exactly when the host is not running. The host is
    only asked when there is no flag. */
StartupDecision decideStartup (const juce::String& commandLine, const std::function<bool()>& isHostRunning);
} // namespace app
