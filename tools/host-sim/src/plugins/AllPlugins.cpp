#include "plugins/AllPlugins.h"
#include "plugins/FerrymoPlugin.h"
#include "plugins/TestPlugin.h"

namespace hostsim
{
void registerAllPlugins (PluginRegistry& registry)
{
    registerTestPlugin (registry);
    registerFerrymoPlugin (registry);
}
} // namespace hostsim
