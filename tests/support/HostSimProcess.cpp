#include "support/HostSimProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
constexpr const char* portLinePrefix = "host-sim: listening on 127.0.0.1:";

/** waitpid with a time limit; true when the process has ended (and was reaped). */
bool waitForExit (pid_t pid, int timeoutMs)
{
    for (int waited = 0;; waited += 10)
    {
        int status = 0;
        const auto result = waitpid (pid, &status, WNOHANG);

        if (result == pid || (result < 0 && errno == ECHILD))
            return true;

        if (waited >= timeoutMs)
            return false;

        juce::Thread::sleep (10);
    }
}
} // namespace

juce::File HostSimProcess::getExecutable()
{
    return juce::File (ORVANA_TEST_HOST_SIM_EXECUTABLE);
}

HostSimProcess::HostSimProcess (const juce::StringArray& extraArguments, const juce::StringArray& extraEnvironment)
{
    juce::StringArray args { getExecutable().getFullPathName(), "--headless", "--port", "0", "--exit-with-parent" };
    args.addArray (extraArguments);

    std::vector<std::string> argStorage, envStorage;

    for (const auto& a : args)
        argStorage.push_back (a.toStdString());

    // The extra entries come first: getenv takes the first entry of a name.
    for (const auto& e : extraEnvironment)
        envStorage.push_back (e.toStdString());

    for (auto** e = environ; *e != nullptr; ++e)
        envStorage.emplace_back (*e);

    std::vector<char*> argv, envp;

    for (auto& a : argStorage)
        argv.push_back (a.data());

    for (auto& e : envStorage)
        envp.push_back (e.data());

    argv.push_back (nullptr);
    envp.push_back (nullptr);

    int input[2];
    int out[2];

    if (pipe2 (input, O_CLOEXEC) != 0)
        return;

    if (pipe2 (out, O_CLOEXEC) != 0)
    {
        close (input[0]);
        close (input[1]);
        return;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_adddup2 (&actions, input[0], 0);
    posix_spawn_file_actions_adddup2 (&actions, out[1], 1);

    if (posix_spawn (&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;

    posix_spawn_file_actions_destroy (&actions);
    close (input[0]);
    close (out[1]);
    inputFd = input[1];
    outputFd = out[0];

    if (pid <= 0)
    {
        close (inputFd);
        close (outputFd);
        inputFd = outputFd = -1;
        return;
    }

    reader = std::thread ([this] { readOutput(); });

    if (waitForOutput (portLinePrefix, 10000))
    {
        std::lock_guard<std::mutex> lock (mutex);
        const auto line = output.fromFirstOccurrenceOf (portLinePrefix, false, false).upToFirstOccurrenceOf ("\n", false, false);
        port = line.trim().getIntValue();
    }
}

HostSimProcess::~HostSimProcess()
{
    stop();
}

void HostSimProcess::readOutput()
{
    char buffer[4096];

    for (;;)
    {
        const auto n = read (outputFd, buffer, sizeof (buffer));

        if (n < 0 && errno == EINTR)
            continue;

        std::lock_guard<std::mutex> lock (mutex);

        if (n <= 0)
        {
            outputClosed = true;
            outputChanged.notify_all();
            return;
        }

        output += juce::String::fromUTF8 (buffer, static_cast<int> (n));
        outputChanged.notify_all();
    }
}

bool HostSimProcess::sendCommand (const juce::String& commandLine)
{
    if (inputFd < 0)
        return false;

    // A host-sim that has gone must not take the test down with SIGPIPE:
    // block it on this thread and consume the one the failed write raises.
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset (&pipeSignal);
    sigaddset (&pipeSignal, SIGPIPE);
    pthread_sigmask (SIG_BLOCK, &pipeSignal, &previous);

    const auto text = (commandLine.trimEnd() + "\n").toStdString();
    size_t written = 0;
    bool ok = true;

    while (written < text.size())
    {
        const auto n = write (inputFd, text.data() + written, text.size() - written);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
        {
            if (errno == EPIPE)
            {
                const timespec noWait {};
                sigtimedwait (&pipeSignal, nullptr, &noWait);
            }

            ok = false;
            break;
        }

        written += static_cast<size_t> (n);
    }

    pthread_sigmask (SIG_SETMASK, &previous, nullptr);
    return ok;
}

bool HostSimProcess::waitForOutput (const juce::String& text, int timeoutMs)
{
    std::unique_lock<std::mutex> lock (mutex);
    return outputChanged.wait_for (lock, std::chrono::milliseconds (timeoutMs),
                                   [&] { return output.contains (text) || outputClosed; })
        && output.contains (text);
}

juce::String HostSimProcess::getOutput() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return output;
}

void HostSimProcess::stop()
{
    if (pid > 0)
    {
        sendCommand ("quit");

        if (! waitForExit (pid, 3000))
        {
            kill (pid, SIGTERM);

            if (! waitForExit (pid, 2000))
            {
                kill (pid, SIGKILL);
                waitForExit (pid, 2000);
            }
        }

        pid = -1;
    }

    if (inputFd >= 0)
    {
        close (inputFd);
        inputFd = -1;
    }

    if (reader.joinable())
        reader.join();

    if (outputFd >= 0)
    {
        close (outputFd);
        outputFd = -1;
    }

    port = 0;
}
