#pragma once

#include "channel/ChannelFiles.h"
#include "channel/SuiteLauncher.h"
#include "log/EventLog.h"

#include <mutex>

namespace hostsim
{
/** The host's side of the suite's file channel, in the suite's state folder
    (suite folder / "App" / "temp"): writes the host version, appends host
    messages to the host outbox with growing ids and launches the suite,
    reads the suite's messages from the guest outbox and records the last one
    consumed. Thread-safe. */
class FileChannel final
{
public:
    static constexpr int defaultHostVersion = 20240300;

    FileChannel (const juce::File& suiteFolder, int hostVersion, SuiteLauncher& launcher, EventLog& log);

    juce::File getStateFolder() const { return stateFolder; }
    juce::File getSuiteExecutable() const { return executable; }

    /** Writes "hostVersion.txt", creating the state folder when needed. */
    bool writeHostVersion();

    /** Appends "H" id ":" code "." type "|" data to the host outbox (line
        breaks in the data become spaces) and, when asked, launches the suite.
        Lines the suite has confirmed (its "lastReceived=H" id) are dropped
        from the file on the way. Returns the new id, or 0 when the file could
        not be written. */
    int postHostMessage (const juce::String& code, const juce::String& type, const juce::String& data, bool launchSuite);

    /** Launches the suite without a message. */
    bool launchSuite();

    /** The messages of the guest outbox newer than the last one consumed, in
        file order; records the newest id as consumed in "hostCommState.txt". */
    std::vector<channel::GuestMessage> takeGuestMessages();

    /** When false, postHostMessage writes the outbox but launches nothing. */
    void setLaunchEnabled (bool enabled) { launchEnabled = enabled; }

private:
    bool writeFile (const juce::String& name, const juce::String& text);

    const juce::File stateFolder;
    const juce::File executable;
    const int hostVersion;
    SuiteLauncher& launcher;
    EventLog& log;
    std::mutex mutex;
    int lastHostId = 0;
    bool launchEnabled = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FileChannel)
};
} // namespace hostsim
