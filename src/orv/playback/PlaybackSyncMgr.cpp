#include "orv/playback/PlaybackSyncMgr.h"
#include "engine/comm/IProductActionSender.h"
#include "utils/VarNumbers.h"

#include <juce_events/juce_events.h>

namespace orv
{
/** The poll loop. It never gets killed: every wait ends early when the
    manager asks it to exit, and the manager waits for it to end. */
class PlaybackSyncMgr::PollThread final : public juce::Thread
{
public:
    explicit PollThread (PlaybackSyncMgr& ownerToUse)
        : juce::Thread ("Orvana PlaybackSyncMgr Poll Thread")
        , owner (ownerToUse)
    {
    }

    ~PollThread() override { finish(); }

    void run() override
    {
        while (!threadShouldExit() && owner.playingMirror.load())
            wait (owner.pollOnce());
    }

    void askToExit()
    {
        signalThreadShouldExit();
        notify();
    }

    void finish()
    {
        askToExit();
        waitForThreadToExit (-1);
    }

private:
    PlaybackSyncMgr& owner;
};

//==============================================================================
PlaybackSyncMgr::PlaybackSyncMgr (IProductActionSender& senderToUse, TransportSource transport,
                                  std::shared_ptr<IPlaybackTiming> timingToUse)
    : sender (senderToUse)
    , transportSource (std::move (transport))
    , timing (timingToUse != nullptr ? std::move (timingToUse) : std::make_shared<SystemPlaybackTiming>())
    , guard (std::make_shared<Guard> (Guard{this}))
{
    singleUpdate.setOnResponse (stateReplyHandler (false));
    pollUpdate.setOnResponse (stateReplyHandler (false));
    skipToStart.setOnResponse (stateReplyHandler (false));
    setPlayLinePos.setOnResponse (stateReplyHandler (false));
    transportAction.setOnResponse (stateReplyHandler (true));
}

PlaybackSyncMgr::~PlaybackSyncMgr()
{
    guard.reset();
    stopUpdating();
}

std::function<void (juce::var)> PlaybackSyncMgr::stateReplyHandler (bool isCommand) const
{
    std::weak_ptr<Guard> weak = guard;

    return [weak, isCommand] (juce::var reply)
    {
        if (const auto alive = weak.lock())
        {
            if (isCommand)
                alive->manager->commandAnswered();

            alive->manager->onPlaybackStateResponse (reply);
        }
    };
}

//==============================================================================
void PlaybackSyncMgr::sendTransportCmd (int cmd)
{
    const auto isStop = cmd == actions::Transport::stop;

    if (!isStop)
    {
        stopTime = 0.0;
        commandsInFlight = 0;
    }

    ++commandsInFlight;

    if (isStop)
    {
        stopTime = juce::jmax (1.0, timing->nowMillis());
        stopAttempt = 0;
        askPollThreadToExit();
    }

    transportAction.prepare (cmd);
    sendCommand (transportAction);

    if (isStop)
    {
        ++stopGeneration;
        scheduleStopRecoveryTimers();
    }
}

void PlaybackSyncMgr::sendPlayFrom (const Poser& poser)
{
    stopTime = 0.0;
    commandsInFlight = 0;
    ++commandsInFlight;
    transportAction.prepareFrom (poser);
    sendCommand (transportAction);
}

void PlaybackSyncMgr::sendSkipToStart()
{
    clearPlayLineQueue();
    sender.sendAction (skipToStart, false);
}

void PlaybackSyncMgr::sendCommand (actions::Transport& action)
{
    sender.sendAction (action, false);
}

void PlaybackSyncMgr::commandAnswered()
{
    auto count = commandsInFlight.load();

    while (count > 0 && !commandsInFlight.compare_exchange_weak (count, count - 1))
    {
    }
}

//==============================================================================
void PlaybackSyncMgr::scheduleStopRecoveryTimers()
{
    const auto generation = stopGeneration.load();
    afterDelay (stopRecoveryMillis, [generation] (PlaybackSyncMgr& m)
                { m.runStopRecovery (generation, 1); });
    afterDelay (stopFailsafeMillis, [generation] (PlaybackSyncMgr& m)
                { m.runStopFailsafe (generation); });
}

void PlaybackSyncMgr::runStopRecovery (int generation, int attempt)
{
    if (stopGeneration.load() != generation || stopTime.load() == 0.0)
        return;

    if (attempt > 2 || !transportSource().isPlaying())
        return;

    stopAttempt = attempt;
    ++commandsInFlight;
    transportAction.prepare (actions::Transport::stop);
    sendCommand (transportAction);

    if (attempt == 1)
        afterDelay (stopRecoveryMillis, [generation] (PlaybackSyncMgr& m)
                    { m.runStopRecovery (generation, 2); });
}

void PlaybackSyncMgr::runStopFailsafe (int generation)
{
    if (stopGeneration.load() != generation || stopTime.load() == 0.0)
        return;

    auto transport = transportSource();

    if (!transport.isPlaying())
        return;

    transport.stop (false);
    stopUpdating();
    ++commandsInFlight;
    transportAction.prepare (actions::Transport::stop);
    sendCommand (transportAction);
}

void PlaybackSyncMgr::afterDelay (int milliseconds, std::function<void (PlaybackSyncMgr&)> job)
{
    std::weak_ptr<Guard> weak = guard;

    timing->callAfter (milliseconds, [weak, job = std::move (job)]
                       {
        if (const auto alive = weak.lock())
            job (*alive->manager); });
}

//==============================================================================
void PlaybackSyncMgr::startUpdating()
{
    stopUpdating();
    commandsInFlight = 0;
    sender.purgePlaybackPendingResponses();
    playingMirror = transportSource().isPlaying();
    pollIdleMillis = 0;
    pollThread = std::make_unique<PollThread> (*this);
    pollThread->startThread();
}

void PlaybackSyncMgr::stopUpdating()
{
    if (pollThread != nullptr)
        pollThread->finish();

    pollThread.reset();
}

void PlaybackSyncMgr::askPollThreadToExit()
{
    if (pollThread != nullptr)
        pollThread->askToExit();
}

bool PlaybackSyncMgr::isUpdating() const
{
    return pollThread != nullptr && pollThread->isThreadRunning();
}

int PlaybackSyncMgr::pollOnce()
{
    if (commandsInFlight.load() == 0)
    {
        sender.sendActionWithPressureLimit (pollUpdate);
        pollIdleMillis = 0;
        return pollIntervalMillis;
    }

    pollIdleMillis += busyWaitMillis;

    if (pollIdleMillis >= idleLimitMillis)
    {
        commandsInFlight = 0;
        sender.purgePlaybackPendingResponses();
        pollIdleMillis = 0;
    }

    return busyWaitMillis;
}

void PlaybackSyncMgr::requestSingleUpdate()
{
    sender.sendAction (singleUpdate, false);
}

//==============================================================================
void PlaybackSyncMgr::onPlaybackStateResponse (const juce::var& reply)
{
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

    if (messageManager != nullptr && messageManager->isThisTheMessageThread())
    {
        applyPlaybackStateOnMessageThread (reply);
        return;
    }

    std::weak_ptr<Guard> weak = guard;
    juce::MessageManager::callAsync ([weak, reply]
                                     {
        if (const auto alive = weak.lock())
            alive->manager->applyPlaybackStateOnMessageThread (reply); });
}

bool PlaybackSyncMgr::stopHoldsBackPlaying() const
{
    const auto since = stopTime.load();
    return since != 0.0 && timing->nowMillis() - since < stopWaitLimitMillis;
}

void PlaybackSyncMgr::applyPlaybackStateOnMessageThread (const juce::var& reply)
{
    if (!reply.isObject())
        return;

    const bool playing = reply.getProperty ("playing", false);

    if (isStopWaiting() && !playing)
    {
        stopTime = 0.0;
        stopAttempt = 0;
    }

    auto transport = transportSource();
    const auto bar = utils::readInt (reply.getProperty ("currentPlaybackPosBar", {}));

    if (bar.has_value() && *bar >= 1)
        transport.setPlayLinePosWithDelay (*bar, utils::varToInt (reply.getProperty ("currentPlaybackPosSr", {})));

    const auto meterText = reply.getProperty ("currentMeter", {});

    if (meterText.isString())
    {
        const auto meter = Meter::fromString (meterText.toString().removeCharacters (" \t"));

        if (meter.getNumerator() > 0 && meter.getDenominator() > 0)
            transport.setPlayLineMeter (meter);
    }

    if (const auto millis = utils::readInt64 (reply.getProperty ("currentTimeMillis", {})))
        transport.setTimeMillis (*millis);

    if (playing)
    {
        if (stopHoldsBackPlaying())
            return;

        if (!transport.isPlaying())
            transport.play (false);

        playingMirror = true;

        if (!isUpdating())
            startUpdating();
    }
    else
    {
        if (transport.isPlaying())
            transport.stop (false);

        playingMirror = false;
        stopUpdating();
    }
}

//==============================================================================
void PlaybackSyncMgr::transportStatusChanged (bool playing, bool notifyHost)
{
    clearPlayLineQueue();
    playingMirror = playing;

    if (notifyHost)
        sendTransportCmd (playing ? actions::Transport::play : actions::Transport::stop);
}

Poser PlaybackSyncMgr::takeDelayedPlayLine (const Poser& arrived, int delayMillis)
{
    const auto now = timing->nowMillis();
    playLineQueue.push_back ({arrived, now});

    for (auto it = playLineQueue.rbegin(); it != playLineQueue.rend(); ++it)
    {
        if (now - it->arrivedMillis >= delayMillis)
        {
            const auto due = it->poser;
            playLineQueue.erase (playLineQueue.begin(), it.base());
            return due;
        }
    }

    return {};
}

void PlaybackSyncMgr::playLineSetByUser (const Poser& poser, bool notifyHost)
{
    clearPlayLineQueue();

    if (notifyHost)
    {
        setPlayLinePos.prepare (poser);
        sender.sendAction (setPlayLinePos, false);
    }
}
} // namespace orv
