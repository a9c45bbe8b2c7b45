#include "platform/ProcessControl.h"

#include <atomic>

namespace platform
{
namespace
{
std::atomic<bool> uiElementApplication{false};
}

#if !JUCE_MAC
void makeUiElementApplication()
{
    uiElementApplication = true;
}

bool isRunningAsAppExtension()
{
    return false;
}

void activateThisApplication()
{
}

void activateApplication (const juce::String& bundleIdentifier)
{
    juce::Logger::writeToLog ("No application to activate on this system: " + bundleIdentifier);
}
#endif

bool isUiElementApplication()
{
    return uiElementApplication;
}
} // namespace platform
