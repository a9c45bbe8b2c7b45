#pragma once

#include <juce_core/juce_core.h>

namespace hostsim
{
/** The process names by which the suite recognises a running host on Linux:
    the last component of the host's bundle identifier. */
inline constexpr const char* hostProcessName = "Sibelius";
inline constexpr const char* host75ProcessName = "Sibelius75";

/** Renames the calling thread, which must be the main thread, so that
    /proc/<pid>/comm shows the host's process name. */
bool presentAsHost (bool asHost75);

/** Asks the kernel to send this process SIGTERM when its parent ends
    (strictly: when the parent's thread that started it ends). */
bool exitWithParent();
} // namespace hostsim
