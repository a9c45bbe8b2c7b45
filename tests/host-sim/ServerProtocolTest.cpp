#include "net/ConnectionProtocol.h"
#include "support/SimHarness.h"
#include "support/TestClient.h"

#include <gtest/gtest.h>

using namespace hostsim;
using test::TestClient;

TEST (ServerProtocol, IntroductionGrantsAndResumesSessions)
{
    test::SimHarness sim;
    TestClient first;
    ASSERT_TRUE (first.connect (sim.getPort())) << first.getError();
    ASSERT_TRUE (first.send (TestClient::introduction()));
    const auto reply = first.receive();
    ASSERT_TRUE (reply.has_value());

    // Exactly the reply shape: message, result, then a braced GUID.
    const auto parsed = juce::JSON::parse (*reply);
    const auto token = parsed["sessionToken"].toString();
    EXPECT_EQ (*reply, "{\"message\": \"connectResponse\", \"result\": true, \"sessionToken\": \"" + token + "\"}");
    EXPECT_EQ (token.length(), 38);
    EXPECT_TRUE (token.startsWithChar ('{') && token.endsWithChar ('}'));
    first.close();

    // The same token is welcomed back; a token the host never granted gets a new session.
    TestClient second;
    EXPECT_EQ (second.introduce (sim.getPort(), token), token);
    TestClient third;
    const auto fresh = third.introduce (sim.getPort(), "{00000000-0000-0000-0000-000000000000}");
    EXPECT_TRUE (fresh.isNotEmpty());
    EXPECT_NE (fresh, token);

    // Two clients at once both get answers.
    EXPECT_TRUE (second.send (TestClient::callMethod (1, "ORV_Test", "echo", "two")));
    EXPECT_TRUE (third.send (TestClient::callMethod (1, "ORV_Test", "echo", "three")));
    EXPECT_EQ (second.receiveJson()["returnValue"]["methodRes"], juce::var ("two"));
    EXPECT_EQ (third.receiveJson()["returnValue"]["methodRes"], juce::var ("three"));

    juce::StringArray outcomes;

    for (const auto& e : sim.events ("introduction"))
        outcomes.add (e["outcome"].toString());

    EXPECT_EQ (outcomes.joinIntoString (","), "granted,resumed,tokenUnknown");
}

TEST (ServerProtocol, BadIntroductionsAreDeniedAndClosed)
{
    test::SimHarness sim;
    const juce::String bad[] = {
        "not json at all",
        TestClient::callMethod (1, "ORV_Test", "echo", 1),
        "{\"message\": \"connect\", \"clientName\": \"OrvanaSuite\", \"handshakeVersion\": \"1.0\"}",
        "{\"message\": \"connect\", \"clientName\": \"OrvanaSuite\", \"handshakeVersion\": \"1.0\", \"plugins\": [\"ORV\"]}",
        "{\"message\": \"connect\", \"handshakeVersion\": \"1.0\", \"plugins\": [\"ORX\"]}",
        "{\"message\": \"connect\", \"clientName\": \"OrvanaSuite\", \"plugins\": [\"ORX\"]}",
    };

    for (const auto& text : bad)
    {
        TestClient client;
        ASSERT_TRUE (client.connect (sim.getPort()));
        ASSERT_TRUE (client.send (text));
        EXPECT_EQ (client.receive(), juce::String ("{\"message\": \"connectResponse\", \"result\": false}")) << text;
        EXPECT_FALSE (client.receive().has_value());
        EXPECT_EQ (client.getEnding(), TestClient::Ending::closeFrame) << text;
    }

    EXPECT_EQ (sim.events ("introduction").size(), 6);
}

TEST (ServerProtocol, CallMethodRepliesWithIdAndResult)
{
    test::SimHarness sim;
    TestClient client;
    ASSERT_TRUE (client.introduce (sim.getPort()).isNotEmpty());

    const auto argument = test::object ({{"dataStr", "1,4,W,0,1,,T,96"}, {"flag", true}});

    const auto request = TestClient::callMethod (7, "ORV_Test", "echo", argument);
    ASSERT_TRUE (client.send (request));
    EXPECT_EQ (client.receive(),
               juce::String ("{\"returnValue\": {\"msgId\": 7, \"methodRes\": {\"dataStr\": \"1,4,W,0,1,,T,96\", \"flag\": true}}}"));

    // Unknown plug-in or method: a null result, and the log says which.
    ASSERT_TRUE (client.send (TestClient::callMethod (8, "ORV_Missing", "init", argument)));
    EXPECT_EQ (client.receive(), juce::String ("{\"returnValue\": {\"msgId\": 8, \"methodRes\": null}}"));
    ASSERT_TRUE (client.send (TestClient::callMethod (9, "ORV_Test", "nothing", {})));
    EXPECT_EQ (client.receive(), juce::String ("{\"returnValue\": {\"msgId\": 9, \"methodRes\": null}}"));

    // The engine's own methods through callMethod.
    ASSERT_TRUE (client.send (TestClient::callMethod (10, "ORX", "connectRequest", {})));
    EXPECT_EQ (client.receiveJson()["returnValue"]["methodRes"]["connected"], juce::var (true));
    ASSERT_TRUE (client.send (TestClient::callMethod (11, "ORX", "HandleGuestRequest", {})));
    EXPECT_EQ (client.receiveJson()["returnValue"]["msgId"], juce::var (11));

    // Messages that are not invocations are ignored, the connection stays.
    ASSERT_TRUE (client.send ("{\"message\": \"invokePlugin\", \"name\": \"ORV_Test\", \"method\": \"callMethod\", \"args\": [1]}"));
    ASSERT_TRUE (client.send ("{\"message\": \"invokePlugin\", \"name\": \"ORX\", \"method\": \"callMethod\", \"args\": 5}"));
    ASSERT_TRUE (client.send ("[1, 2"));
    EXPECT_FALSE (client.receive (150).has_value());
    ASSERT_TRUE (client.send (TestClient::callMethod (12, "ORV_Test", "echo", 12)));
    EXPECT_EQ (client.receiveJson()["returnValue"]["msgId"], juce::var (12));

    // The log holds exactly what was received and sent.
    ASSERT_TRUE (sim.waitForEvents ("sent", 7));
    EXPECT_EQ (sim.events ("received")[1]["text"].toString(), request);
    EXPECT_EQ (sim.events ("sent")[1]["text"].toString(),
               "{\"returnValue\": {\"msgId\": 7, \"methodRes\": {\"dataStr\": \"1,4,W,0,1,,T,96\", \"flag\": true}}}");
    EXPECT_EQ (sim.events ("ignored").size(), 3);
    EXPECT_EQ (sim.events ("unknownMethod").size(), 2);
}

TEST (ServerProtocol, RepliesGoOutInTheOrderRequestsComplete)
{
    test::SimHarness sim;
    TestClient client;
    ASSERT_TRUE (client.introduce (sim.getPort()).isNotEmpty());

    ASSERT_TRUE (client.send (TestClient::callMethod (1, "ORV_Test", "delay", test::object ({{"ms", 300}}))));
    ASSERT_TRUE (client.send (TestClient::callMethod (2, "ORV_Test", "echo", 2)));
    ASSERT_TRUE (client.send (TestClient::callMethod (3, "ORV_Test", "delay", test::object ({{"ms", 100}}))));
    ASSERT_TRUE (client.send (TestClient::callMethod (4, "ORV_Test", "echo", 4)));

    juce::StringArray order;

    for (int i = 0; i < 4; ++i)
        order.add (client.receiveJson()["returnValue"]["msgId"].toString());

    EXPECT_EQ (order.joinIntoString (","), "2,4,3,1");
}

TEST (ServerFaults, RefuseAndListenAgain)
{
    test::SimHarness sim;
    const auto port = sim.getPort();
    ASSERT_TRUE (sim.faults.apply ("refuse").wasOk());
    ASSERT_TRUE (sim.waitForEvents ("refusing", 1));

    TestClient refused;
    EXPECT_FALSE (refused.connect (port));
    EXPECT_TRUE (refused.wasRefused()) << refused.getError();

    ASSERT_TRUE (sim.faults.apply ("refuse off").wasOk());
    ASSERT_TRUE (sim.waitForEvents ("listening", 2));
    TestClient welcome;
    EXPECT_TRUE (welcome.introduce (port).isNotEmpty());

    // Refusing from the start: not even the first connection gets through.
    test::SimHarness closed (test::makeRichScore(), false);
    ASSERT_TRUE (closed.faults.apply ("refuse").wasOk());
    ASSERT_TRUE (closed.server.start (0).wasOk());
    TestClient early;
    EXPECT_FALSE (early.connect (closed.getPort()));
    EXPECT_TRUE (early.wasRefused());
}

TEST (ServerFaults, CloseAfterMessages)
{
    test::SimHarness sim;
    ASSERT_TRUE (sim.faults.apply ("close-after 3").wasOk());

    TestClient client;
    ASSERT_TRUE (client.introduce (sim.getPort()).isNotEmpty());
    ASSERT_TRUE (client.send (TestClient::callMethod (1, "ORV_Test", "echo", 1)));
    EXPECT_TRUE (client.receive().has_value());
    ASSERT_TRUE (client.send (TestClient::callMethod (2, "ORV_Test", "echo", 2)));
    EXPECT_FALSE (client.receive().has_value());
    EXPECT_EQ (client.getEnding(), TestClient::Ending::reset) << client.getError();

    ASSERT_TRUE (sim.faults.apply ("close-after 2 clean").wasOk());
    TestClient polite;
    ASSERT_TRUE (polite.introduce (sim.getPort()).isNotEmpty());
    ASSERT_TRUE (polite.send (TestClient::callMethod (1, "ORV_Test", "echo", 1)));
    EXPECT_FALSE (polite.receive().has_value());
    EXPECT_EQ (polite.getEnding(), TestClient::Ending::closeFrame) << polite.getError();
}

TEST (ServerFaults, DelayDropMalformedAndUnknownIds)
{
    test::SimHarness sim;
    ASSERT_TRUE (sim.faults.apply ("delay 250").wasOk());
    TestClient client;
    ASSERT_TRUE (client.connect (sim.getPort()));
    ASSERT_TRUE (client.send (TestClient::introduction()));
    EXPECT_FALSE (client.receive (80).has_value()) << "the introduction is delayed too";
    EXPECT_EQ (client.receiveJson (2000)["result"], juce::var (true));

    ASSERT_TRUE (client.send (TestClient::callMethod (1, "ORV_Test", "echo", 1)));
    EXPECT_FALSE (client.receive (100).has_value());
    EXPECT_EQ (client.receiveJson (2000)["returnValue"]["msgId"], juce::var (1));
    ASSERT_TRUE (sim.faults.apply ("delay off").wasOk());

    // Replies are counted per connection: a fresh client starts at 1.
    TestClient second;
    ASSERT_TRUE (second.introduce (sim.getPort()).isNotEmpty());
    ASSERT_TRUE (sim.faults.apply ("drop 2").wasOk());

    for (int id = 1; id <= 4; ++id)
        ASSERT_TRUE (second.send (TestClient::callMethod (id, "ORV_Test", "echo", id)));

    EXPECT_EQ (second.receiveJson()["returnValue"]["msgId"], juce::var (1));
    EXPECT_EQ (second.receiveJson()["returnValue"]["msgId"], juce::var (3));
    EXPECT_FALSE (second.receive (150).has_value());
    ASSERT_TRUE (sim.faults.apply ("clear").wasOk());

    TestClient third;
    ASSERT_TRUE (third.introduce (sim.getPort()).isNotEmpty());
    ASSERT_TRUE (sim.faults.apply ("unknown-id 1").wasOk());
    ASSERT_TRUE (third.send (TestClient::callMethod (5, "ORV_Test", "echo", 5)));
    const auto unknown = third.receiveJson();
    EXPECT_EQ (unknown["returnValue"]["msgId"], juce::var (1000005));
    EXPECT_EQ (unknown["returnValue"]["methodRes"], juce::var (5));

    ASSERT_TRUE (sim.faults.apply ("unknown-id off").wasOk());
    ASSERT_TRUE (sim.faults.apply ("malformed 2").wasOk());
    ASSERT_TRUE (third.send (TestClient::callMethod (6, "ORV_Test", "echo", 6)));
    const auto broken = third.receive();
    ASSERT_TRUE (broken.has_value());
    juce::var parsed;
    EXPECT_TRUE (juce::JSON::parse (*broken, parsed).failed()) << *broken;
    EXPECT_TRUE (juce::String ("{\"returnValue\": {\"msgId\": 6, \"methodRes\": 6}}").startsWith (*broken));
    ASSERT_TRUE (third.send (TestClient::callMethod (7, "ORV_Test", "echo", 7)));
    EXPECT_EQ (third.receiveJson()["returnValue"]["msgId"], juce::var (7));

    EXPECT_EQ (sim.events ("fault").size(), 4);
}

TEST (ServerFaults, DenyNoTokenReplyAndForgetTokens)
{
    test::SimHarness sim;
    TestClient first;
    const auto token = first.introduce (sim.getPort());
    ASSERT_TRUE (token.isNotEmpty());

    ASSERT_TRUE (sim.faults.apply ("deny").wasOk());
    TestClient denied;
    ASSERT_TRUE (denied.connect (sim.getPort()));
    ASSERT_TRUE (denied.send (TestClient::introduction (token)));
    EXPECT_EQ (denied.receive(), juce::String ("{\"message\": \"connectResponse\", \"result\": false}"));
    EXPECT_FALSE (denied.receive().has_value());
    EXPECT_EQ (denied.getEnding(), TestClient::Ending::closeFrame);
    ASSERT_TRUE (sim.faults.apply ("deny off").wasOk());

    // A token presented while the host stays silent: no reply at all, invocations ignored too.
    ASSERT_TRUE (sim.faults.apply ("no-token-reply").wasOk());
    TestClient silent;
    ASSERT_TRUE (silent.connect (sim.getPort()));
    ASSERT_TRUE (silent.send (TestClient::introduction (token)));
    EXPECT_FALSE (silent.receive (200).has_value());
    ASSERT_TRUE (silent.send (TestClient::callMethod (1, "ORV_Test", "echo", 1)));
    EXPECT_FALSE (silent.receive (150).has_value());
    EXPECT_EQ (silent.getEnding(), TestClient::Ending::open);

    // Without a token the introduction is still answered.
    TestClient plain;
    EXPECT_TRUE (plain.introduce (sim.getPort()).isNotEmpty());
    ASSERT_TRUE (sim.faults.apply ("no-token-reply off").wasOk());

    // After a host restart the old token is unknown: the client gets a new session.
    ASSERT_TRUE (sim.faults.apply ("forget-tokens").wasOk());
    EXPECT_EQ (sim.tokens.size(), 0);
    TestClient afterRestart;
    const auto renewed = afterRestart.introduce (sim.getPort(), token);
    EXPECT_TRUE (renewed.isNotEmpty());
    EXPECT_NE (renewed, token);
}
