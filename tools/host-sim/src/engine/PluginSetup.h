#pragma once

#include "engine/PluginRegistry.h"

namespace hostsim
{
/** What a plug-in substitute's install function gets: the registry, bound
    to its plug-in "ORV_" + internal name and, when the name is a product's,
    that product's code. Every call registers one thing; see the README's
    "Writing a plug-in substitute". */
class PluginSetup final
{
public:
    PluginSetup (PluginRegistry& registry, const juce::String& internalName);

    juce::String getPluginName() const { return plugin.name; }
    juce::String getProductCode() const { return plugin.productCode; }

    /** A line about what the plug-in does (shown by "help plugins"). */
    PluginSetup& describe (const juce::String& summary);

    /** A method the suite calls through "ORX.callMethod". */
    PluginSetup& method (const juce::String& name, MethodHandler handler);

    /** The data of the product's "USER_TRIGGER" message when the user runs the plug-in. */
    PluginSetup& triggerData (PluginRegistry::TriggerDataProvider provider);

    /** A handler for the suite's messages of a type ("KV.Apply"). */
    PluginSetup& guestMessage (const juce::String& type, PluginRegistry::GuestMessageHandler handler);

    /** A console command; `usage` shows its arguments ("harp PEDALS"), `help` says what it does. */
    PluginSetup& command (const juce::String& name, const juce::String& usage, const juce::String& help,
                          PluginRegistry::CommandHandler handler);

    /** A command-line option ("--name"); `valueName` empty makes it a flag. */
    PluginSetup& option (const juce::String& name, const juce::String& valueName, const juce::String& help,
                         PluginRegistry::OptionHandler handler);

    /** The answer of a failed method (used by the fault "fail-method"). */
    PluginSetup& failureReply (PluginRegistry::FailureReply reply);

    /** Runs after each selection the user makes. */
    PluginSetup& onSelectionChanged (PluginRegistry::SelectionHook hook);

    /** Runs after each start or stop of playback by the user (command or window). */
    PluginSetup& onTransportChanged (PluginRegistry::TransportHook hook);

private:
    PluginRegistry& registry;
    PluginRegistry::Plugin& plugin;
};
} // namespace hostsim
