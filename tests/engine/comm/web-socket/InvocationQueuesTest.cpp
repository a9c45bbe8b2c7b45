#include "engine/comm/web-socket/InvocationQueues.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
juce::var transportArgs (const juce::String& action)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("transportAction", action);
    return juce::var (object);
}

/** Queues driven by a clock the test moves by hand. */
class InvocationQueuesTest : public ::testing::Test
{
protected:
    double clockMs = 1000.0;
    InvocationQueues queues { [this] { return clockMs; } };
    int nextId = 1;
    std::shared_ptr<std::vector<int>> answered = std::make_shared<std::vector<int>>();

    InvocationQueues::ResponseCallback recorder (int id)
    {
        return [answered = answered, id] (juce::var) { answered->push_back (id); };
    }

    int send (const juce::String& method, juce::var args = {}, bool withCallback = true,
              std::optional<int> limit = std::nullopt, std::optional<int> timeout = std::nullopt, bool expires = false)
    {
        const int id = nextId++;
        queues.admit (id, "ORV_Orvana", method, std::move (args), withCallback ? recorder (id) : nullptr, limit, timeout, expires);
        return id;
    }

    int poll() { return send ("updatePlaybackState", {}, true, 2, 750, true); }

    /** Writes everything queued, one message at a time; returns the ids in write order. */
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

    /** Delivers a reply the way the session does; returns whether a callback ran. */
    bool reply (int id)
    {
        if (auto callback = queues.takeResponse (id))
        {
            callback (juce::var (id));
            return true;
        }

        return false;
    }
};
} // namespace

// What the queues do for the user (coalescing, the pressure limit, expiry,
// the purge on "Stop") is checked against a scripted host in
// WebSocketManagerTest; these are the details only a hand-moved clock and
// hand-run writes can reach.
TEST_F (InvocationQueuesTest, OneMessageInFlightAndAFailedWriteIsKept)
{
    const int request = send ("getScore");
    const int play = send ("transport", transportArgs ("Play"));

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
    EXPECT_EQ (drain(), (std::vector<int> { update, request }));

    // Transport calls with non-object arguments never coalesce.
    const int plain1 = send ("transport", juce::var ("Play"));
    const int plain2 = send ("transport", juce::var ("Play"));
    EXPECT_EQ (drain(), (std::vector<int> { plain1, plain2 }));
}

TEST_F (InvocationQueuesTest, StopPurgesQueuedUpdatesAndAReplyFreesAPressurePlace)
{
    const int request = send ("getScore");
    const int queuedUpdate = poll();
    const int stop = send ("transport", transportArgs ("Stop"));
    EXPECT_EQ (drain(), (std::vector<int> { stop, request }));
    EXPECT_FALSE (reply (queuedUpdate));

    const int a = poll();
    drain();
    poll();
    drain();
    poll();
    drain();
    EXPECT_FALSE (reply (poll())) << "the fourth poll is dropped";
    EXPECT_TRUE (reply (a));
    const int admitted = poll();
    EXPECT_EQ (drain(), std::vector<int> { admitted });
}

TEST_F (InvocationQueuesTest, ADeadlineAloneDoesNotExpireAnEntry)
{
    const int request = send ("getScore", {}, true, std::nullopt, 100, false);
    const int a = poll();
    drain();

    clockMs += 751.0;
    queues.purgeExpiredPendingResponses();
    EXPECT_FALSE (reply (a)) << "a poll lapses after 750 ms";
    EXPECT_TRUE (reply (request)) << "only entries with the expiring flag lapse";
}
