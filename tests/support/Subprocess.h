#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <sys/types.h>
#include <vector>

namespace testsupport
{
/** A child process for end-to-end tests: started with posix_spawn, its
    standard output and error captured in files, its standard input a pipe
    (withInput) or empty, waited for with a timeout. */
class Subprocess final
{
public:
    /** Starts argv[0] with the arguments; extraEnvironment entries ("NAME=value")
        come before the inherited environment, so they win over inherited
        entries of the same name. */
    Subprocess (const juce::StringArray& argv, const juce::StringArray& extraEnvironment = {}, bool withInput = false);
    ~Subprocess();

    bool started() const { return pid > 0; }
    pid_t getPid() const { return pid; }

    /** Waits for the exit; the exit status (or 128 + signal) or nothing on timeout. */
    std::optional<int> waitForExit (int timeoutMs);

    bool isRunning();
    void sendSignal (int signal);

    /** Writes to the standard input; false when there is none or the process has gone. */
    bool writeInput (const juce::String& text);

    juce::String getStdout() const { return outFile.getFile().loadFileAsString(); }
    juce::String getStderr() const { return errFile.getFile().loadFileAsString(); }

private:
    pid_t pid = -1;
    int inputFd = -1;
    std::optional<int> exitStatus;
    juce::TemporaryFile outFile, errFile;
};

/** The live (not ended) processes that run the executable, found through /proc/<pid>/exe. */
std::vector<pid_t> processIdsOf (const juce::File& executable);

/** How many live processes run the executable. */
inline int countProcessesOf (const juce::File& executable)
{
    return static_cast<int> (processIdsOf (executable).size());
}

/** How many live processes carry the process name (what /proc/<pid>/comm shows). */
int countProcessesNamed (const juce::String& name);

/** Polls the condition every pollMs milliseconds until it holds or the time
    is up; whether it held. Conditions that run X tools or take screenshots
    poll less often, to leave the machine to the programs under test. */
bool waitUntil (const std::function<bool()>& condition, int timeoutMs, int pollMs = 5);
} // namespace testsupport
