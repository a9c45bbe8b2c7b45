#pragma once

#include "host/HostAccess.h"
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

    /** What a step did (see `edit`). */
    struct EditOutcome
    {
        bool ok = true;
        juce::String error;                  ///< what the failed step threw
        bool changed = false;                ///< it made an undo step
        std::vector<DeferredEntry> deferred; ///< the work it left for later
    };

    /** Runs plug-in code as one step under the lock: `fn (HostAccess&)`.
        A change of the score's content becomes one undo step named `label`.
        Whatever the code throws is caught: its changes are rolled back and
        the outcome says why. Announces the change (outside the lock). */
    EditOutcome edit (const juce::String& label, HostMessageSink& messages, const std::function<void (HostAccess&)>& fn);

    ScoreDocument getScore() const;

    /** Opens another score: playback stops and the undo history starts afresh. */
    void replaceScore (ScoreDocument score);

    /** Undoes or redoes the last step; returns its label, nullopt when there is none. */
    std::optional<juce::String> undo();
    std::optional<juce::String> redo();

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

    /** Called (outside the lock) after every selection made through `select`. */
    void setSelectionCallback (std::function<void()> callback);
    /** Called (outside the lock) after every `play` and `stop`. */
    void setTransportCallback (std::function<void()> callback);

    /** Announces a change made through withState. */
    void notifyChanged();
    /** Runs the transport callback outside the lock. */
    void notifyTransport();

    EventLog& getLog() { return log; }

    /** The last text plug-in code showed, and how many were shown so far. */
    std::pair<int, PluginMessage> getLastMessage() const;

private:
    std::optional<juce::String> moveInHistory (bool back);

    mutable std::mutex mutex;
    HostState state;
    EventLog& log;
    std::mutex callbackMutex;
    std::function<void()> onChange;
    std::function<void()> onSelection;
    std::function<void()> onTransport;
    mutable std::mutex messageMutex;
    PluginMessage lastMessage;
    int messagesShown = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Host)
};
} // namespace hostsim
