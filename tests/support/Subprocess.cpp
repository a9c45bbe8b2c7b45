#include "support/Subprocess.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testsupport
{
Subprocess::Subprocess (const juce::StringArray& argv, const juce::StringArray& extraEnvironment)
{
    std::vector<std::string> args, env;

    for (const auto& a : argv)
        args.push_back (a.toStdString());

    for (auto** e = environ; *e != nullptr; ++e)
        env.emplace_back (*e);

    for (const auto& e : extraEnvironment)
        env.push_back (e.toStdString());

    std::vector<char*> argPtrs, envPtrs;

    for (auto& a : args)
        argPtrs.push_back (a.data());

    for (auto& e : env)
        envPtrs.push_back (e.data());

    argPtrs.push_back (nullptr);
    envPtrs.push_back (nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen (&actions, STDOUT_FILENO, outFile.getFile().getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, STDERR_FILENO, errFile.getFile().getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    if (posix_spawn (&pid, argPtrs[0], &actions, nullptr, argPtrs.data(), envPtrs.data()) != 0)
        pid = -1;

    posix_spawn_file_actions_destroy (&actions);
}

Subprocess::~Subprocess()
{
    if (isRunning())
    {
        sendSignal (SIGKILL);
        waitForExit (5000);
    }
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
    return pid > 0 && ! waitForExit (0).has_value();
}

void Subprocess::sendSignal (int signal)
{
    if (pid > 0 && ! exitStatus.has_value())
        ::kill (pid, signal);
}

std::vector<pid_t> processIdsOf (const juce::File& executable)
{
    std::vector<pid_t> pids;

    for (const auto& entry : juce::File ("/proc").findChildFiles (juce::File::findDirectories, false, "*", juce::File::FollowSymlinks::no))
    {
        if (! entry.getFileName().containsOnly ("0123456789"))
            continue;

        char target[4096];
        const auto length = ::readlink (entry.getChildFile ("exe").getFullPathName().toRawUTF8(), target, sizeof (target) - 1);

        if (length > 0 && juce::String::fromUTF8 (target, static_cast<int> (length)) == executable.getFullPathName())
        {
            // A process that has ended but not been reaped still shows its exe.
            const auto stat = entry.getChildFile ("stat").loadFileAsString();

            if (! stat.fromLastOccurrenceOf (")", false, false).trimStart().startsWithChar ('Z'))
                pids.push_back (static_cast<pid_t> (entry.getFileName().getIntValue()));
        }
    }

    return pids;
}

bool waitUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() >= deadline)
            return false;

        juce::Thread::sleep (5);
    }

    return true;
}
} // namespace testsupport
