#pragma once

#include "engine/PluginSetup.h"

/** Opens a plug-in substitute's install function: write
    `HOST_SIM_PLUGIN (Lyrel) { setup.method (...); ... }` once, outside any
    namespace, in the substitute's own file in src/plugins/; the build finds
    it there and lists it in the table of all plug-ins. The name is the
    product's internal name: the plug-in is "ORV_" + that name. */
#define HOST_SIM_PLUGIN(InternalName) void hostSimInstall##InternalName (::hostsim::PluginSetup& setup)

namespace hostsim
{
/** Installs every plug-in substitute of src/plugins/, in file name order. */
void registerAllPlugins (PluginRegistry& registry);

/** The internal names of the plug-ins `registerAllPlugins` installs, in that order. */
juce::StringArray getAllPluginNames();
} // namespace hostsim
