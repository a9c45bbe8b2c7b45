#include "engine/PluginRegistry.h"

namespace hostsim
{
void PluginRegistry::addMethod (const juce::String& plugin, const juce::String& method, MethodHandler handler)
{
    methods[plugin][method] = std::move (handler);
}

const MethodHandler* PluginRegistry::findMethod (const juce::String& plugin, const juce::String& method) const
{
    const auto p = methods.find (plugin);

    if (p == methods.end())
        return nullptr;

    const auto m = p->second.find (method);
    return m == p->second.end() ? nullptr : &m->second;
}

bool PluginRegistry::hasPlugin (const juce::String& plugin) const
{
    return methods.find (plugin) != methods.end();
}

juce::StringArray PluginRegistry::getPluginNames() const
{
    juce::StringArray names;

    for (const auto& [name, table] : methods)
        names.add (name);

    return names;
}

juce::StringArray PluginRegistry::getMethodNames (const juce::String& plugin) const
{
    juce::StringArray names;
    const auto p = methods.find (plugin);

    if (p != methods.end())
        for (const auto& [name, handler] : p->second)
            names.add (name);

    return names;
}

void PluginRegistry::setTriggerData (const juce::String& productCode, TriggerDataProvider provider)
{
    triggerData[productCode] = std::move (provider);
}

juce::String PluginRegistry::getTriggerData (const juce::String& productCode, const HostState& state) const
{
    const auto it = triggerData.find (productCode);
    return it != triggerData.end() && it->second ? it->second (state) : juce::String();
}

void PluginRegistry::addGuestMessageHandler (const juce::String& type, GuestMessageHandler handler)
{
    guestHandlers[type] = std::move (handler);
}

const PluginRegistry::GuestMessageHandler* PluginRegistry::findGuestMessageHandler (const juce::String& type) const
{
    const auto it = guestHandlers.find (type);
    return it == guestHandlers.end() ? nullptr : &it->second;
}
} // namespace hostsim
