#include "engine/PluginSetup.h"
#include "engine/ProductTable.h"

namespace hostsim
{
namespace
{
juce::String productCodeOf (const juce::String& internalName)
{
    for (const auto& product : getProducts())
        if (internalName == product.internalName)
            return product.code;

    return {};
}
} // namespace

PluginSetup::PluginSetup (PluginRegistry& r, const juce::String& internalName)
    : registry (r)
    , plugin (r.declarePlugin ("ORV_" + internalName, productCodeOf (internalName)))
{
}

PluginSetup& PluginSetup::describe (const juce::String& summary)
{
    plugin.summary = summary;
    return *this;
}

PluginSetup& PluginSetup::method (const juce::String& name, MethodHandler handler)
{
    registry.addMethod (plugin.name, name, std::move (handler));
    return *this;
}

PluginSetup& PluginSetup::triggerData (PluginRegistry::TriggerDataProvider provider)
{
    if (plugin.productCode.isNotEmpty())
        registry.setTriggerData (plugin.productCode, std::move (provider));

    return *this;
}

PluginSetup& PluginSetup::guestMessage (const juce::String& type, PluginRegistry::GuestMessageHandler handler)
{
    registry.addGuestMessageHandler (type, std::move (handler));
    return *this;
}

PluginSetup& PluginSetup::command (const juce::String& name, const juce::String& usage, const juce::String& help,
                                   PluginRegistry::CommandHandler handler)
{
    registry.addCommand ({plugin.name, name, usage, help, std::move (handler)});
    return *this;
}

PluginSetup& PluginSetup::option (const juce::String& name, const juce::String& valueName, const juce::String& help,
                                  PluginRegistry::OptionHandler handler)
{
    registry.addOption ({plugin.name, name, valueName, help, std::move (handler)});
    return *this;
}

PluginSetup& PluginSetup::failureReply (PluginRegistry::FailureReply reply)
{
    plugin.failureReply = std::move (reply);
    return *this;
}

PluginSetup& PluginSetup::onTransportChanged (PluginRegistry::TransportHook hook)
{
    plugin.transportHooks.push_back (std::move (hook));
    return *this;
}

PluginSetup& PluginSetup::onSelectionChanged (PluginRegistry::SelectionHook hook)
{
    plugin.selectionHooks.push_back (std::move (hook));
    return *this;
}
} // namespace hostsim
