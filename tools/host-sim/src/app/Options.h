#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <utility>
#include <vector>

namespace hostsim
{
class PluginRegistry;

/** The simulator's command line. */
struct Options
{
    static constexpr int defaultPort = 1898;

    int port = defaultPort;
    juce::File suiteFolder;   ///< empty: no file channel
    juce::File scoreFile;     ///< empty: a small built-in score
    juce::File logFile;       ///< empty: log kept in memory only
    juce::File scriptFile;    ///< commands run before standard input
    juce::StringArray faults; ///< one fault command each
    int hostVersion = 20240300;
    bool headless = false;
    bool host75 = false;
    bool presence = true; ///< take the host's process name
    bool launchSuiteAtStart = false;
    bool launchEnabled = true;
    bool exitWithParent = false;
    bool verbose = false;
    bool showHelp = false;

    struct Generate
    {
        int staves = 0;
        int bars = 0;
        int notesPerBar = 0;
        juce::File outFile; ///< empty: standard output
    };
    std::optional<Generate> generate;

    /** The plug-ins' options as given: name and value (empty for a flag). */
    std::vector<std::pair<juce::String, juce::String>> pluginOptions;

    /** Reads the arguments (without the program name); fails with a message
        naming the bad one. Options the plug-ins of `registry` added are
        known too. */
    static juce::Result parse (const juce::StringArray& args, Options& out, const PluginRegistry* registry = nullptr);

    static juce::String getUsage (const PluginRegistry* registry = nullptr);
};
} // namespace hostsim
