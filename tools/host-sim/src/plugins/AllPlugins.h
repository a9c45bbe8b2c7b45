#pragma once

#include "engine/PluginRegistry.h"

namespace hostsim
{
/** Installs every plug-in the simulated host offers: the test plug-in and
    each product's plug-in substitute. */
void registerAllPlugins (PluginRegistry& registry);
} // namespace hostsim
