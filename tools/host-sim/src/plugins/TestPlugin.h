#pragma once

// "ORV_Test" offers "echo" (returns its argument), "delay" (returns its
// argument {"ms": n, ...} n milliseconds later), "selection" (the current
// selection) and "scoreInfo" (title and sizes of the open score).

namespace hostsim
{
/** Name of the plug-in that exists for end-to-end tests of the suite. */
inline constexpr const char* testPluginName = "ORV_Test";
} // namespace hostsim
