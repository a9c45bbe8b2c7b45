#include "engine/PluginRegistry.h"

namespace hostsim
{
PluginRegistry::Plugin& PluginRegistry::declarePlugin (const juce::String& pluginName, const juce::String& productCode)
{
    for (auto& plugin : plugins)
    {
        if (plugin->name == pluginName)
        {
            if (productCode.isNotEmpty())
                plugin->productCode = productCode;

            return *plugin;
        }
    }

    plugins.push_back (std::make_unique<Plugin>());
    plugins.back()->name = pluginName;
    plugins.back()->productCode = productCode;
    return *plugins.back();
}

const PluginRegistry::Plugin* PluginRegistry::findPlugin (const juce::String& pluginName) const
{
    for (const auto& plugin : plugins)
        if (plugin->name == pluginName)
            return plugin.get();

    return nullptr;
}

std::vector<const PluginRegistry::Plugin*> PluginRegistry::getPlugins() const
{
    std::vector<const Plugin*> result;

    for (const auto& plugin : plugins)
        result.push_back (plugin.get());

    return result;
}

void PluginRegistry::addCommand (Command command)
{
    command.name = command.name.toLowerCase();

    if (command.name.isEmpty() || !command.name.containsOnly ("abcdefghijklmnopqrstuvwxyz0123456789-") || findCommand (command.name) != nullptr)
    {
        problems.add (command.plugin + ": the command name \"" + command.name + "\" is empty, malformed or taken");
        return;
    }

    commands.push_back (std::move (command));
}

const PluginRegistry::Command* PluginRegistry::findCommand (const juce::String& name) const
{
    for (const auto& command : commands)
        if (command.name == name)
            return &command;

    return nullptr;
}

void PluginRegistry::addOption (Option option)
{
    if (!option.name.startsWith ("--") || option.name.length() < 3 || findOption (option.name) != nullptr)
    {
        problems.add (option.plugin + ": the option \"" + option.name + "\" does not start with -- or is taken");
        return;
    }

    options.push_back (std::move (option));
}

const PluginRegistry::Option* PluginRegistry::findOption (const juce::String& name) const
{
    for (const auto& option : options)
        if (option.name == name)
            return &option;

    return nullptr;
}

juce::var PluginRegistry::makeFailureReply (const juce::String& plugin, const juce::String& text) const
{
    if (const auto* entry = findPlugin (plugin); entry != nullptr && entry->failureReply)
        return entry->failureReply (text);

    auto* object = new juce::DynamicObject();
    const juce::var reply (object);
    object->setProperty ("success", false);
    object->setProperty ("error", text);
    return reply;
}

void PluginRegistry::addMethod (const juce::String& plugin, const juce::String& method, MethodHandler handler)
{
    declarePlugin (plugin);
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
