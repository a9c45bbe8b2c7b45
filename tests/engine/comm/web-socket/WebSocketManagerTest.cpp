#include "engine/comm/web-socket/HostProtocol.h"
#include "engine/comm/web-socket/WebSocketManager.h"
#include "engine/comm/web-socket/WebSocketSession.h"
#include "gfx/Alert.h"
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

    void startManager (int port = 0) { manager = std::make_unique<WebSocketManager> (appState, port != 0 ? port : server.getPort()); }

    void call (const juce::String& method, const juce::var& args = {})
    {
        // Shared with the callback, so a late callback never outlives what it writes to.
        manager->sendInvokePluginMsg ("ORV_Orvana", method, args, [r = results] (juce::var v) { r->push_back (v); },
                                      std::nullopt, std::nullopt, false);
    }

    void poll()
    {
        manager->sendInvokePluginMsgWithPressureLimit ("ORV_Orvana", "updatePlaybackState", {}, [r = results] (juce::var v) { r->push_back (v); });
    }

    bool waitForInvocations (size_t count) { return pumpUntil ([&] { return server.getInvocations().size() >= count; }); }
    bool waitForResults (size_t count, int timeoutMs = 5000) { return pumpUntil ([&] { return results->size() >= count; }, timeoutMs); }

    /** Answers the message ids with their own numbers, then waits for the
        first callback and a while for strays; every result as text. */
    juce::StringArray resultsAfterReplies (std::initializer_list<int> ids)
    {
        for (const auto id : ids)
            server.sendText (ScriptedHostServer::makeReply (id, id));

        waitForResults (1);
        pumpFor (150);
        juce::StringArray texts;

        for (const auto& v : *results)
            texts.add (v.toString());

        return texts;
    }

    juce::String storedToken() const { return appState.getProperty (AppState::webSocketSessionToken).toString(); }

    ScriptedHostServer server;
    juce::ValueTree appState { AppState::type };
    std::shared_ptr<std::vector<juce::var>> results = std::make_shared<std::vector<juce::var>>();
    std::shared_ptr<juce::StringArray> alerts = std::make_shared<juce::StringArray>();
    gfx::ScopedAlertSink alertSink { [a = alerts] (const juce::String& text) { a->add (text); } };
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

    ASSERT_TRUE (pumpUntil ([&] { return server.getIntroductions().size() == 1; }));
    EXPECT_EQ (server.getIntroductions()[0], comm::buildIntroduction ({}));
    EXPECT_EQ (server.getHandshakes()[0], std::make_pair (juce::String ("/"), juce::String ("127.0.0.1")));
    EXPECT_EQ (manager->getThreadName(), "WebSocketManager");

    pumpFor (150);
    EXPECT_TRUE (server.getInvocations().empty()) << "nothing is written before the intro reply";

    server.releaseIntroReplies();
    ASSERT_TRUE (waitForResults (3));
    EXPECT_EQ (server.getInvocations()[0]["args"][2].toString(), "getScore");
    EXPECT_EQ (storedToken(), ScriptedHostServer::defaultToken) << "the granted token is kept in the application state";

    // The host ends the session: the thread ends, and the calls made next
    // open a new connection and all reach the host.
    server.closeConnections();
    ASSERT_TRUE (pumpUntil ([&] { return ! manager->isThreadRunning(); }));

    call ("next", 4);
    call ("next", 5);
    ASSERT_TRUE (waitForResults (5));
    EXPECT_EQ (server.getConnectionCount(), 2);
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int> { 1, 2, 3, 4, 5 }));

    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ (static_cast<int> ((*results)[i]), static_cast<int> (i + 1));
}

TEST_F (WebSocketManagerTest, StoredTokenIsPresentedIntactAndTheGrantedOneStored)
{
    const juce::String token = R"(a"b\c", "plugins": ["X"])";
    appState.setProperty (AppState::webSocketSessionToken, token, nullptr);
    server.setIntroReply (ScriptedHostServer::Reply { R"({"sessionToken": "new-token"})" });
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("getScore");
    ASSERT_TRUE (waitForResults (1));
    EXPECT_EQ (server.getIntroductions()[0], comm::buildIntroduction (token));
    ASSERT_TRUE (pumpUntil ([&] { return storedToken() == "new-token"; }));
}

TEST_F (WebSocketManagerTest, SilentIntroReplyStillLetsCallsThroughAfterTwoSeconds)
{
    appState.setProperty (AppState::webSocketSessionToken, "stored-token", nullptr);
    server.setIntroReply (std::nullopt);
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    const auto start = juce::Time::getMillisecondCounterHiRes();
    call ("getScore", "late but there");
    ASSERT_TRUE (pumpUntil ([&] { return server.getIntroductions().size() == 1; }));
    pumpFor (1200);
    EXPECT_TRUE (server.getInvocations().empty());

    ASSERT_TRUE (waitForResults (1, 4000));
    EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - start, WebSocketSession::introReplyTimeoutMs - 50);
    EXPECT_EQ ((*results)[0].toString(), "late but there");
    EXPECT_EQ (storedToken(), "stored-token") << "the presented token is kept";

    // A reply that comes after all is an ordinary message and changes nothing.
    server.sendText (R"({"sessionToken": "late-token"})");
    call ("again", 2);
    ASSERT_TRUE (waitForResults (2));
    EXPECT_EQ (storedToken(), "stored-token");
    EXPECT_TRUE (alerts->isEmpty());
}

TEST_F (WebSocketManagerTest, ResetWithATokenReconnectsWithoutIt)
{
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("before");
    ASSERT_TRUE (waitForResults (1));
    ASSERT_TRUE (pumpUntil ([&] { return storedToken() == ScriptedHostServer::defaultToken; }));

    server.resetConnections();
    ASSERT_TRUE (pumpUntil ([&] { return server.getIntroductions().size() == 2; }, 3000)) << "reconnects after 500 ms";
    EXPECT_EQ (server.getIntroductions()[1], comm::buildIntroduction ({})) << "the token was dropped with the connection";

    call ("after");
    ASSERT_TRUE (waitForResults (2));
    EXPECT_TRUE (alerts->isEmpty());
}

TEST_F (WebSocketManagerTest, ResetWithoutATokenAlertsAndDoesNotReconnect)
{
    server.setIntroReply (ScriptedHostServer::Reply { "{}" });
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("before");
    ASSERT_TRUE (waitForResults (1));

    server.resetConnections();
    ASSERT_TRUE (pumpUntil ([&] { return ! manager->isThreadRunning(); }));
    pumpFor (700);
    EXPECT_EQ (*alerts, juce::StringArray ("Could not stablish connection with Sibelius. Please retry."));
    EXPECT_EQ (server.getConnectionCount(), 1);
}

TEST_F (WebSocketManagerTest, RefusedConnectionAlertsOnceAndDoesNotRetry)
{
    startManager (ScriptedHostServer::findRefusingPort());

    call ("getScore");
    ASSERT_TRUE (pumpUntil ([&] { return ! alerts->isEmpty() && ! manager->isThreadRunning(); }));
    pumpFor (800);
    EXPECT_EQ (*alerts, juce::StringArray (WebSocketSession::refusedAlertText));
    EXPECT_TRUE (alerts->getReference (0).contains ("Sibelius Connect"));
    EXPECT_TRUE (results->empty());

    // The next call starts the thread again and tries anew.
    call ("getScore");
    ASSERT_TRUE (pumpUntil ([&] { return alerts->size() == 2; }));
}

TEST_F (WebSocketManagerTest, RepliesWithoutAValidKnownIdAreIgnored)
{
    startManager();
    call ("getScore");
    ASSERT_TRUE (waitForInvocations (1));

    for (const auto* text : { R"({"returnValue": {"methodRes": "missing"}})", "{ not json", R"({"returnValue": "flat"})" })
        server.sendText (text);

    EXPECT_EQ (resultsAfterReplies ({ 0, 999, 1, 1 }), juce::StringArray ("1")) << "id 0, an unknown id and a duplicate";
}

TEST_F (WebSocketManagerTest, PlaybackCallsCoalesceWhileTheIntroReplyIsAwaited)
{
    server.holdIntroReplies();
    startManager();

    call ("getScore"); // 1: request queue
    ASSERT_TRUE (pumpUntil ([&] { return server.getIntroductions().size() == 1; }));

    for (int i = 2; i <= 4; ++i)
        call ("updatePlaybackState", i);     // 2, 3, 4: only the last is written
    call ("transport", transport ("Play"));  // 5: replaced by 6
    call ("transport", transport ("Play"));  // 6
    call ("transport", transport ("Pause")); // 7
    pumpFor (50);
    server.releaseIntroReplies();

    ASSERT_TRUE (waitForInvocations (4));
    pumpFor (150);
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int> { 4, 6, 7, 1 })) << "playback first, newest of each kind";
}

TEST_F (WebSocketManagerTest, StopDropsTheRepliesOfEarlierPolls)
{
    startManager();

    // Polls coalesce while unsent, so each waits until the previous one is out.
    for (size_t n = 1; n <= 2; ++n)
    {
        poll();
        ASSERT_TRUE (waitForInvocations (n));
    }

    call ("transport", transport ("Stop"));
    ASSERT_TRUE (waitForInvocations (3));
    EXPECT_EQ (resultsAfterReplies ({ 1, 2, 3 }), juce::StringArray ("3"));
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
    pumpFor (200);
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ (resultsAfterReplies ({ 1, 2, 3, 4 }), juce::StringArray ("1", "2", "3"));
}

TEST_F (WebSocketManagerTest, LateRepliesToExpiringCallsAreDropped)
{
    // Polls expire after 750 ms and transport calls after 3000 ms.
    server.setResponder ([] (const juce::var& message) -> std::optional<ScriptedHostServer::Reply>
                         {
                             const auto args = message["args"];
                             const auto action = args[3]["transportAction"].toString();
                             const auto delay = args[2] == "updatePlaybackState" ? 900 : action == "Play" ? 3400 : 2500;
                             return ScriptedHostServer::Reply { ScriptedHostServer::makeReply (args[0], action), delay };
                         });
    startManager();

    poll();
    call ("transport", transport ("Play"));
    call ("transport", transport ("Pause"));

    ASSERT_TRUE (waitForResults (1));
    pumpFor (1100);
    ASSERT_EQ (results->size(), 1u);
    EXPECT_EQ ((*results)[0].toString(), "Pause");
}

TEST_F (WebSocketManagerTest, PurgeDropsPendingPolls)
{
    startManager();
    poll();
    call ("getScore");
    ASSERT_TRUE (waitForInvocations (2));

    manager->purgePlaybackPendingResponses();
    pumpFor (50);
    EXPECT_EQ (resultsAfterReplies ({ 1, 2 }), juce::StringArray ("2"));
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
    ASSERT_TRUE (pumpUntil ([&] { return server.getIntroductions().size() == 1; }));
    manager.reset();
    ASSERT_TRUE (pumpUntil ([&] { return server.getCloseCodes().size() == 1; }));
    EXPECT_TRUE (server.getInvocations().empty()) << "closed while the intro reply was awaited";

    server.releaseIntroReplies();
    startManager();
    call ("getScore");
    ASSERT_TRUE (waitForInvocations (1));
    manager.reset();
    ASSERT_TRUE (pumpUntil ([&] { return server.getCloseCodes().size() == 2; }));
    EXPECT_EQ (server.getCloseCodes(), (std::vector<int> { 1000, 1000 }));

    server.sendText (ScriptedHostServer::makeReply (1, "too late"));
    pumpFor (100);
    EXPECT_TRUE (results->empty());
    EXPECT_TRUE (alerts->isEmpty());
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
                            }
                        });

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
