#pragma once

#include "support/Subprocess.h"

/** The host simulator (build/bin/host-sim) as a real process for the suite's
    tests: started headless on a free port, its port read from its first
    line of output, commands written to its standard input, and stopped when
    this object goes. It talks to host-sim only through its command line,
    standard input and output: no protocol code of either side. */
class HostSimProcess final
{
public:
    /** Starts host-sim with "--headless --port 0 --exit-with-parent" and the
        given extra arguments (e.g. "--suite", folder, "--no-presence"). The
        kernel ends host-sim when the starting thread ends, so start it on a
        thread that outlives this object (a test's own thread does).
        extraEnvironment entries ("NAME=value") reach host-sim and the suite
        it launches. */
    explicit HostSimProcess (const juce::StringArray& extraArguments = {}, const juce::StringArray& extraEnvironment = {});
    ~HostSimProcess() { stop(); }

    /** True once host-sim reported its port. */
    bool isRunning() const { return port > 0; }

    /** The WebSocket port host-sim listens on, 0 when it failed to start. */
    int getPort() const { return port; }

    /** Sends one command line (e.g. "fault drop 2", "trigger ORV"). */
    bool sendCommand (const juce::String& commandLine) { return process.writeInput (commandLine.trimEnd() + "\n"); }

    /** Waits until host-sim's output contains the text; false on time-out. */
    bool waitForOutput (const juce::String& text, int timeoutMs = 5000);

    /** Everything host-sim printed on standard output so far. */
    juce::String getOutput() const { return process.getStdout(); }

    /** host-sim's last events (its "log" command), for failure messages: what
        the simulator received, read and answered up to now. */
    juce::String recentEvents (int count = 60);

    /** Everything host-sim and the suite it launched printed on standard error so far. */
    juce::String getErrorOutput() const { return process.getStderr(); }

    /** Writes host-sim's generated score of staves x bars x notesPerBar notes
        to the file (for "--score"); false when host-sim failed. */
    static bool generateScore (int staves, int bars, int notesPerBar, const juce::File& file);

    /** Ends host-sim: "quit", then SIGTERM, then SIGKILL if it will not go. */
    void stop();

private:
    testsupport::Subprocess process;
    int port = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HostSimProcess)
};
