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

TEST_F (InvocationQueuesTest, PlaybackQueueIsWrittenFirstAndOneMessageIsInFlight)
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
    EXPECT_TRUE (queues.getRequestQueue().empty());
    EXPECT_TRUE (queues.getPlaybackQueue().empty());
}

TEST_F (InvocationQueuesTest, TransportCallsCoalescePerAction)
{
    send ("transport", transportArgs ("Play"));
    const int pause = send ("transport", transportArgs ("Pause"));
    const int newerPlay = send ("transport", transportArgs ("Play"));
    // Non-object arguments never coalesce.
    const int plain1 = send ("transport", juce::var ("Play"));
    const int plain2 = send ("transport", juce::var ("Play"));

    EXPECT_EQ (drain(), (std::vector<int> { pause, newerPlay, plain1, plain2 }));
}

TEST_F (InvocationQueuesTest, StopPurgesQueuedUpdatesAndPolledReplies)
{
    const int polled = poll();
    ASSERT_EQ (drain(), std::vector<int> { polled });

    const int request = send ("getScore");
    const int queuedUpdate = poll();
    const int stop = send ("transport", transportArgs ("Stop"));

    EXPECT_EQ (drain(), (std::vector<int> { stop, request }));
    EXPECT_FALSE (reply (polled)) << "a poll sent before the stop must not be answered";
    EXPECT_FALSE (reply (queuedUpdate));
    EXPECT_TRUE (reply (request));
    EXPECT_TRUE (reply (stop));
}

TEST_F (InvocationQueuesTest, PressureLimitHoldsOnlyPollsAndAReplyFreesAPlace)
{
    const int a = poll();
    drain();
    poll();
    drain();
    poll();
    drain();
    EXPECT_EQ (queues.getNumPressureLimitedResponses(), 3u);
    EXPECT_FALSE (reply (poll())) << "the fourth poll is dropped";

    const int request = send ("getScore");
    EXPECT_EQ (drain(), std::vector<int> { request }) << "ordinary requests are not limited by the polls";

    EXPECT_TRUE (reply (a));
    const int admitted = poll();
    EXPECT_EQ (drain(), std::vector<int> { admitted });
}

TEST_F (InvocationQueuesTest, ExpiringRepliesLapseAtTheirDeadlines)
{
    const int play = send ("transport", transportArgs ("Play"));
    const int request = send ("getScore", {}, true, std::nullopt, 100, false);
    const int a = poll();
    poll();
    poll();
    drain();

    // Polls lapse after 750 ms and free their places.
    clockMs += 751.0;
    const int later = poll();
    EXPECT_EQ (drain(), std::vector<int> { later });
    EXPECT_FALSE (reply (a)) << "a reply after the deadline is ignored";

    // A transport call with a callback lapses after 3 s.
    clockMs += 2248.0;
    queues.purgeExpiredPendingResponses();
    EXPECT_EQ (queues.getNumPendingResponses(), 2u) << "the transport call and the request; the later poll lapsed";
    clockMs += 2.0;
    EXPECT_FALSE (reply (play));
    EXPECT_TRUE (reply (request)) << "a deadline alone does not expire an entry: only with the expiring flag";
}
