#include "platform/DesktopOpen.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform
{
bool openWithDesktopApplication (const juce::String& fileOrAddress)
{
    if (fileOrAddress.isEmpty())
        return false;

#if JUCE_MAC
    const char* opener = "open";
#else
    const char* opener = "xdg-open";
#endif

    // A small shell checks that the opener exists, runs it in the background
    // and exits at once, so the opener is re-parented to init and never
    // becomes our zombie; the target is passed as an argument, never as
    // shell text.
    const std::string target = fileOrAddress.toStdString();
    const char* const argv[] = {"/bin/sh", "-c", "command -v \"$0\" >/dev/null || exit 127; \"$0\" \"$1\" >/dev/null 2>&1 </dev/null &", opener, target.c_str(), nullptr};

    pid_t shell = 0;

    if (posix_spawn (&shell, "/bin/sh", nullptr, nullptr, const_cast<char* const*> (argv), environ) != 0)
        return false;

    int status = 0;

    while (waitpid (shell, &status, 0) < 0)
        if (errno != EINTR)
            return false;

    return WIFEXITED (status) && WEXITSTATUS (status) == 0;
}
} // namespace platform
