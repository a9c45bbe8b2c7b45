#include "support/TempSuite.h"
#include "support/Subprocess.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace testsupport
{
namespace
{
juce::File makeUniqueFolder (const juce::String& prefix)
{
    // Under the build folder: the same file system as the built executable,
    // so it can be hard-linked rather than copied.
    // Never the name of a folder an earlier test of this process removed: a
    // process that test left behind must not find its folder again.
    static std::atomic<int> made{0};
    const auto base = juce::File (ORVANA_TEST_BINARY_DIR).getChildFile ("test-tmp");
    auto folder = base.getNonexistentChildFile (prefix + juce::String (::getpid()) + "-" + juce::String (++made) + "-", "", false);
    folder.createDirectory();
    return folder;
}
} // namespace

TempSuite::TempSuite (bool installExecutable, const juce::String& suiteFolderName)
    : root (makeUniqueFolder ("suite-"))
    , appFolder (root.getChildFile (suiteFolderName).getChildFile ("App"))
{
    appFolder.createDirectory();

    if (installExecutable)
    {
        const juce::File built (ORVANA_TEST_SUITE_EXECUTABLE);
        const auto target = getExecutable();

        if (::link (built.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
        {
            built.copyFileTo (target);
            target.setExecutePermission (true);
        }
    }
}

TempSuite::~TempSuite()
{
    root.deleteRecursively();
}

std::unique_ptr<Subprocess> TempSuite::launch (const juce::String& argument) const
{
    juce::StringArray argv{getExecutable().getFullPathName()};

    if (argument.isNotEmpty())
        argv.add (argument);

    // Without a screen the suite writes its messages to stderr.
    return std::make_unique<Subprocess> (argv, juce::StringArray{"DISPLAY="});
}

bool TempSuite::waitUntilServing (int timeoutMs) const
{
    // A probe started before the suite won the election could win it instead.
    if (!waitUntil ([&]
                    { return getSuiteFolder().getChildFile ("ORX.plg").existsAsFile(); },
                    timeoutMs))
        return false;

    return waitUntil ([&]
                      { return launch()->waitForExit (timeoutMs) == 0; },
                      timeoutMs);
}

HostStandIn::HostStandIn (const juce::String& processName)
    : folder (makeUniqueFolder ("host-"))
{
    const auto link = folder.getChildFile (processName);
    juce::File ("/bin/sleep").createSymbolicLink (link, false);
    process = std::make_unique<Subprocess> (juce::StringArray{link.getFullPathName(), "600"});

    // The process name is set once the program is executing.
    waitUntil ([&]
               { return juce::File ("/proc/" + juce::String (process->getPid()) + "/comm").loadFileAsString().trim() == processName; },
               30000);
}

HostStandIn::~HostStandIn()
{
    stop();
    folder.deleteRecursively();
}

bool HostStandIn::isRunning()
{
    return process != nullptr && process->isRunning();
}

void HostStandIn::stop()
{
    if (process != nullptr && process->isRunning())
    {
        process->sendSignal (SIGKILL);
        process->waitForExit (5000);
    }
}
} // namespace testsupport
