// The table of plug-in substitutes and what a substitute can add: methods,
// trigger data, commands, options, selection hooks, failure answers; and
// the README keeping one section per plug-in.
#include "app/Options.h"
#include "channel/ChannelFiles.h"
#include "control/CommandInterpreter.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
/** The README's text from a "## " heading to the next one. */
juce::String readmeSection (const juce::String& heading)
{
    const auto text = juce::File (HOST_SIM_TEST_README).loadFileAsString();
    const auto start = text.indexOf ("\n## " + heading + "\n");

    if (start < 0)
        return {};

    const auto end = text.indexOf (start + 1, "\n## ");
    return end < 0 ? text.substring (start) : text.substring (start, end);
}

/** A walking-bass substitute of the test's own, using every kind of registration. */
struct WalkingBass
{
    juce::String style = "swing";
    bool quiet = false;

    void install (PluginRegistry& registry)
    {
        PluginSetup setup (registry, "Stridel");
        EXPECT_EQ (setup.getPluginName(), "ORV_Stridel");
        EXPECT_EQ (setup.getProductCode(), "SD");
        setup.describe ("walking bass lines");
        setup.triggerData ([] (const HostState& state)
                           { return "bars " + juce::String (state.score.selection.firstBar); });
        setup.command ("walk", "walk BARS", "write a walking bass", [] (PluginCommandCall& call)
                       {
            if (call.args.size() != 1)
            {
                call.answer = "walk needs a bar count";
                return false;
            }

            call.host.editScore().title = "walked " + call.args[0];
            call.answer = "walked over " + call.rest;
            return true; });
        setup.option ("--walk-style", "STYLE", "swing or two-feel", [this] (const juce::String& value)
                      {
            if (value != "swing" && value != "two-feel")
                return juce::Result::fail ("unknown style " + value);

            style = value;
            return juce::Result::ok(); });
        setup.option ("--walk-quiet", {}, "no messages", [this] (const juce::String&)
                      {
            quiet = true;
            return juce::Result::ok(); });
        setup.onSelectionChanged ([] (HostAccess& host)
                                  { host.postHostMessage ("SD", "SELECTION", host.score().selection.describe()); });
    }
};
} // namespace

TEST (PluginTable, EverySubstituteIsInstalledOnceAndDocumented)
{
    PluginRegistry registry;
    registerAllPlugins (registry);

    const auto names = getAllPluginNames();
    EXPECT_TRUE (names.contains ("Test"));
    EXPECT_TRUE (names.contains ("Ferrymo"));
    EXPECT_EQ (static_cast<int> (registry.getPlugins().size()), names.size());
    EXPECT_TRUE (registry.getProblems().isEmpty()) << registry.getProblems().joinIntoString ("\n");
    EXPECT_EQ (registry.findPlugin ("ORV_Ferrymo")->productCode, "FRY");
    EXPECT_EQ (registry.findPlugin ("ORV_Test")->productCode, "");

    const auto builtIns = CommandInterpreter::getBuiltInCommandNames();

    for (const auto& command : registry.getCommands())
        EXPECT_FALSE (builtIns.contains (command.name)) << command.name << " hides a built-in command";

    // One README section per plug-in, naming each of its methods, commands and options.
    const auto plugins = readmeSection ("Plug-in substitutes");
    ASSERT_TRUE (plugins.isNotEmpty()) << "the README has no section \"Plug-in substitutes\"";

    for (const auto* plugin : registry.getPlugins())
    {
        EXPECT_FALSE (plugin->summary.isEmpty()) << plugin->name;
        const auto start = plugins.indexOf ("\n### " + plugin->name);
        ASSERT_GE (start, 0) << "no README section for " << plugin->name;
        const auto end = plugins.indexOf (start + 1, "\n### ");
        const auto section = end < 0 ? plugins.substring (start) : plugins.substring (start, end);

        for (const auto& method : registry.getMethodNames (plugin->name))
            EXPECT_TRUE (section.contains ("`" + method + "`")) << plugin->name << " does not document " << method;

        for (const auto& command : registry.getCommands())
        {
            if (command.plugin == plugin->name)
            {
                EXPECT_TRUE (section.contains ("`" + command.name)) << plugin->name << " does not document " << command.name;
            }
        }

        for (const auto& option : registry.getOptions())
        {
            if (option.plugin == plugin->name)
            {
                EXPECT_TRUE (section.contains ("`" + option.name)) << plugin->name << " does not document " << option.name;
            }
        }
    }
}

TEST (PluginTable, ASubstituteAddsCommandsOptionsHooksAndTriggerData)
{
    test::SimHarness sim (test::makeRichScore(), false);
    WalkingBass bass;
    bass.install (sim.registry);
    CommandInterpreter commands (sim.host, sim.engine, sim.faults, sim.log);

    EXPECT_TRUE (commands.execute ("help").message.contains ("walk BARS"));
    EXPECT_TRUE (commands.execute ("help plugins").message.contains ("ORV_Stridel (SD): walking bass lines"));
    EXPECT_EQ (commands.execute ("walk 4 bars").toOutputText(), "error: walk needs a bar count");
    EXPECT_EQ (sim.host.getScore().title, test::makeRichScore().title) << "a failed command changed nothing";
    EXPECT_EQ (commands.execute ("WALK 4").toOutputText(), "ok: walked over 4");
    EXPECT_EQ (sim.host.getScore().title, "walked 4");
    EXPECT_EQ (sim.host.undo(), std::optional<juce::String> ("walk"));

    // Options: known to the parser through the registry, handled by the plug-in.
    Options options;
    EXPECT_TRUE (Options::parse ({"--walk-style"}, options, &sim.registry).failed());
    EXPECT_TRUE (Options::parse ({"--walk-style", "bossa"}, options).failed()) << "unknown without the registry";
    ASSERT_TRUE (Options::parse ({"--headless", "--walk-style", "two-feel", "--walk-quiet"}, options, &sim.registry).wasOk());
    ASSERT_EQ (options.pluginOptions.size(), 2u);

    for (const auto& [name, value] : options.pluginOptions)
        EXPECT_TRUE (sim.registry.findOption (name)->handler (value).wasOk());

    EXPECT_EQ (bass.style, "two-feel");
    EXPECT_TRUE (bass.quiet);
    EXPECT_TRUE (Options::getUsage (&sim.registry).contains ("--walk-style STYLE"));

    // A name taken twice is refused and reported.
    PluginSetup again (sim.registry, "Stridel");
    again.command ("walk", "walk", "again", [] (PluginCommandCall&)
                   { return true; });
    again.option ("--walk-quiet", {}, "again", [] (const juce::String&)
                  { return juce::Result::ok(); });
    EXPECT_EQ (sim.registry.getProblems().size(), 2);

    // The selection hook and the trigger data.
    ASSERT_TRUE (sim.host.select ({2, 3, {1}}).wasOk());
    ASSERT_TRUE (sim.engine.runProductPlugin ("SD").wasOk());
    EXPECT_EQ (sim.stateFile (channel::hostOutboxFileName).loadFileAsString(),
               "H1:SD.SELECTION|bars 2-3, staves 1\r\nH2:SD.USER_TRIGGER|bars 2\r\n");
}
