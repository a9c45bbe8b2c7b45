#pragma once

#include "channel/ChannelFiles.h"
#include "engine/MethodCall.h"

#include <map>
#include <memory>
#include <vector>

namespace hostsim
{
/** A console command a plug-in adds, as its handler sees it. It runs as one
    step under the host's lock, like a method. */
struct PluginCommandCall
{
    juce::StringArray args; ///< the words after the command's name
    juce::String rest;      ///< the text after the command's name, as typed
    HostAccess& host;
    juce::String answer; ///< the one-line answer ("ok: answer" or "error: answer")
};

/** The host's plug-ins: for each ("ORV_" + internal name) its methods, the
    data it hands to the suite when the user runs it, its handlers for the
    suite's messages, and the console commands, command-line options and
    selection hooks it adds. Filled at start-up through `PluginSetup`,
    read-only afterwards. */
class PluginRegistry final
{
public:
    /** Builds the data text of a "USER_TRIGGER" host message from the host's state. */
    using TriggerDataProvider = std::function<juce::String (const HostState&)>;

    /** Handles a suite message read from the guest outbox. */
    using GuestMessageHandler = std::function<void (const channel::GuestMessage&, HostAccess&)>;

    /** Runs a plug-in's console command; returns whether it succeeded (the answer says more). */
    using CommandHandler = std::function<bool (PluginCommandCall&)>;

    /** Takes the value of a plug-in's command-line option (empty for a flag); a failure ends the start. */
    using OptionHandler = std::function<juce::Result (const juce::String& value)>;

    /** The plug-in's answer when a method fails: what the product expects instead of its result. */
    using FailureReply = std::function<juce::var (const juce::String& text)>;

    /** Runs after the user selects something (outside any method call). */
    using SelectionHook = std::function<void (HostAccess&)>;

    /** Runs after the user starts or stops playback in the host (outside any method call). */
    using TransportHook = std::function<void (HostAccess&)>;

    struct Command
    {
        juce::String plugin, name, usage, help;
        CommandHandler handler;
    };

    struct Option
    {
        juce::String plugin, name, valueName, help;
        OptionHandler handler;
    };

    struct Plugin
    {
        juce::String name;        ///< "ORV_" + internal name
        juce::String productCode; ///< empty for a plug-in without a product
        juce::String summary;
        FailureReply failureReply; ///< empty: {"success": false, "error": text}
        std::vector<SelectionHook> selectionHooks;
        std::vector<TransportHook> transportHooks;
    };

    /** The plug-in's entry, created on first use; `productCode` is kept when not empty. */
    Plugin& declarePlugin (const juce::String& pluginName, const juce::String& productCode = {});
    const Plugin* findPlugin (const juce::String& pluginName) const;

    /** The plug-ins in the order they were declared. */
    std::vector<const Plugin*> getPlugins() const;

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

    /** Adds a console command (a name in lower case). A name taken before is
        refused and noted in `getProblems`. */
    void addCommand (Command command);
    const Command* findCommand (const juce::String& name) const;
    const std::vector<Command>& getCommands() const { return commands; }

    /** Adds a command-line option ("--" and a name). A name taken before is
        refused and noted in `getProblems`. */
    void addOption (Option option);
    const Option* findOption (const juce::String& name) const;
    const std::vector<Option>& getOptions() const { return options; }

    /** The failure answer of the plug-in for a text (see FailureReply). */
    juce::var makeFailureReply (const juce::String& plugin, const juce::String& text) const;

    /** Registrations that were refused, one line each. */
    const juce::StringArray& getProblems() const { return problems; }

private:
    std::vector<std::unique_ptr<Plugin>> plugins;
    std::map<juce::String, std::map<juce::String, MethodHandler>> methods;
    std::map<juce::String, TriggerDataProvider> triggerData;
    std::map<juce::String, GuestMessageHandler> guestHandlers;
    std::vector<Command> commands;
    std::vector<Option> options;
    juce::StringArray problems;
};
} // namespace hostsim
