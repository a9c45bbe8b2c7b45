#pragma once

#include "engine/PluginRegistry.h"

namespace hostsim
{
/** Name of the plug-in that exists for end-to-end tests of the suite. */
inline constexpr const char* testPluginName = "ORV_Test";

/** Registers "ORV_Test": "echo" (returns its argument), "delay" (returns its
    argument {"ms": n, ...} n milliseconds later), "selection" (the current
    selection) and "scoreInfo" (title and sizes of the open score). */
void registerTestPlugin (PluginRegistry& registry);
} // namespace hostsim
