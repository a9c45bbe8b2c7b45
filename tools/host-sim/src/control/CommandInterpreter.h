#pragma once

#include "engine/Engine.h"
#include "net/Faults.h"

#include <atomic>
#include <functional>

namespace hostsim
{
/** What a command did: a one-line (or, for "log" and "help", multi-line)
    answer, and whether the simulator should end. */
struct CommandResult
{
    bool ok = true;
    juce::String message;
    bool quit = false;

    /** "ok: message" or "error: message", the form printed on standard output. */
    juce::String toOutputText() const;
};

/** The control channel's commands, the same from standard input, a script
    file and the window: select, trigger, message, play, stop, undo, redo,
    fault, log, note, wait, status, open, save, export-audio, export-pdf,
    help and quit (see `getHelpText`), and the commands the plug-ins add.
    May be called from any thread. */
class CommandInterpreter final
{
public:
    CommandInterpreter (Host& host, Engine& engine, FaultState& faults, EventLog& log);

    /** Adds a line about the network to "status" (port, open connections). */
    void setServerStatus (std::function<juce::String()> statusProvider);

    /** Runs one command line. Empty lines and lines starting with "#" do nothing. */
    CommandResult execute (const juce::String& line);

    /** The built-in commands. */
    static juce::String getHelpText();

    /** The built-in commands and those of the plug-ins. */
    static juce::String getHelpText (const PluginRegistry& registry);

    /** The names of the built-in commands (a plug-in may not take them). */
    static juce::StringArray getBuiltInCommandNames();

    /** Ends a running "wait" early and makes later ones return at once (shutdown). */
    void cancelWaits() { waitsCancelled = true; }

private:
    CommandResult select (const juce::StringArray& words);
    CommandResult trigger (const juce::StringArray& words, const juce::String& rest);
    CommandResult message (const juce::StringArray& words, const juce::String& rest);
    CommandResult play (const juce::StringArray& words);
    CommandResult fault (const juce::String& rest);
    CommandResult showLog (const juce::StringArray& words);
    CommandResult wait (const juce::StringArray& words);
    CommandResult status();
    CommandResult open (const juce::String& path);
    CommandResult save (const juce::String& path);
    CommandResult history (bool undo);
    CommandResult exportAudio (const juce::StringArray& words);
    CommandResult exportPdf (const juce::StringArray& words, const juce::String& rest);
    CommandResult help (const juce::StringArray& words);

    Host& host;
    Engine& engine;
    FaultState& faults;
    EventLog& log;
    std::function<juce::String()> serverStatus;
    std::atomic<bool> waitsCancelled{false};
};
} // namespace hostsim
