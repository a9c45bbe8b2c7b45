#include "channel/SuiteLauncher.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace hostsim
{
namespace
{
/** The launch helper's process name (at most 15 characters). */
constexpr char launcherProcessName[] = "host-sim-launch";

/** Closes every descriptor from 3 up except `keep`; async-signal-safe. */
void closeInheritedDescriptors (int keep)
{
#ifdef SYS_close_range
    const auto k = static_cast<unsigned int> (keep);

    if ((k <= 3U || syscall (SYS_close_range, 3U, k - 1U, 0U) == 0)
        && syscall (SYS_close_range, k + 1U, ~0U, 0U) == 0)
        return;
#endif

    const auto maxFd = sysconf (_SC_OPEN_MAX);

    for (long fd = 3; fd < (maxFd > 0 ? maxFd : 1024); ++fd)
        if (fd != keep)
            close (static_cast<int> (fd));
}
} // namespace

juce::Result DetachedSuiteLauncher::launch (const juce::File& executable)
{
    if (!executable.existsAsFile())
        return juce::Result::fail ("no suite executable at " + executable.getFullPathName());

    const auto path = executable.getFullPathName().toStdString();

    if (access (path.c_str(), X_OK) != 0)
        return juce::Result::fail (executable.getFullPathName() + " is not executable");

    // Everything the child needs is prepared before fork: between fork and
    // exec only async-signal-safe calls are allowed in a threaded process.
    char* const argv[] = {const_cast<char*> (path.c_str()), nullptr};
    int statusPipe[2];

    if (pipe2 (statusPipe, O_CLOEXEC) != 0)
        return juce::Result::fail (juce::String ("cannot launch: ") + juce::String (std::strerror (errno)));

    const auto child = fork();

    if (child < 0)
    {
        close (statusPipe[0]);
        close (statusPipe[1]);
        return juce::Result::fail (juce::String ("cannot launch: ") + juce::String (std::strerror (errno)));
    }

    if (child == 0)
    {
        // First child: start a session, fork the real process and leave at
        // once, so that the suite is adopted by init rather than by us. It
        // drops the host's process name first: the suite counts processes of
        // that name to see whether the host runs, and an orphaned copy that
        // has not reached exec yet would look like a second host.
        prctl (PR_SET_NAME, launcherProcessName, 0, 0, 0);
        setsid();
        const auto grandChild = fork();

        if (grandChild != 0)
            _exit (grandChild < 0 ? 1 : 0);

        const auto devNull = open ("/dev/null", O_RDONLY);

        if (devNull >= 0)
            dup2 (devNull, 0);

        dup2 (2, 1);
        closeInheritedDescriptors (statusPipe[1]);
        execve (argv[0], argv, environ);

        // Only reached when exec failed: report errno through the pipe, which
        // closes by itself on a successful exec.
        const int error = errno;
        const auto written = write (statusPipe[1], &error, sizeof (error));
        juce::ignoreUnused (written);
        _exit (127);
    }

    close (statusPipe[1]);
    int status = 0;
    waitpid (child, &status, 0);

    int execError = 0;
    const auto got = read (statusPipe[0], &execError, sizeof (execError));
    close (statusPipe[0]);

    if (!WIFEXITED (status) || WEXITSTATUS (status) != 0)
        return juce::Result::fail ("cannot launch: the helper process failed");

    if (got == static_cast<ssize_t> (sizeof (execError)))
        return juce::Result::fail ("cannot launch " + executable.getFullPathName() + ": " + juce::String (std::strerror (execError)));

    return juce::Result::ok();
}
} // namespace hostsim
