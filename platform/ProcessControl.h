#pragma once

#include <juce_core/juce_core.h>

namespace platform
{
/** Turns the process into a UI-element application: on macOS no Dock icon
    and no menu bar; on Linux its windows stay off the taskbar. */
void makeUiElementApplication();

/** Whether makeUiElementApplication has run; windows consult it for their style. */
bool isUiElementApplication();

/** Whether the process runs as an app extension (never on Linux). */
bool isRunningAsAppExtension();

/** Brings this process to the front, ignoring other applications (nothing to do on Linux). */
void activateThisApplication();

/** Brings the application with the bundle identifier to the front. Linux has
    no such applications: the request is logged and nothing else happens. */
void activateApplication (const juce::String& bundleIdentifier);
} // namespace platform
