#pragma once

#include "host/HostState.h"
#include "log/EventLog.h"

#include <functional>
#include <mutex>
#include <optional>

namespace hostsim
{
/** The simulated host's document and transport, shared by the network
    thread (plug-in calls), the command channel and the window. Every access
    goes through `withState`, which holds the lock for the duration of the
    call; changes are announced through the change callback, outside the lock. */
class Host final
{
public:
    Host (ScoreDocument score, EventLog& log, Playback::Clock clock = {});

    /** Runs `fn (HostState&)` under the lock and returns its result. */
    template <typename Fn>
    auto withState (Fn&& fn)
    {
        std::lock_guard<std::mutex> lock (mutex);
        return fn (state);
    }

    template <typename Fn>
    auto withState (Fn&& fn) const
    {
        std::lock_guard<std::mutex> lock (mutex);
        return fn (static_cast<const HostState&> (state));
    }

    ScoreDocument getScore() const;
    void replaceScore (ScoreDocument score);

    /** Selects bars and staves of the score; fails for bars or staves it does not have. */
    juce::Result select (const Selection& selection);
    Selection getSelection() const;

    /** Starts playback at the tick, or, without one, at the selection's first bar,
        else where the play line stands (from the top when it stands at the end). */
    void play (std::optional<juce::int64> fromTick = std::nullopt);
    void stop();
    PlaybackState getPlaybackState() const;

    /** Called after every change made through this class, on the changing thread. */
    void setChangeCallback (std::function<void()> callback);

    /** Announces a change made through withState. */
    void notifyChanged();

    EventLog& getLog() { return log; }

private:
    mutable std::mutex mutex;
    HostState state;
    EventLog& log;
    std::mutex callbackMutex;
    std::function<void()> onChange;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Host)
};
} // namespace hostsim
