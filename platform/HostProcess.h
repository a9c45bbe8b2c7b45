#pragma once

#include <juce_core/juce_core.h>

namespace platform
{
/** Bundle identifier of the notation host; the 7.5 host's is the same with "75" appended. */
inline constexpr const char* hostBundleIdentifier = "com.notation.Sibelius";
inline constexpr const char* host75BundleIdentifier = "com.notation.Sibelius75";

/** The host's bundle identifier for the current or the 7.5 host. */
juce::String getHostBundleIdentifier (bool isHost75);

/** How many running applications of this user carry the bundle identifier.
    On macOS: the running applications with that identifier. On Linux an
    application "carries" an identifier when its process name (what
    /proc/<pid>/comm shows) equals the identifier's last dot-separated
    component, e.g. "Sibelius" or "Sibelius75"; zombies do not count, nor
    does a process whose parent has the same name (the application's own
    fork that has not run another program yet). */
int countRunningApplications (const juce::String& bundleIdentifier);

/** The process name an application with the identifier has on Linux. */
juce::String processNameForBundleIdentifier (const juce::String& bundleIdentifier);

/** True when exactly one running application is the host. */
bool isHostRunning (bool isHost75);
} // namespace platform
