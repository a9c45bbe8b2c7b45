#include "platform/HostProcess.h"

#if JUCE_LINUX || JUCE_BSD
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform
{
juce::String getHostBundleIdentifier (bool isHost75)
{
    return isHost75 ? host75BundleIdentifier : hostBundleIdentifier;
}

juce::String processNameForBundleIdentifier (const juce::String& bundleIdentifier)
{
    // The kernel keeps at most 15 characters of a process name.
    return bundleIdentifier.fromLastOccurrenceOf (".", false, false).substring (0, 15);
}

#if JUCE_LINUX || JUCE_BSD
namespace
{
// /proc files report a size of 0, so they are read until end of file.
juce::String readSmallFile (const std::string& path)
{
    const auto fd = ::open (path.c_str(), O_RDONLY | O_CLOEXEC);

    if (fd < 0)
        return {};

    char buffer[512];
    size_t used = 0;

    while (used < sizeof (buffer))
    {
        const auto n = ::read (fd, buffer + used, sizeof (buffer) - used);

        if (n <= 0)
            break;

        used += static_cast<size_t> (n);
    }

    ::close (fd);

    if (!juce::CharPointer_UTF8::isValidString (buffer, static_cast<int> (used)))
        return {};

    return juce::String::fromUTF8 (buffer, static_cast<int> (used));
}

// What /proc/<pid>/stat says of a process: "pid (name) S ppid ...", where the
// name may hold spaces or ')'.
struct ProcessStatus
{
    bool ended = true;
    int parent = 0;
};

ProcessStatus readStatus (const std::string& procDir)
{
    const auto stat = readSmallFile (procDir + "/stat");
    const auto fields = juce::StringArray::fromTokens (stat.fromLastOccurrenceOf (")", false, false).trim(), " ", "");

    if (fields.size() < 2)
        return {};

    const auto state = fields[0];
    return {state == "Z" || state == "X", fields[1].getIntValue()};
}

juce::String processName (const std::string& procDir)
{
    return readSmallFile (procDir + "/comm").trimEnd();
}
} // namespace

int countRunningApplications (const juce::String& bundleIdentifier)
{
    const auto wanted = processNameForBundleIdentifier (bundleIdentifier);

    if (wanted.isEmpty())
        return 0;

    auto* dir = opendir ("/proc");

    if (dir == nullptr)
        return 0;

    const auto uid = getuid();
    int count = 0;

    while (auto* entry = readdir (dir))
    {
        const std::string name (entry->d_name);

        if (name.empty() || name.find_first_not_of ("0123456789") != std::string::npos)
            continue;

        const auto procDir = "/proc/" + name;
        struct stat info
        {
        };

        if (stat (procDir.c_str(), &info) != 0 || info.st_uid != uid)
            continue;

        if (processName (procDir) != wanted)
            continue;

        // A copy the application forked keeps its name until it runs a
        // program of its own (or ends): it is part of that application, not
        // a second one. Counting it would make one host look like two for
        // as long as the host takes to launch a helper.
        const auto status = readStatus (procDir);

        if (!status.ended && processName ("/proc/" + std::to_string (status.parent)) != wanted)
            ++count;
    }

    closedir (dir);
    return count;
}
#endif

bool isHostRunning (bool isHost75)
{
    return countRunningApplications (getHostBundleIdentifier (isHost75)) == 1;
}
} // namespace platform
