#include "support/Subprocess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testsupport
{
Subprocess::Subprocess (const juce::StringArray& argv, const juce::StringArray& extraEnvironment, bool withInput)
{
    std::vector<std::string> args, env;

    for (const auto& a : argv)
        args.push_back (a.toStdString());

    // The extra entries replace inherited ones of the same name: a shell
    // takes the last entry of a name, getenv the first, so each name appears once.
    juce::StringArray names;

    for (const auto& e : extraEnvironment)
    {
        env.push_back (e.toStdString());
        names.add (e.upToFirstOccurrenceOf ("=", false, false));
    }

    for (auto** e = environ; *e != nullptr; ++e)
        if (!names.contains (juce::String (*e).upToFirstOccurrenceOf ("=", false, false)))
            env.emplace_back (*e);

    std::vector<char*> argPtrs, envPtrs;

    for (auto& a : args)
        argPtrs.push_back (a.data());

    for (auto& e : env)
        envPtrs.push_back (e.data());

    argPtrs.push_back (nullptr);
    envPtrs.push_back (nullptr);

    int input[2] = {-1, -1};

    if (withInput && pipe2 (input, O_CLOEXEC) != 0)
        return;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);

    if (withInput)
        posix_spawn_file_actions_adddup2 (&actions, input[0], STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen (&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    posix_spawn_file_actions_addopen (&actions, STDOUT_FILENO, outFile.getFile().getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, STDERR_FILENO, errFile.getFile().getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    if (posix_spawn (&pid, argPtrs[0], &actions, nullptr, argPtrs.data(), envPtrs.data()) != 0)
        pid = -1;

    posix_spawn_file_actions_destroy (&actions);

    if (withInput)
    {
        ::close (input[0]);
        inputFd = input[1];
    }
}

Subprocess::~Subprocess()
{
    if (inputFd >= 0)
        ::close (inputFd);

    if (isRunning())
    {
        sendSignal (SIGKILL);
        waitForExit (5000);
    }
}

bool Subprocess::writeInput (const juce::String& text)
{
    if (inputFd < 0)
        return false;

    // A process that has gone must not take the test down with SIGPIPE:
    // block it on this thread and consume the one a failed write raises.
    sigset_t pipeSignal, previous;
    sigemptyset (&pipeSignal);
    sigaddset (&pipeSignal, SIGPIPE);
    pthread_sigmask (SIG_BLOCK, &pipeSignal, &previous);

    const auto bytes = text.toStdString();
    size_t written = 0;

    while (written < bytes.size())
    {
        const auto n = ::write (inputFd, bytes.data() + written, bytes.size() - written);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
        {
            const timespec noWait{};
            sigtimedwait (&pipeSignal, nullptr, &noWait);
            break;
        }

        written += static_cast<size_t> (n);
    }

    pthread_sigmask (SIG_SETMASK, &previous, nullptr);
    return written == bytes.size();
}

std::optional<int> Subprocess::waitForExit (int timeoutMs)
{
    if (exitStatus.has_value() || pid <= 0)
        return exitStatus;

    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    for (;;)
    {
        int status = 0;
        const auto r = ::waitpid (pid, &status, WNOHANG);

        if (r == pid)
        {
            exitStatus = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
            return exitStatus;
        }

        if (r < 0 || juce::Time::getMillisecondCounter() >= deadline)
            return std::nullopt;

        juce::Thread::sleep (5);
    }
}

bool Subprocess::isRunning()
{
    return pid > 0 && !waitForExit (0).has_value();
}

void Subprocess::sendSignal (int signal)
{
    if (pid > 0 && !exitStatus.has_value())
        ::kill (pid, signal);
}

std::vector<pid_t> processIdsOf (const juce::File& executable)
{
    std::vector<pid_t> pids;

    for (const auto& entry : juce::File ("/proc").findChildFiles (juce::File::findDirectories, false, "*", juce::File::FollowSymlinks::no))
    {
        if (!entry.getFileName().containsOnly ("0123456789"))
            continue;

        char target[4096];
        const auto length = ::readlink (entry.getChildFile ("exe").getFullPathName().toRawUTF8(), target, sizeof (target) - 1);

        if (length > 0 && juce::String::fromUTF8 (target, static_cast<int> (length)) == executable.getFullPathName())
        {
            // A process that has ended but not been reaped still shows its exe.
            const auto stat = entry.getChildFile ("stat").loadFileAsString();

            if (!stat.fromLastOccurrenceOf (")", false, false).trimStart().startsWithChar ('Z'))
                pids.push_back (static_cast<pid_t> (entry.getFileName().getIntValue()));
        }
    }

    return pids;
}

int countProcessesNamed (const juce::String& name)
{
    int count = 0;

    for (const auto& entry : juce::File ("/proc").findChildFiles (juce::File::findDirectories, false, "*", juce::File::FollowSymlinks::no))
        if (entry.getFileName().containsOnly ("0123456789") && entry.getChildFile ("comm").loadFileAsString().trimEnd() == name)
            if (!entry.getChildFile ("stat").loadFileAsString().fromLastOccurrenceOf (")", false, false).trimStart().startsWithChar ('Z'))
                ++count;

    return count;
}

bool waitUntil (const std::function<bool()>& condition, int timeoutMs, int pollMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    while (!condition())
    {
        if (juce::Time::getMillisecondCounter() >= deadline)
            return false;

        juce::Thread::sleep (pollMs);
    }

    return true;
}
} // namespace testsupport
