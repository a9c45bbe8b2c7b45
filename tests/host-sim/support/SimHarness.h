#pragma once

#include "engine/Engine.h"
#include "net/WsServer.h"
#include "plugins/AllPlugins.h"

#include <mutex>
#include <vector>

namespace hostsim::test
{
/** A suite launcher that only records what it was asked to start. */
class RecordingLauncher final : public SuiteLauncher
{
public:
    juce::Result launch (const juce::File& executable) override;

    int getLaunchCount() const;
    void setFailing (bool shouldFail) { failing = shouldFail; }

private:
    mutable std::mutex mutex;
    std::vector<juce::File> launched;
    bool failing = false;
};

/** A folder under the system's temporary folder, deleted with its content. */
class TempFolder final
{
public:
    TempFolder();
    ~TempFolder();

    juce::File get() const { return folder; }

private:
    juce::File folder;
};

/** A small score with a bit of everything: three staves, four bars (the
    third in 3/4), notes with played-sound overrides and a tuplet, MIDI
    messages, chords, a key, tempo marks and points, a hit point, parts,
    pages, a selection and a stored product state. */
ScoreDocument makeRichScore();

/** A JSON object of the given properties, as a plug-in's argument or reply. */
juce::var object (std::initializer_list<std::pair<const char*, juce::var>> properties);

/** One of the demo scores of data/scores, by file name. */
ScoreDocument loadDemoScore (const char* name);

/** "pitch/step" of every note of a staff, in order (step -1 where none is stored). */
juce::String pitchesAndSteps (const ScoreDocument& score, int staffNumber);

/** A value as one line of JSON, for comparing replies with their expected text. */
inline juce::String compact (const juce::var& value)
{
    return juce::JSON::toString (value, true);
}

/** The whole simulator in one process, as host-sim's main builds it, with a
    temporary suite folder, a recording launcher and the server on a free port. */
class SimHarness final
{
public:
    explicit SimHarness (ScoreDocument score = makeRichScore(), bool startServer = true);
    ~SimHarness();

    int getPort() const { return server.getPort(); }

    /** The logged events of one kind (oldest first). */
    juce::Array<juce::var> events (const juce::String& kind) const;

    /** Waits until at least `count` events of the kind were logged. */
    bool waitForEvents (const juce::String& kind, int count, int timeoutMs = 2000) const;

    juce::File stateFile (const char* name) const { return channel.getStateFolder().getChildFile (name); }

    TempFolder suite;
    EventLog log;
    Host host;
    RecordingLauncher launcher;
    FileChannel channel;
    PluginRegistry registry;
    Engine engine;
    TokenStore tokens;
    FaultState faults;
    WsServer server;
};
} // namespace hostsim::test
