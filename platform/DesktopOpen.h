#pragma once

#include <juce_core/juce_core.h>

namespace platform
{
/** Hands a file, a folder or a web address to the desktop's default
    application for it (xdg-open on Linux, open on macOS), without waiting for
    that application and without leaving a child process behind. False when
    the opener could not be started. */
bool openWithDesktopApplication (const juce::String& fileOrAddress);
} // namespace platform
