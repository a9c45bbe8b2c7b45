#pragma once

#include "control/CommandInterpreter.h"

#include <atomic>
#include <functional>
#include <thread>

namespace hostsim
{
/** Feeds the interpreter on a thread of its own: first the lines of a
    script file, then the lines typed on standard input, printing each
    answer on standard output. The end of standard input ends only the
    reading; "quit" calls the quit callback. */
class CommandChannel final
{
public:
    CommandChannel (CommandInterpreter& interpreter, std::function<void()> onQuit);
    ~CommandChannel();

    /** Starts the thread; `script` may be a non-existent file (nothing to run). */
    void start (const juce::File& script, bool readStandardInput);

    /** Ends the thread (it checks about every 100 ms). */
    void stop();

    /** Prints a line on standard output, safely from any thread. */
    static void printLine (const juce::String& line);

private:
    void run (juce::File script, bool readStandardInput);
    bool handle (const juce::String& line);

    CommandInterpreter& interpreter;
    std::function<void()> onQuit;
    std::atomic<bool> stopping{false};
    std::thread thread;
};
} // namespace hostsim
