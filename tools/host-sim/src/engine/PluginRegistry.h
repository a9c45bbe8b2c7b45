#pragma once

#include "channel/ChannelFiles.h"
#include "engine/MethodCall.h"

#include <map>

namespace hostsim
{
/** The product plug-ins the simulated host has installed: method handlers
    per plug-in name ("ORV_" + internal name), the data each product's
    plug-in hands to the suite when the user runs it, and handlers for the
    suite's legacy messages by type. Filled at start-up, read-only afterwards. */
class PluginRegistry final
{
public:
    /** Builds the data text of a "USER_TRIGGER" host message from the host's state. */
    using TriggerDataProvider = std::function<juce::String (const HostState&)>;

    /** Handles a suite message read from the guest outbox. */
    using GuestMessageHandler = std::function<void (const channel::GuestMessage&, HostState&)>;

    void addMethod (const juce::String& plugin, const juce::String& method, MethodHandler handler);

    /** The handler, or nullptr for an unknown plug-in or method. */
    const MethodHandler* findMethod (const juce::String& plugin, const juce::String& method) const;

    bool hasPlugin (const juce::String& plugin) const;
    juce::StringArray getPluginNames() const;
    juce::StringArray getMethodNames (const juce::String& plugin) const;

    void setTriggerData (const juce::String& productCode, TriggerDataProvider provider);

    /** The trigger data for the product; empty when it has no provider. */
    juce::String getTriggerData (const juce::String& productCode, const HostState& state) const;

    void addGuestMessageHandler (const juce::String& type, GuestMessageHandler handler);
    const GuestMessageHandler* findGuestMessageHandler (const juce::String& type) const;

private:
    std::map<juce::String, std::map<juce::String, MethodHandler>> methods;
    std::map<juce::String, TriggerDataProvider> triggerData;
    std::map<juce::String, GuestMessageHandler> guestHandlers;
};
} // namespace hostsim
