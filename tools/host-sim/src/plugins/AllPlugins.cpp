#include "plugins/AllPlugins.h"
#include "plugins/TestPlugin.h"

namespace hostsim
{
void registerAllPlugins (PluginRegistry& registry)
{
    registerTestPlugin (registry);
}
} // namespace hostsim
