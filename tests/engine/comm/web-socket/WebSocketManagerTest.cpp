#include "engine/comm/web-socket/WebSocketManager.h"
#include "engine/comm/web-socket/HostProtocol.h"
#include "engine/comm/web-socket/WebSocketSession.h"
#include "state/AppState.h"
#include "support/MessagePump.h"
#include "support/ScriptedHostServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using testsupport::pumpFor;
using testsupport::pumpUntil;
using testsupport::ScriptedHostServer;

namespace
{
juce::var transport (const juce::String& action)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("transportAction", action);
    return juce::var (object);
}

class WebSocketManagerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        manager.reset();
        // Deliver whatever the I/O thread posted, while this test's sinks live.
        pumpFor (30);
    }

    void startManager (int port = 0)
    {
        manager = std::make_unique<WebSocketManager> (appState, port != 0 ? port : server.getPort(),
                                                      [p = problems] (comm::HostConnectionProblem problem)
                                                      { p->push_back (problem); });
    }

    void call (const juce::String& method, const juce::var& args = {})
    {
        // Shared with the callback, so a late callback never outlives what it writes to.
        manager->sendInvokePluginMsg (
            "ORV_Orvana", method, args, [r = results] (juce::var v)
            { r->push_back (v); },
            std::nullopt, std::nullopt, false);
    }

    void poll()
    {
        manager->sendInvokePluginMsgWithPressureLimit ("ORV_Orvana", "updatePlaybackState", {}, [r = results] (juce::var v)
                                                       { r->push_back (v); });
    }

    bool waitForInvocations (size_t count)
    {
        return pumpUntil ([&]
                          { return server.getInvocations().size() >= count; });
    }
    bool waitForResults (size_t count, int timeoutMs = 5000)
    {
        return pumpUntil ([&]
                          { return results->size() >= count; },
                          timeoutMs);
    }

    /** Makes one more call and answers it by hand once the host has it.
        Replies and writes keep their order, so when its result is in, every
        reply sent before has been handled and every earlier write is out. */
    bool sentinelRoundTrip (int timeoutMs = 5000)
    {
        auto answered = std::make_shared<bool> (false);
        manager->sendInvokePluginMsg (
            "ORV_Orvana", "sentinel", {}, [answered] (juce::var)
            { *answered = true; },
            std::nullopt, std::nullopt, false);

        if (!pumpUntil ([&]
                        { return !server.getInvocations().empty() && server.getInvocations().back()["args"][2] == "sentinel"; },
                        timeoutMs))
            return false;

        // A responder may have answered already; a second reply is ignored.
        server.sendText (ScriptedHostServer::makeReply (server.getInvocationIds().back(), "sentinel"));
        return pumpUntil ([&]
                          { return *answered; },
                          timeoutMs);
    }

    /** Answers the message ids with their own numbers; every result that
        came of it, as text. */
    juce::StringArray resultsAfterReplies (std::initializer_list<int> ids)
    {
        for (const auto id : ids)
            server.sendText (ScriptedHostServer::makeReply (id, id));

        EXPECT_TRUE (sentinelRoundTrip());
        juce::StringArray texts;

        for (const auto& v : *results)
            texts.add (v.toString());

        return texts;
    }

    juce::String storedToken() const { return appState.getProperty (AppState::webSocketSessionToken).toString(); }

    ScriptedHostServer server;
    juce::ValueTree appState{AppState::type};
    std::shared_ptr<std::vector<juce::var>> results = std::make_shared<std::vector<juce::var>>();
    std::shared_ptr<std::vector<comm::HostConnectionProblem>> problems = std::make_shared<std::vector<comm::HostConnectionProblem>>();
    std::unique_ptr<WebSocketManager> manager;
};
} // namespace

TEST_F (WebSocketManagerTest, CallsWaitForTheIntroReplyAndAllGoOutInOrderFromIdOne)
{
    server.setResponder (ScriptedHostServer::echoResponder());
    server.holdIntroReplies();
    startManager();
    EXPECT_FALSE (manager->isThreadRunning()) << "the thread starts with the first call";

    for (int i = 1; i <= 3; ++i)
        call ("getScore", i);

    ASSERT_TRUE (pumpUntil ([&]
                            { return server.getIntroductions().size() == 1; }));
    EXPECT_EQ (server.getIntroductions()[0], comm::buildIntroduction ({}));
    EXPECT_EQ (server.getHandshakes()[0], std::make_pair (juce::String ("/"), juce::String ("127.0.0.1")));

    // Past the two seconds a token introduction would wait: without a token
    // the host may be asking the user, so nothing is written before the reply.
    pumpFor (WebSocketSession::introReplyTimeoutMs + 300);
    EXPECT_TRUE (server.getInvocations().empty()) << "nothing is written before the intro reply";

    server.releaseIntroReplies();
    ASSERT_TRUE (waitForResults (3));
    EXPECT_EQ (server.getInvocations()[0]["args"][2].toString(), "getScore");
    EXPECT_EQ (storedToken(), ScriptedHostServer::defaultToken) << "the granted token is kept in the application state";

    // The host ends the session: the thread ends, and the calls made next
    // open a new connection and all reach the host.
    server.closeConnections();
    ASSERT_TRUE (pumpUntil ([&]
                            { return !manager->isThreadRunning(); }));

    call ("next", 4);
    call ("next", 5);
    ASSERT_TRUE (waitForResults (5));
    EXPECT_EQ (server.getConnectionCount(), 2);
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int>{1, 2, 3, 4, 5}));

    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ (static_cast<int> ((*results)[i]), static_cast<int> (i + 1));

    EXPECT_TRUE (problems->empty()) << "the host's normal close is no problem";
}

TEST_F (WebSocketManagerTest, SilentIntroReplyStillLetsCallsThroughAndALateTokenReplacesThePresentedOne)
{
    appState.setProperty (AppState::webSocketSessionToken, "stored-token", nullptr);
    server.setIntroReply (std::nullopt);
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("getScore", "late but there");
    ASSERT_TRUE (pumpUntil ([&]
                            { return server.getIntroductions().size() == 1; }));
    EXPECT_EQ (server.getIntroductions()[0], comm::buildIntroduction ("stored-token")) << "the stored token is presented";
    pumpFor (1000);
    EXPECT_TRUE (server.getInvocations().empty()) << "the intro reply is awaited a while";

    ASSERT_TRUE (waitForResults (1, 10000));
    EXPECT_EQ ((*results)[0].toString(), "late but there");
    EXPECT_EQ (storedToken(), "stored-token") << "the presented token is kept";

    // The reply comes after all, granting a new token: it replaces the old.
    server.sendText (R"({"message": "connectResponse", "result": true, "sessionToken": "late-token"})");
    ASSERT_TRUE (pumpUntil ([&]
                            { return storedToken() == "late-token"; }));

    // A reply that happens to carry a token is only a reply.
    call ("again", 2);
    ASSERT_TRUE (waitForInvocations (2));
    server.sendText (R"({"returnValue": {"msgId": 2, "methodRes": "r"}, "sessionToken": "not-a-grant"})");
    ASSERT_TRUE (waitForResults (2));
    ASSERT_TRUE (sentinelRoundTrip());
    EXPECT_EQ (storedToken(), "late-token");
    EXPECT_TRUE (problems->empty());
}

TEST_F (WebSocketManagerTest, FirstIntroAnsweredAfterThreeSecondsStoresTheTokenAndAResetReconnectsWithoutIt)
{
    // The host asks the user for permission, who takes three seconds.
    server.setIntroReply (ScriptedHostServer::Reply{juce::String ("{\"sessionToken\": \"") + ScriptedHostServer::defaultToken + "\"}", 3000});
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("first", 1);
    ASSERT_TRUE (waitForResults (1, 15000));
    ASSERT_TRUE (pumpUntil ([&]
                            { return storedToken() == ScriptedHostServer::defaultToken; }));
    EXPECT_EQ (server.getIntroductions().size(), 1u);

    // With the token kept, a reset is followed by a new introduction.
    server.setIntroReply (ScriptedHostServer::Reply{R"({"sessionToken": "second-token"})"});
    server.resetConnections();
    ASSERT_TRUE (pumpUntil ([&]
                            { return server.getIntroductions().size() == 2; },
                            10000))
        << "reconnects instead of giving up";
    EXPECT_EQ (server.getIntroductions()[1], comm::buildIntroduction ({})) << "the token was dropped with the connection";

    call ("after", 2);
    ASSERT_TRUE (waitForResults (2, 10000));
    EXPECT_EQ ((*results)[1].toString(), "2");
    ASSERT_TRUE (pumpUntil ([&]
                            { return storedToken() == "second-token"; }));
    EXPECT_TRUE (problems->empty());
}

TEST_F (WebSocketManagerTest, ResetWhileOneIsBeingWrittenWritesEachOnceAfterTheReconnect)
{
    // Replies carry only the message id, so the large argument is not echoed.
    server.setResponder ([] (const juce::var& message) -> std::optional<ScriptedHostServer::Reply>
                         {
                             const auto id = static_cast<int> (message["args"][0]);
                             return ScriptedHostServer::Reply { ScriptedHostServer::makeReply (id, id) }; });
    server.pauseReadingAfter (3);
    startManager();

    for (int i = 1; i <= 3; ++i)
        call ("edit", i);

    ASSERT_TRUE (waitForResults (3));
    ASSERT_TRUE (pumpUntil ([&]
                            { return storedToken() == ScriptedHostServer::defaultToken; }));

    // The host has stopped reading: the next invocation, larger than the
    // sockets can hold, is being written when the host resets the
    // connection, and four more wait behind it.
    call ("edit", juce::String::repeatedString ("x", 12 * 1024 * 1024));

    for (int i = 5; i <= 8; ++i)
        call ("edit", i);

    ASSERT_TRUE (pumpUntil ([&]
                            { return server.getUnreadBytes() > 16 * 1024; },
                            20000));
    server.resetConnections();

    waitForResults (8, 30000);
    ASSERT_TRUE (sentinelRoundTrip (30000));
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9})) << "each written once, in order";
    EXPECT_EQ (server.getIntroductions().size(), 2u);

    juce::StringArray answered;
    for (const auto& r : *results)
        answered.add (r.toString());
    EXPECT_EQ (answered.joinIntoString (","), "1,2,3,4,5,6,7,8");
    EXPECT_TRUE (problems->empty());
}

TEST_F (WebSocketManagerTest, ResetWithoutATokenReportsALostConnectionAndDoesNotReconnect)
{
    server.setIntroReply (ScriptedHostServer::Reply{"{}"});
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("before");
    ASSERT_TRUE (waitForResults (1));

    server.resetConnections();
    ASSERT_TRUE (pumpUntil ([&]
                            { return !problems->empty() && !manager->isThreadRunning(); }));
    EXPECT_EQ (*problems, std::vector<comm::HostConnectionProblem>{comm::HostConnectionProblem::lost});

    // Longer than the reconnect delay: still no second connection.
    pumpFor (WebSocketSession::reconnectDelayMs + 300);
    EXPECT_EQ (server.getConnectionCount(), 1);
}

TEST_F (WebSocketManagerTest, RefusedConnectionIsReportedOnceAndNotRetried)
{
    startManager (ScriptedHostServer::findRefusingPort());

    call ("getScore");
    ASSERT_TRUE (pumpUntil ([&]
                            { return !problems->empty() && !manager->isThreadRunning(); }));
    pumpFor (WebSocketSession::reconnectDelayMs + 300);
    EXPECT_EQ (*problems, std::vector<comm::HostConnectionProblem>{comm::HostConnectionProblem::refused}) << "once, no retry";
    EXPECT_TRUE (results->empty());

    // The next call starts the thread again and tries anew.
    call ("getScore");
    ASSERT_TRUE (pumpUntil ([&]
                            { return problems->size() == 2; }));
}

TEST_F (WebSocketManagerTest, RepliesWithoutAValidKnownIdAreIgnored)
{
    startManager();
    call ("getScore");
    ASSERT_TRUE (waitForInvocations (1));

    for (const auto* text : {R"({"returnValue": {"methodRes": "missing"}})", "{ not json", R"({"returnValue": "flat"})"})
        server.sendText (text);

    EXPECT_EQ (resultsAfterReplies ({0, 999, 1, 1}), juce::StringArray ("1")) << "id 0, an unknown id and a duplicate";
}

TEST_F (WebSocketManagerTest, PlaybackCallsCoalesceWhileTheIntroReplyIsAwaited)
{
    server.holdIntroReplies();
    startManager();

    call ("getScore"); // 1: request queue
    ASSERT_TRUE (pumpUntil ([&]
                            { return server.getIntroductions().size() == 1; }));

    for (int i = 2; i <= 4; ++i)
        call ("updatePlaybackState", i);     // 2, 3, 4: only the last is written
    call ("transport", transport ("Play"));  // 5: replaced by 6
    call ("transport", transport ("Play"));  // 6
    call ("transport", transport ("Pause")); // 7

    // The calls reach the session before the intro reply can: both travel
    // through the I/O thread's queue, the calls first.
    server.releaseIntroReplies();
    ASSERT_TRUE (sentinelRoundTrip());
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int>{4, 6, 7, 1, 8})) << "playback first, newest of each kind";
}

TEST_F (WebSocketManagerTest, AFourthUnansweredPollIsDroppedWithoutCallback)
{
    startManager();

    for (size_t n = 1; n <= 3; ++n)
    {
        poll();
        ASSERT_TRUE (waitForInvocations (n));
    }

    poll();
    EXPECT_EQ (resultsAfterReplies ({1, 2, 3, 4}), juce::StringArray ("1", "2", "3"));
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int>{1, 2, 3, 5})) << "the fourth poll was never written";
}

TEST_F (WebSocketManagerTest, LateRepliesToExpiringCallsAreDropped)
{
    // A poll expires after 750 ms: its reply comes twice as late. A
    // transport call has 3000 ms: its reply comes at once. (The exact
    // deadlines are checked with a hand-moved clock in InvocationQueuesTest.)
    server.setResponder ([] (const juce::var& message) -> std::optional<ScriptedHostServer::Reply>
                         {
                             const auto args = message["args"];
                             const auto method = args[2].toString();
                             const auto delay = method == "updatePlaybackState" ? 1500 : method == "sentinel" ? 1600 : 0;
                             return ScriptedHostServer::Reply { ScriptedHostServer::makeReply (args[0], method), delay }; });
    startManager();

    poll();
    call ("transport", transport ("Pause"));
    call ("sentinel");

    // The sentinel's reply leaves the host after the poll's.
    ASSERT_TRUE (pumpUntil ([&]
                            { return !results->empty() && results->back() == "sentinel"; },
                            10000));
    EXPECT_EQ (results->size(), 2u);
    EXPECT_EQ ((*results)[0].toString(), "transport");
}

TEST_F (WebSocketManagerTest, PurgeDropsPendingPolls)
{
    startManager();
    poll();
    call ("getScore");
    ASSERT_TRUE (waitForInvocations (2));

    // The purge reaches the session before the replies can.
    manager->purgePlaybackPendingResponses();
    EXPECT_EQ (resultsAfterReplies ({1, 2}), juce::StringArray ("2"));
}

TEST_F (WebSocketManagerTest, DestructionClosesNormallyAtEveryStage)
{
    startManager();
    manager.reset();
    pumpFor (50);
    EXPECT_EQ (server.getConnectionCount(), 0) << "a manager that was never called never connects";

    server.holdIntroReplies();
    startManager();
    call ("getScore");
    ASSERT_TRUE (pumpUntil ([&]
                            { return server.getIntroductions().size() == 1; }));
    manager.reset();
    ASSERT_TRUE (pumpUntil ([&]
                            { return server.getCloseCodes().size() == 1; }));
    EXPECT_TRUE (server.getInvocations().empty()) << "closed while the intro reply was awaited";

    server.releaseIntroReplies();
    startManager();
    call ("getScore");
    ASSERT_TRUE (waitForInvocations (1));
    manager.reset();
    ASSERT_TRUE (pumpUntil ([&]
                            { return server.getCloseCodes().size() == 2; }));
    EXPECT_EQ (server.getCloseCodes(), (std::vector<int>{1000, 1000}));

    server.sendText (ScriptedHostServer::makeReply (1, "too late"));
    pumpFor (100);
    EXPECT_TRUE (results->empty());
    EXPECT_TRUE (problems->empty());
}

TEST_F (WebSocketManagerTest, CallsFromAPollThreadAndTheMessageThreadGetDistinctIds)
{
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    std::thread poller ([&]
                        {
                            for (int i = 0; i < 100; ++i)
                            {
                                manager->sendInvokePluginMsgWithPressureLimit ("ORV_Orvana", "updatePlaybackState", {}, nullptr);
                                std::this_thread::sleep_for (std::chrono::milliseconds (1));
                            } });

    for (int i = 0; i < 50; ++i)
    {
        call ("request", i);
        pumpFor (1);
    }

    poller.join();
    ASSERT_TRUE (waitForResults (50));

    auto ids = server.getInvocationIds();
    std::sort (ids.begin(), ids.end());
    EXPECT_TRUE (std::adjacent_find (ids.begin(), ids.end()) == ids.end()) << "every invocation has its own id";

    for (size_t i = 0; i < 50; ++i)
        EXPECT_EQ (static_cast<int> ((*results)[i]), static_cast<int> (i)) << "requests are answered in order";
}
