#include "engine/comm/web-socket/InvocationQueues.h"

#include <gtest/gtest.h>

#include <memory>

// What the queues do for the user (coalescing, the pressure limit, expiry,
// the purge on "Stop") is checked against a scripted host in
// WebSocketManagerTest; these are the details only a hand-moved clock and
// hand-run writes can reach.
namespace
{
class InvocationQueuesTest : public ::testing::Test
{
protected:
    double clockMs = 1000.0;
    InvocationQueues queues{[this]
                            { return clockMs; }};
    int nextId = 1;

    int send (const juce::String& method, juce::var args = {}, std::optional<int> timeout = std::nullopt)
    {
        queues.admit (
            nextId, "ORV_Orvana", method, std::move (args), [] (juce::var) {}, std::nullopt, timeout, false);
        return nextId++;
    }

    int poll()
    {
        queues.admit (
            nextId, "ORV_Orvana", "updatePlaybackState", {}, [] (juce::var) {}, 2, 750, true);
        return nextId++;
    }

    static juce::var transport (const juce::String& action)
    {
        auto* object = new juce::DynamicObject();
        object->setProperty ("transportAction", action);
        return juce::var (object);
    }

    /** Writes everything queued, one message at a time; the ids in write order. */
    std::vector<int> drain()
    {
        std::vector<int> written;

        while (auto w = queues.beginNextWrite())
        {
            written.push_back (w->msgId);
            queues.endWrite (true);
        }

        return written;
    }

    bool answered (int id) { return queues.takeResponse (id) != nullptr; }
};
} // namespace

TEST_F (InvocationQueuesTest, OneMessageInFlightAndAFailedWriteIsKept)
{
    const int request = send ("getScore");
    const int play = send ("transport", transport ("Play"));

    auto first = queues.beginNextWrite();
    ASSERT_TRUE (first.has_value());
    EXPECT_EQ (first->msgId, play);
    EXPECT_TRUE (first->fromPlaybackQueue);

    // Nothing else goes out until the write in flight completes; an update
    // queued meanwhile is written after it, and a failed write is kept for
    // the next connection.
    EXPECT_FALSE (queues.beginNextWrite().has_value());
    const int update = send ("updatePlaybackState");
    queues.endWrite (true);
    EXPECT_EQ (queues.beginNextWrite()->msgId, update);
    queues.endWrite (false);
    EXPECT_FALSE (queues.isWriting());
    EXPECT_EQ (drain(), (std::vector<int>{update, request}));

    // Transport calls with non-object arguments never coalesce.
    const int plain1 = send ("transport", "Play");
    const int plain2 = send ("transport", "Play");
    EXPECT_EQ (drain(), (std::vector<int>{plain1, plain2}));
}

TEST_F (InvocationQueuesTest, StopPurgesQueuedUpdatesAndAReplyFreesAPressurePlace)
{
    const int request = send ("getScore");
    const int queuedUpdate = poll();
    const int stop = send ("transport", transport ("Stop"));
    EXPECT_EQ (drain(), (std::vector<int>{stop, request}));
    EXPECT_FALSE (answered (queuedUpdate));

    const int a = poll();
    drain();
    poll();
    drain();
    poll();
    drain();
    EXPECT_FALSE (answered (poll())) << "the fourth poll is dropped";
    EXPECT_TRUE (answered (a));
    const int admitted = poll();
    EXPECT_EQ (drain(), std::vector<int>{admitted});
}

TEST_F (InvocationQueuesTest, ADeadlineAloneDoesNotExpireAnEntry)
{
    const int request = send ("getScore", {}, 100);
    const int a = poll();
    drain();

    clockMs += 751.0;
    queues.purgeExpiredPendingResponses();
    EXPECT_FALSE (answered (a)) << "a poll lapses after 750 ms";
    EXPECT_TRUE (answered (request)) << "only entries with the expiring flag lapse";
}

TEST_F (InvocationQueuesTest, ATransportCallWithACallbackLapsesAfterThreeSecondsUnlessGivenATimeout)
{
    const int play = send ("transport", transport ("Play"));
    const int pause = send ("transport", transport ("Pause"));
    const int stop = send ("transport", transport ("Stop"), 10000);
    drain();

    clockMs += InvocationQueues::defaultTransportTimeoutMs - 1.0;
    EXPECT_TRUE (answered (play)) << "still in time";

    clockMs += 2.0;
    EXPECT_FALSE (answered (pause)) << "a late transport reply is useless";
    EXPECT_TRUE (answered (stop)) << "its own timeout counts";
}
