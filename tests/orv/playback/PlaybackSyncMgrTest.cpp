// Playback mirroring against a recording sender and a driven clock: stop
// recovery, the delayed play line, playback-state replies, the poll loop's
// give-up on unanswered commands, and the poll thread's life.
#include "orv/playback/PlaybackSyncMgr.h"
#include "engine/comm/IProductActionSender.h"
#include "engine/comm/WebSocketAction.h"
#include "orv/playback/ManualPlaybackTiming.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace orv;
using testsupport::pumpUntil;

namespace
{
/** Keeps what the manager sends; safe to call from the poll thread. */
class RecordingSender final : public IProductActionSender
{
public:
    struct Sent
    {
        juce::String method;
        juce::var argument;
        bool pressureLimited;
        WebSocketAction::ResponseCallback reply;
    };

    void sendAction (WebSocketAction& action, bool withPressureLimit) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        sent.push_back ({action.getMethodName(), action.getArg(), withPressureLimit, action.getOnResponse()});
    }
    void sendActionWithPressureLimit (WebSocketAction& action) override { sendAction (action, true); }
    void sendActionConnectionRequest (std::function<void (juce::var)>) override {}
    void purgePlaybackPendingResponses() override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        ++purges;
    }

    std::vector<Sent> all() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return sent;
    }

    /** How many transport commands of that name went out. */
    int commands (const juce::String& name) const
    {
        int count = 0;

        for (const auto& s : all())
            count += s.method == "transport" && s.argument["transportAction"].toString() == name ? 1 : 0;

        return count;
    }

    int polls() const
    {
        int count = 0;

        for (const auto& s : all())
            count += s.method == "updatePlaybackState" && s.pressureLimited ? 1 : 0;

        return count;
    }

    int getPurges() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return purges;
    }

private:
    mutable std::mutex mutex;
    std::vector<Sent> sent;
    int purges = 0;
};

juce::var stateReply (bool playing, int bar, int pos, const juce::String& meter = "4/4", juce::int64 millis = 0)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("playing", playing);
    object->setProperty ("currentPlaybackPosBar", bar);
    object->setProperty ("currentPlaybackPosSr", pos);
    object->setProperty ("currentMeter", meter);
    object->setProperty ("currentTimeMillis", millis);
    return juce::var (object);
}

class PlaybackSync : public ::testing::Test
{
protected:
    PlaybackSync()
    {
        manager = std::make_unique<PlaybackSyncMgr> (
            sender, [this]
            { return transport(); },
            timing);
    }

    ~PlaybackSync() override { manager.reset(); }

    Transport transport() { return Transport (tree, manager.get()); }

    /** The host is playing and the editor knows it; no poll thread runs. */
    void alreadyPlaying()
    {
        transport().setPlayStatus (Transport::playing);
        manager->transportStatusChanged (true, false);
    }

    void answerLast (const juce::var& reply)
    {
        const auto all = sender.all();
        ASSERT_FALSE (all.empty());
        all.back().reply (reply);
    }

    juce::ValueTree tree{"TRANSPORT"};
    RecordingSender sender;
    std::shared_ptr<testsupport::ManualPlaybackTiming> timing = std::make_shared<testsupport::ManualPlaybackTiming>();
    std::unique_ptr<PlaybackSyncMgr> manager;
};
} // namespace

//==============================================================================
TEST_F (PlaybackSync, StopConfirmedInTimeIsNotResent)
{
    alreadyPlaying();
    const auto start = timing->nowMillis();

    manager->sendTransport (TransportCmd::stop);
    timing->advanceTo (start + 150);
    answerLast (stateReply (false, 3, 0));
    timing->advanceTo (start + 2000);

    EXPECT_EQ (sender.commands ("Stop"), 1);
    EXPECT_FALSE (transport().isPlaying());
    EXPECT_FALSE (manager->isStopWaiting());
    EXPECT_EQ (manager->getCommandsInFlight(), 0);
}

TEST_F (PlaybackSync, UnansweredStopIsResentTwiceThenTheTransportStopsItself)
{
    alreadyPlaying();
    const auto start = timing->nowMillis();

    manager->sendTransport (TransportCmd::stop);
    timing->advanceTo (start + 199);
    EXPECT_EQ (sender.commands ("Stop"), 1);
    timing->advanceTo (start + 200);
    EXPECT_EQ (sender.commands ("Stop"), 2);
    timing->advanceTo (start + 399);
    EXPECT_EQ (sender.commands ("Stop"), 2);
    timing->advanceTo (start + 400);
    EXPECT_EQ (sender.commands ("Stop"), 3);
    timing->advanceTo (start + 449);
    EXPECT_TRUE (transport().isPlaying());

    timing->advanceTo (start + 450);
    EXPECT_FALSE (transport().isPlaying());
    EXPECT_EQ (sender.commands ("Stop"), 4);

    timing->advanceTo (start + 5000);
    EXPECT_EQ (sender.commands ("Stop"), 4);
}

TEST_F (PlaybackSync, AnUnconfirmedStopHoldsBackPlayingRepliesOnlyForAWhile)
{
    alreadyPlaying();
    const auto start = timing->nowMillis();
    manager->sendTransport (TransportCmd::stop);
    timing->advanceTo (start + 500); // stopped locally by the failsafe
    ASSERT_FALSE (transport().isPlaying());

    // A late answer from before the stop does not start the editor again...
    manager->applyPlaybackStateOnMessageThread (stateReply (true, 2, 0));
    EXPECT_FALSE (transport().isPlaying());

    // ...but playback the user starts in the host later is followed.
    timing->advanceTo (start + PlaybackSyncMgr::stopWaitLimitMillis + 1);
    manager->applyPlaybackStateOnMessageThread (stateReply (true, 6, 0));
    EXPECT_TRUE (transport().isPlaying());
    manager->stopUpdating();
}

TEST_F (PlaybackSync, PlayAfterStopCancelsTheRecovery)
{
    alreadyPlaying();
    const auto start = timing->nowMillis();

    manager->sendTransport (TransportCmd::stop);
    timing->advanceTo (start + 100);
    manager->sendTransport (TransportCmd::play);
    timing->advanceTo (start + 2000);

    EXPECT_EQ (sender.commands ("Stop"), 1);
    EXPECT_EQ (sender.commands ("Play"), 1);
    EXPECT_TRUE (transport().isPlaying());
}

TEST_F (PlaybackSync, TimersAndRepliesAfterTheManagerHasGoneDoNothing)
{
    alreadyPlaying();
    manager->sendTransport (TransportCmd::stop);
    const auto pending = sender.all().back().reply;

    manager.reset();
    timing->advanceBy (1000);
    pending (stateReply (false, 9, 0));

    EXPECT_EQ (sender.commands ("Stop"), 1);
    EXPECT_TRUE (Transport (tree).isPlaying());
    EXPECT_TRUE (Transport (tree).getPlayLinePoser().isClear());
}

//==============================================================================
TEST_F (PlaybackSync, DelayedPlayLineShowsThePositionOfASecondBefore)
{
    alreadyPlaying();
    transport().setPlayLineDelayMillis (1000);
    transport().setPlayLinePoser ({1, 0});

    // One reply every 100 ms; the nth carries bar n + 1.
    for (int n = 0; n <= 30; ++n)
    {
        if (n > 0)
            timing->advanceBy (100);

        manager->applyPlaybackStateOnMessageThread (stateReply (true, n + 1, 0));
        const auto shown = transport().getPlayLinePoser().getBar();

        if (n < 10)
            EXPECT_EQ (shown, 1) << n;
        else
            EXPECT_EQ (shown, n + 1 - 10) << n;
    }

    manager->stopUpdating();
}

TEST_F (PlaybackSync, WithoutDelayThePlayLineFollowsEachReply)
{
    alreadyPlaying();
    transport().setPlayLineDelayMillis (0);

    for (int n = 1; n <= 5; ++n)
    {
        timing->advanceBy (100);
        manager->applyPlaybackStateOnMessageThread (stateReply (true, 4, n * 100));
        EXPECT_EQ (transport().getPlayLinePoser(), Poser (4, n * 100));
    }

    manager->stopUpdating();
}

TEST_F (PlaybackSync, PositionsOfTheRunBeforeAreNeverShown)
{
    alreadyPlaying();
    transport().setPlayLineDelayMillis (1000);

    for (int n = 0; n < 9; ++n, timing->advanceBy (100))
        manager->applyPlaybackStateOnMessageThread (stateReply (true, 40 + n, 0));

    transport().stop (false);
    transport().setPlayLinePoser ({2, 0});
    transport().play (false);

    // Half a second into the new run: the old run's positions are old
    // enough, but they were dropped when the run stopped.
    for (int n = 0; n < 5; ++n, timing->advanceBy (100))
    {
        manager->applyPlaybackStateOnMessageThread (stateReply (true, 2, n * 10));
        EXPECT_EQ (transport().getPlayLinePoser(), Poser (2, 0));
    }

    // A click drops the queue too.
    transport().setPlayLineByUser ({7, 0}, false);
    timing->advanceBy (700);
    manager->applyPlaybackStateOnMessageThread (stateReply (true, 7, 50));
    EXPECT_EQ (transport().getPlayLinePoser(), Poser (7, 0));
    manager->stopUpdating();
}

TEST_F (PlaybackSync, RepliesKeepTheLineOnBarZeroNormaliseTheMeterAndIgnoreGarbage)
{
    transport().setPlayLinePoser ({5, 256});
    transport().setPlayLineMeter ({3, 4});

    manager->applyPlaybackStateOnMessageThread (stateReply (false, 0, 512, " 6 / 8 ", 4321));
    EXPECT_EQ (transport().getPlayLinePoser(), Poser (5, 256));
    EXPECT_EQ (tree["playLineMeter"].toString(), "6/8");
    EXPECT_EQ (transport().getTimeMillis(), 4321);

    manager->applyPlaybackStateOnMessageThread (stateReply (false, 6, 128, "waltz", 5000));
    EXPECT_EQ (transport().getPlayLinePoser(), Poser (6, 128));
    EXPECT_EQ (tree["playLineMeter"].toString(), "6/8");

    const auto before = tree.createCopy();

    for (const auto* text : {"", "null", "[1, 2]", "\"playing\"", "42"})
        manager->applyPlaybackStateOnMessageThread (juce::JSON::parse (text));

    juce::Random random (20);

    for (int i = 0; i < 200; ++i)
    {
        juce::String junk;

        for (int c = 0; c < 30; ++c)
            junk << juce::String::charToString (static_cast<juce::juce_wchar> (random.nextInt ({32, 127})));

        const auto parsed = juce::JSON::parse (junk);

        if (!parsed.isObject())
            manager->applyPlaybackStateOnMessageThread (parsed);
    }

    EXPECT_TRUE (tree.isEquivalentTo (before));
}

//==============================================================================
TEST_F (PlaybackSync, PollAsksUnderPressureLimitOrGivesUpOnCommandsAfterAboutThreeSeconds)
{
    EXPECT_EQ (manager->pollOnce(), PlaybackSyncMgr::pollIntervalMillis);
    EXPECT_EQ (sender.polls(), 1);

    manager->sendTransport (TransportCmd::play); // never answered
    ASSERT_EQ (manager->getCommandsInFlight(), 1);

    for (int turn = 1; turn < 149; ++turn)
        ASSERT_EQ (manager->pollOnce(), PlaybackSyncMgr::busyWaitMillis);

    EXPECT_EQ (manager->getCommandsInFlight(), 1);
    EXPECT_EQ (sender.getPurges(), 0);

    manager->pollOnce(); // 149 waits of 20 ms: 2980 ms
    EXPECT_EQ (manager->getCommandsInFlight(), 0);
    EXPECT_EQ (sender.getPurges(), 1);
    EXPECT_EQ (sender.polls(), 1);

    manager->pollOnce();
    EXPECT_EQ (sender.polls(), 2);
}

TEST_F (PlaybackSync, HostPlayingStartsThePollThreadAndStoppingEndsIt)
{
    manager->requestSingleUpdate();
    ASSERT_FALSE (sender.all().back().pressureLimited);
    answerLast (stateReply (true, 3, 0));

    EXPECT_TRUE (transport().isPlaying());
    EXPECT_EQ (sender.commands ("Play"), 0); // started by the host: nothing to tell it
    EXPECT_TRUE (pumpUntil ([this]
                            { return sender.polls() >= 3; },
                            20000));

    manager->applyPlaybackStateOnMessageThread (stateReply (false, 4, 0));
    EXPECT_FALSE (transport().isPlaying());
    EXPECT_FALSE (manager->isUpdating());

    // A "Stop" asks a running loop to end without waiting for it.
    answerLast (stateReply (true, 5, 0));
    ASSERT_TRUE (manager->isUpdating());
    manager->sendTransport (TransportCmd::stop);
    EXPECT_TRUE (pumpUntil ([this]
                            { return !manager->isUpdating(); },
                            20000));
    EXPECT_TRUE (transport().isPlaying()); // until the host confirms
}

TEST_F (PlaybackSync, GoingWhilePollingEndsTheThread)
{
    alreadyPlaying();
    manager->startUpdating();
    EXPECT_EQ (sender.getPurges(), 1);
    ASSERT_TRUE (pumpUntil ([this]
                            { return sender.polls() >= 1; },
                            20000));
    manager.reset(); // would hang or crash if the loop kept running
    const auto polls = sender.polls();
    testsupport::pumpFor (150);
    EXPECT_EQ (sender.polls(), polls);
}
