#pragma once

#include "orv/OrvanaParts.h"
#include "orv/actions/TransportActions.h"
#include "orv/model/Transport.h"
#include "orv/playback/PlaybackTiming.h"

#include <atomic>
#include <deque>
#include <memory>

class IProductActionSender;

namespace orv
{
/** Mirrors the host's playback in the editor's transport. It sends the
    transport buttons' commands, polls the host's playback state on a thread
    of its own while the score plays, moves the play line (late by the sound
    set's delay), and stops the transport itself when the host does not
    confirm a "Stop".

    The transport's play-line queue lives here rather than in the transport:
    the transport is a tree wrapper that holds no state, so it delegates the
    queue and the host notices to this manager (ITransportDriver).

    Threads: everything but the poll loop runs on the message thread. The
    poll thread reads atomics only (the play status is mirrored in one), and
    owns its own request object. Replies and timers that arrive after the
    manager has gone do nothing. */
class PlaybackSyncMgr final : public IPlaybackSync,
                              public ITransportDriver
{
public:
    /** Gives the transport to mirror (a wrapper bound to this manager). */
    using TransportSource = std::function<Transport()>;

    static constexpr int stopRecoveryMillis = 200;
    static constexpr int stopFailsafeMillis = 450;
    static constexpr int pollIntervalMillis = 100;
    static constexpr int busyWaitMillis = 20;
    static constexpr int idleLimitMillis = 2980;
    /** A stop unconfirmed for this long no longer holds back a "playing" reply. */
    static constexpr int stopWaitLimitMillis = 3000;

    /** Null timing uses the system clock and message-thread timers. */
    PlaybackSyncMgr (IProductActionSender& sender, TransportSource transport, std::shared_ptr<IPlaybackTiming> timing = nullptr);
    ~PlaybackSyncMgr() override;

    //==============================================================================
    void sendTransport (TransportCmd cmd) override { sendTransportCmd (static_cast<int> (cmd)); }
    void sendPlayFrom (const Poser& poser) override;
    /** Starts the poll thread afresh: a running one ends first, the commands
        in flight are forgotten and pending playback replies purged. */
    void startUpdating() override;
    /** Ends the poll thread and waits for it (it wakes at once when asked). */
    void stopUpdating() override;
    /** Asks for the playback state once, through the ordinary path. */
    void requestSingleUpdate() override;
    ITransportDriver* getTransportDriver() override { return this; }

    /** Sends a transport command by number; one outside 0..5 goes as "Unknown". */
    void sendTransportCmd (int cmd);
    void sendSkipToStart() override;

    /** A playback-state reply from any thread; applied on the message thread. */
    void onPlaybackStateResponse (const juce::var& reply);
    /** Applies a playback-state reply (message thread); anything but an object is ignored. */
    void applyPlaybackStateOnMessageThread (const juce::var& reply);

    //==============================================================================
    void transportStatusChanged (bool playing, bool notifyHost) override;
    Poser takeDelayedPlayLine (const Poser& arrived, int delayMillis) override;
    void playLineSetByUser (const Poser& poser, bool notifyHost) override;

    //==============================================================================
    /** One turn of the poll loop: asks for the state when no command is in
        flight, else counts the idle time and gives up on the commands after
        about three seconds. Returns how long to wait before the next turn. */
    int pollOnce();

    bool isUpdating() const;
    int getCommandsInFlight() const { return commandsInFlight.load(); }
    bool isStopWaiting() const { return stopTime.load() != 0.0; }

private:
    class PollThread;
    struct Guard
    {
        PlaybackSyncMgr* manager;
    };

    /** Sends "Stop" (again) with the reply treated as a playback state. */
    void sendCommand (actions::Transport& action);
    void commandAnswered();
    void scheduleStopRecoveryTimers();
    void runStopRecovery (int generation, int attempt);
    void runStopFailsafe (int generation);
    void afterDelay (int milliseconds, std::function<void (PlaybackSyncMgr&)> job);
    void askPollThreadToExit();
    void clearPlayLineQueue() { playLineQueue.clear(); }
    bool stopHoldsBackPlaying() const;
    std::function<void (juce::var)> stateReplyHandler (bool isCommand) const;

    IProductActionSender& sender;
    TransportSource transportSource;
    std::shared_ptr<IPlaybackTiming> timing;

    /** Counter of the last "Stop" command; 0 when none waits for confirmation. */
    std::atomic<double> stopTime{0.0};
    std::atomic<int> stopGeneration{0};
    std::atomic<int> stopAttempt{0};
    std::atomic<int> commandsInFlight{0};
    /** The transport's play status, for the poll thread. */
    std::atomic<bool> playingMirror{false};
    /** Idle time of the poll loop; touched only by the loop (and before it starts). */
    int pollIdleMillis = 0;

    actions::Transport transportAction;
    actions::UpdatePlaybackState singleUpdate;
    actions::UpdatePlaybackState pollUpdate;
    actions::SkipToStart skipToStart;
    actions::SetPlayLinePos setPlayLinePos;

    struct QueuedPlayLine
    {
        Poser poser;
        double arrivedMillis;
    };
    std::deque<QueuedPlayLine> playLineQueue;

    std::unique_ptr<PollThread> pollThread;
    std::shared_ptr<Guard> guard;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PlaybackSyncMgr)
};
} // namespace orv
