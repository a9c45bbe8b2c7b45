#include "channel/FileChannel.h"

#include <algorithm>
#include <limits>

namespace hostsim
{
using namespace channel;

FileChannel::FileChannel (const juce::File& suiteFolder, int version, SuiteLauncher& suiteLauncher, EventLog& eventLog)
    : stateFolder (suiteFolder.getChildFile ("App").getChildFile ("temp"))
    , executable (suiteFolder.getChildFile ("App").getChildFile ("OrvanaSuite"))
    , hostVersion (version)
    , launcher (suiteLauncher)
    , log (eventLog)
{
}

bool FileChannel::writeFile (const juce::String& name, const juce::String& text)
{
    const auto file = stateFolder.getChildFile (name);

    // replaceWithText writes a temporary file and renames it over the old one.
    if (stateFolder.createDirectory().failed() || !file.replaceWithText (text, false, false, nullptr))
    {
        log.add ("fileError", {{"file", file.getFullPathName()}});
        return false;
    }

    return true;
}

bool FileChannel::writeHostVersion()
{
    std::lock_guard<std::mutex> lock (mutex);
    const auto ok = writeFile (hostVersionFileName, juce::String (hostVersion) + "\r\n");

    if (ok)
        log.add ("hostVersion", {{"version", hostVersion}});

    return ok;
}

int FileChannel::postHostMessage (const juce::String& code, const juce::String& type, const juce::String& data, bool launch)
{
    std::unique_lock<std::mutex> lock (mutex);

    const auto outboxFile = stateFolder.getChildFile (hostOutboxFileName);
    const auto consumed = readStateNumber (stateFolder.getChildFile (guestCommStateFileName).loadFileAsString(), "lastReceived");

    // Ids keep growing across restarts of either side: the next one is above
    // every id in the file, the one the suite confirmed and the one we last used.
    int highest = std::max (lastHostId, consumed.value_or (0));
    juce::StringArray kept;

    for (const auto& line : splitLines (outboxFile.loadFileAsString()))
    {
        if (line.isEmpty())
            continue;

        const auto id = lineMessageId (line);

        if (id)
            highest = std::max (highest, *id);

        if (!id || !consumed || *id > *consumed)
            kept.add (line);
    }

    if (highest == std::numeric_limits<int>::max())
        return 0;

    const auto id = highest + 1;
    const auto line = "H" + juce::String (id) + ":" + code + "." + type + "|" + toSingleLine (data);
    kept.add (line);

    if (!writeFile (hostOutboxFileName, kept.joinIntoString ("\r\n") + "\r\n"))
        return 0;

    lastHostId = id;
    log.add ("hostOutbox", {{"id", id}, {"line", line}});
    lock.unlock();

    if (launch)
        launchSuite();

    return id;
}

bool FileChannel::launchSuite()
{
    if (!launchEnabled)
    {
        log.add ("launchSkipped", {{"executable", executable.getFullPathName()}});
        return false;
    }

    const auto result = launcher.launch (executable);

    if (result.failed())
    {
        log.add ("launchFailed", {{"executable", executable.getFullPathName()}, {"error", result.getErrorMessage()}});
        return false;
    }

    log.add ("launch", {{"executable", executable.getFullPathName()}});
    return true;
}

std::vector<GuestMessage> FileChannel::takeGuestMessages()
{
    std::lock_guard<std::mutex> lock (mutex);

    const auto commStateFile = stateFolder.getChildFile (hostCommStateFileName);
    const auto lastConsumed = readStateNumber (commStateFile.loadFileAsString(), "lastReceived").value_or (0);
    const auto all = parseGuestOutbox (stateFolder.getChildFile (guestOutboxFileName).loadFileAsString());

    std::vector<GuestMessage> fresh;
    int newest = lastConsumed;

    for (const auto& message : all)
    {
        if (message.id <= lastConsumed)
            continue;

        newest = std::max (newest, message.id);
        fresh.push_back (message);
    }

    log.add ("guestOutboxRead", {{"messages", static_cast<int> (fresh.size())}, {"lastReceived", newest}});

    if (newest != lastConsumed || !commStateFile.existsAsFile())
        if (writeFile (hostCommStateFileName, "lastReceived=G" + juce::String (newest) + "\r\n"))
            log.add ("hostCommState", {{"lastReceived", "G" + juce::String (newest)}});

    return fresh;
}
} // namespace hostsim
