#include "app/StartupDecision.h"

namespace app
{
bool hasSetupFlag (const juce::String& commandLine)
{
    return commandLine.containsIgnoreCase ("--from-installer") || commandLine.containsIgnoreCase ("--from-setup");
}

StartupDecision decideStartup (const juce::String& commandLine, const std::function<bool()>& isHostRunning)
{
    if (hasSetupFlag (commandLine))
        return {true, false};

    return {!isHostRunning(), true};
}
} // namespace app
