#pragma once

#include <juce_core/juce_core.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include <sys/types.h>

/** The host simulator (build/bin/host-sim) as a real process for the suite's
    tests: started headless on a free port, its port read from its first
    line of output, commands written to its standard input, and stopped when
    this object goes. It talks to host-sim only through its command line,
    standard input and output: no protocol code of either side. */
class HostSimProcess final
{
public:
    /** Starts host-sim with "--headless --port 0 --exit-with-parent" and the
        given extra arguments (e.g. "--suite", folder, "--log", file,
        "--fault", "delay=200", "--no-presence"). The kernel ends host-sim
        when the starting thread ends, so start it on a thread that outlives
        this object (a test's own thread does). extraEnvironment entries
        ("NAME=value") reach host-sim and the suite it launches. */
    explicit HostSimProcess (const juce::StringArray& extraArguments = {}, const juce::StringArray& extraEnvironment = {});
    ~HostSimProcess();

    /** The built simulator this helper runs. */
    static juce::File getExecutable();

    /** True once host-sim reported its port. */
    bool isRunning() const { return port > 0; }

    /** The WebSocket port host-sim listens on, 0 when it failed to start. */
    int getPort() const { return port; }

    /** Sends one command line (e.g. "fault drop 2", "trigger ORV"). */
    bool sendCommand (const juce::String& commandLine);

    /** Waits until a line of output contains the text; false on time-out. */
    bool waitForOutput (const juce::String& text, int timeoutMs = 5000);

    /** Everything host-sim printed on standard output so far. */
    juce::String getOutput() const;

    /** Ends host-sim: "quit", then SIGTERM, then SIGKILL if it will not go. */
    void stop();

private:
    void readOutput();

    pid_t pid = -1;
    int inputFd = -1;
    int outputFd = -1;
    int port = 0;
    std::thread reader;
    mutable std::mutex mutex;
    std::condition_variable outputChanged;
    juce::String output;
    bool outputClosed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HostSimProcess)
};
