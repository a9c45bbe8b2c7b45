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
juce::var objectWith (const juce::String& key, const juce::var& value)
{
    auto* object = new juce::DynamicObject();
    object->setProperty (juce::Identifier (key), value);
    return juce::var (object);
}

/** Results received by callbacks, shared with them so a late callback never
    outlives what it writes to. */
struct Results
{
    std::vector<juce::var> values;

    static WebSocketManager::ResponseCallback into (const std::shared_ptr<Results>& results)
    {
        return [results] (juce::var value) { results->values.push_back (value); };
    }
};

struct Alerts
{
    juce::StringArray texts;
};

class WebSocketManagerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        manager.reset();
        // Deliver whatever the I/O thread posted, while this test's sinks live.
        pumpFor (30);
    }

    WebSocketManager& startManager (int port)
    {
        manager = std::make_unique<WebSocketManager> (appState, port);
        return *manager;
    }

    WebSocketManager& startManager() { return startManager (server.getPort()); }

    void call (const juce::String& method, const juce::var& args = {})
    {
        manager->sendInvokePluginMsg ("ORV_Orvana", method, args, Results::into (results), std::nullopt, std::nullopt, false);
    }

    void poll() { manager->sendInvokePluginMsgWithPressureLimit ("ORV_Orvana", "updatePlaybackState", {}, Results::into (results)); }

    bool waitForInvocations (size_t count, int timeoutMs = 5000)
    {
        return pumpUntil ([&] { return server.getInvocations().size() >= count; }, timeoutMs);
    }

    bool waitForResults (size_t count, int timeoutMs = 5000)
    {
        return pumpUntil ([&] { return results->values.size() >= count; }, timeoutMs);
    }

    juce::String storedToken() const { return appState.getProperty (AppState::webSocketSessionToken).toString(); }

    ScriptedHostServer server;
    juce::ValueTree appState { AppState::type };
    std::shared_ptr<Results> results = std::make_shared<Results>();
    std::shared_ptr<Alerts> alerts = std::make_shared<Alerts>();
    gfx::ScopedAlertSink alertSink { [a = alerts] (const juce::String& text) { a->texts.add (text); } };
    std::unique_ptr<WebSocketManager> manager;
};
} // namespace

//==============================================================================
TEST_F (WebSocketManagerTest, FirstCallConnectsAndIsWrittenAfterTheIntroReplyWithIdOne)
{
    server.setResponder (ScriptedHostServer::echoResponder());
    server.holdIntroReplies();
    startManager();
    EXPECT_FALSE (manager->isThreadRunning()) << "the thread starts with the first call";

    call ("getScore", "payload");
    ASSERT_TRUE (pumpUntil ([&] { return server.getIntroductions().size() == 1; }));
    EXPECT_EQ (server.getIntroductions()[0], comm::buildIntroduction ({}));
    EXPECT_EQ (server.getHandshakes()[0].first, "/");
    EXPECT_EQ (server.getHandshakes()[0].second, "127.0.0.1");
    EXPECT_EQ (manager->getThreadName(), "WebSocketManager");

    pumpFor (150);
    EXPECT_TRUE (server.getInvocations().empty()) << "nothing is written before the intro reply";

    server.releaseIntroReplies();
    ASSERT_TRUE (waitForResults (1));
    EXPECT_EQ (server.getInvocationIds(), std::vector<int> { 1 });
    EXPECT_EQ (results->values[0].toString(), "payload");

    const auto args = server.getInvocations()[0].getProperty ("args", {});
    EXPECT_EQ (args[1].toString(), "ORV_Orvana");
    EXPECT_EQ (args[2].toString(), "getScore");
    EXPECT_EQ (storedToken(), ScriptedHostServer::defaultToken) << "the granted token is kept in the application state";
}

TEST_F (WebSocketManagerTest, CallsMadeWithoutASessionAreAllSentInOrder)
{
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("first", 1);
    call ("second", 2);
    call ("third", 3);
    ASSERT_TRUE (waitForResults (3));
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int> { 1, 2, 3 }));

    // The host ends the session: the thread ends, and the calls made next
    // open a new connection and all reach the host.
    server.closeConnections();
    ASSERT_TRUE (pumpUntil ([&] { return ! manager->isThreadRunning(); }));

    call ("fourth", 4);
    call ("fifth", 5);
    ASSERT_TRUE (waitForResults (5));
    EXPECT_EQ (server.getConnectionCount(), 2);
    EXPECT_EQ (server.getInvocationIds(), (std::vector<int> { 1, 2, 3, 4, 5 }));

    std::vector<int> values;

    for (const auto& v : results->values)
        values.push_back (static_cast<int> (v));

    EXPECT_EQ (values, (std::vector<int> { 1, 2, 3, 4, 5 }));
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
    const auto intro = juce::JSON::parse (server.getIntroductions()[0]);
    EXPECT_EQ (intro.getProperty ("sessionToken", {}).toString(), token) << "quotes cannot break out of the string";
    EXPECT_FALSE (intro.hasProperty ("plugins"));
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
    EXPECT_EQ (results->values[0].toString(), "late but there");
    EXPECT_EQ (storedToken(), "stored-token") << "the presented token is kept";

    // A reply that comes after all is an ordinary message and changes nothing.
    server.sendText (R"({"sessionToken": "late-token"})");
    call ("again", 2);
    ASSERT_TRUE (waitForResults (2));
    EXPECT_EQ (storedToken(), "stored-token");
    EXPECT_TRUE (alerts->texts.isEmpty());
}

TEST_F (WebSocketManagerTest, ResetWithATokenReconnectsWithoutIt)
{
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("before");
    ASSERT_TRUE (waitForResults (1));
    ASSERT_TRUE (pumpUntil ([&] { return storedToken() == ScriptedHostServer::defaultToken; }));

    server.resetConnections();
    ASSERT_TRUE (pumpUntil ([&] { return server.getConnectionCount() == 2; }, 3000)) << "reconnects after 500 ms";
    ASSERT_TRUE (pumpUntil ([&] { return server.getIntroductions().size() == 2; }));
    EXPECT_EQ (server.getIntroductions()[1], comm::buildIntroduction ({})) << "the token was dropped with the connection";

    call ("after");
    ASSERT_TRUE (waitForResults (2));
    EXPECT_TRUE (alerts->texts.isEmpty());
}

TEST_F (WebSocketManagerTest, ResetWithoutATokenAlertsAndDoesNotReconnect)
{
    server.setIntroReply (ScriptedHostServer::Reply { "{}" });
    server.setResponder (ScriptedHostServer::echoResponder());
    startManager();

    call ("before");
    ASSERT_TRUE (waitForResults (1));

    server.resetConnections();
    ASSERT_TRUE (pumpUntil ([&] { return alerts->texts.size() == 1; }));
    EXPECT_EQ (alerts->texts[0], "Could not stablish connection with Sibelius. Please retry.");
    ASSERT_TRUE (pumpUntil ([&] { return ! manager->isThreadRunning(); }));
    pumpFor (700);
    EXPECT_EQ (server.getConnectionCount(), 1);
    EXPECT_EQ (alerts->texts.size(), 1);
}

TEST_F (WebSocketManagerTest, RefusedConnectionAlertsOnceAndDoesNotRetry)
{
    startManager (ScriptedHostServer::findRefusingPort());

    call ("getScore");
    ASSERT_TRUE (pumpUntil ([&] { return alerts->texts.size() == 1; }));
    EXPECT_EQ (alerts->texts[0], WebSocketSession::refusedAlertText);
    EXPECT_TRUE (alerts->texts[0].contains ("Sibelius Connect"));
    ASSERT_TRUE (pumpUntil ([&] { return ! manager->isThreadRunning(); }));
    pumpFor (800);
    EXPECT_EQ (alerts->texts.size(), 1);
    EXPECT_TRUE (results->values.empty());

    // The next call starts the thread again and tries anew.
    call ("getScore");
    ASSERT_TRUE (pumpUntil ([&] { return alerts->texts.size() == 2; }));
}

TEST_F (WebSocketManagerTest, RepliesWithoutAValidKnownIdAreIgnored)
{
    startManager();
    call ("getScore");
    ASSERT_TRUE (waitForInvocations (1));

    server.sendText (ScriptedHostServer::makeReply (0, "zero"));
    server.sendText (R"({"returnValue": {"methodRes": "missing"}})");
    server.sendText (ScriptedHostServer::makeReply (999, "unknown"));
    server.sendText ("{ not json");
    server.sendText (R"({"returnValue": "flat"})");
    server.sendText (ScriptedHostServer::makeReply (1, "right"));
    server.sendText (ScriptedHostServer::makeReply (1, "duplicate"));

    ASSERT_TRUE (waitForResults (1));
    pumpFor (150);
    ASSERT_EQ (results->values.size(), 1u);
    EXPECT_EQ (results->values[0].toString(), "right");
}

TEST_F (WebSocketManagerTest, PlaybackCallsCoalesceWhileTheIntroReplyIsAwaited)
{
    server.holdIntroReplies();
    startManager();

    call ("getScore");                                      // 1: request queue
    ASSERT_TRUE (pumpUntil ([&] { return server.getIntroductions().size() == 1; }));

    call ("updatePlaybackState", 1);                        // 2
    call ("updatePlaybackState", 2);                        // 3
    call ("updatePlaybackState", 3);                        // 4: the only update written
    call ("transport", objectWith ("transportAction", "Play"));  // 5: replaced by 6
    call ("transport", objectWith ("transportAction", "Play"));  // 6
    call ("transport", objectWith ("transportAction", "Pause")); // 7
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

    manager->sendInvokePluginMsg ("ORV_Orvana", "transport", objectWith ("transportAction", "Stop"),
                                  Results::into (results), std::nullopt, std::nullopt, false);
    ASSERT_TRUE (waitForInvocations (3));

    for (int id = 1; id <= 3; ++id)
        server.sendText (ScriptedHostServer::makeReply (id, id));

    ASSERT_TRUE (waitForResults (1));
    pumpFor (150);
    ASSERT_EQ (results->values.size(), 1u);
    EXPECT_EQ (static_cast<int> (results->values[0]), 3);
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

    for (int id = 1; id <= 4; ++id)
        server.sendText (ScriptedHostServer::makeReply (id, id));

    ASSERT_TRUE (waitForResults (3));
    pumpFor (150);
    EXPECT_EQ (results->values.size(), 3u);
}

TEST_F (WebSocketManagerTest, LateRepliesToExpiringCallsAreDropped)
{
    // Polls expire after 750 ms and transport calls after 3000 ms.
    server.setResponder ([] (const juce::var& message) -> std::optional<ScriptedHostServer::Reply>
                         {
                             const auto args = message.getProperty ("args", {});
                             const auto id = static_cast<int> (args[0]);
                             const auto method = args[2].toString();
                             const auto action = args[3].getProperty ("transportAction", {}).toString();

                             if (method == "updatePlaybackState")
                                 return ScriptedHostServer::Reply { ScriptedHostServer::makeReply (id, "poll"), 900 };

                             const int delay = action == "Play" ? 3400 : 2500;
                             return ScriptedHostServer::Reply { ScriptedHostServer::makeReply (id, action), delay };
                         });
    startManager();

    poll();
    call ("transport", objectWith ("transportAction", "Play"));
    call ("transport", objectWith ("transportAction", "Pause"));

    ASSERT_TRUE (waitForResults (1, 5000));
    pumpFor (1100);
    ASSERT_EQ (results->values.size(), 1u);
    EXPECT_EQ (results->values[0].toString(), "Pause");
}

TEST_F (WebSocketManagerTest, PurgeDropsPendingPolls)
{
    startManager();
    poll();
    call ("getScore");
    ASSERT_TRUE (waitForInvocations (2));

    manager->purgePlaybackPendingResponses();
    pumpFor (50);
    server.sendText (ScriptedHostServer::makeReply (1, "poll"));
    server.sendText (ScriptedHostServer::makeReply (2, "score"));

    ASSERT_TRUE (waitForResults (1));
    pumpFor (150);
    ASSERT_EQ (results->values.size(), 1u);
    EXPECT_EQ (results->values[0].toString(), "score");
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
    EXPECT_TRUE (results->values.empty());
    EXPECT_TRUE (alerts->texts.isEmpty());
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
        EXPECT_EQ (static_cast<int> (results->values[i]), static_cast<int> (i)) << "requests are answered in order";
}
