// Faults of single plug-in methods: a reply that never comes, one that comes
// late, and a failure answered before the method runs.
#include "support/SimHarness.h"
#include "support/TestClient.h"

#include <gtest/gtest.h>

using namespace hostsim;
using test::TestClient;

namespace
{
/** A connected client that calls methods by id. */
struct Caller
{
    explicit Caller (const test::SimHarness& sim) { ok = client.introduce (sim.getPort()).isNotEmpty(); }

    bool call (int id, const char* plugin, const char* method, const juce::var& argument = {})
    {
        return client.send (TestClient::callMethod (id, plugin, method, argument));
    }

    TestClient client;
    bool ok = false;
};

int counter = 0;

void installCounter (PluginRegistry& registry)
{
    PluginSetup setup (registry, "Lyrel");
    setup.method ("apply", [] (MethodCall& call)
                  {
        ++counter;
        call.host.editScore().title = "applied " + juce::String (counter);
        return juce::var (counter); });
    setup.failureReply ([] (const juce::String& text)
                        { return test::object ({{"applied", false}, {"message", text}}); });
}
} // namespace

TEST (MethodFaults, DropAndDelayOneMethod)
{
    test::SimHarness sim;
    Caller caller (sim);
    ASSERT_TRUE (caller.ok);

    ASSERT_TRUE (sim.faults.apply ("drop-method echo").wasOk());
    ASSERT_TRUE (caller.call (1, "ORV_Test", "echo", "lost"));
    ASSERT_TRUE (caller.call (2, "ORV_Test", "scoreInfo"));
    const auto info = caller.client.receiveJson();
    EXPECT_EQ (info["returnValue"]["msgId"], juce::var (2)) << "other methods still answer";
    EXPECT_FALSE (caller.client.receive (300).has_value()) << "the dropped reply never comes";
    EXPECT_EQ (sim.events ("call").size(), 2) << "the dropped method ran";
    EXPECT_EQ (sim.events ("fault").getLast()["fault"].toString(), "drop-method");

    ASSERT_TRUE (sim.faults.apply ("drop-method echo off").wasOk());
    ASSERT_TRUE (caller.call (3, "ORV_Test", "echo", "back"));
    EXPECT_EQ (caller.client.receiveJson()["returnValue"]["methodRes"], juce::var ("back"));

    // A slowed method answers after a quicker one sent later.
    ASSERT_TRUE (sim.faults.apply ("delay-method ORV_Test.echo 400").wasOk());
    ASSERT_TRUE (caller.call (4, "ORV_Test", "echo", "slow"));
    ASSERT_TRUE (caller.call (5, "ORV_Test", "selection"));
    EXPECT_EQ (caller.client.receiveJson()["returnValue"]["msgId"], juce::var (5));
    EXPECT_EQ (caller.client.receiveJson (3000)["returnValue"]["msgId"], juce::var (4));
    EXPECT_EQ (sim.faults.get().describe(), "delay-method ORV_Test.echo 400");

    ASSERT_TRUE (sim.faults.apply ("clear").wasOk());
    EXPECT_TRUE (sim.faults.get().methodFaults.empty());
}

TEST (MethodFaults, FailureIsThePluginsEnvelopeAndTheMethodDoesNotRun)
{
    test::SimHarness sim;
    installCounter (sim.registry);
    counter = 0;
    Caller caller (sim);
    ASSERT_TRUE (caller.ok);

    ASSERT_TRUE (sim.faults.apply ("fail-method apply The harp is out of tune").wasOk());
    ASSERT_TRUE (sim.faults.apply ("fail-method selection Nothing to see").wasOk());
    ASSERT_TRUE (caller.call (1, "ORV_Lyrel", "apply"));
    EXPECT_EQ (juce::JSON::toString (caller.client.receiveJson()["returnValue"]["methodRes"], true),
               R"({"applied": false, "message": "The harp is out of tune"})");
    EXPECT_EQ (counter, 0);
    EXPECT_EQ (sim.host.getScore().title, test::makeRichScore().title) << "nothing changed";
    EXPECT_EQ (sim.events ("call").size(), 0);

    // Without an envelope of its own, a plug-in fails as {"success": false, "error": text}.
    ASSERT_TRUE (caller.call (2, "ORV_Test", "selection"));
    EXPECT_EQ (juce::JSON::toString (caller.client.receiveJson()["returnValue"]["methodRes"], true),
               R"({"success": false, "error": "Nothing to see"})");

    // The fault named with its plug-in wins over the one named by the method alone.
    ASSERT_TRUE (sim.faults.apply ("fail-method ORV_Lyrel.apply Pedal stuck").wasOk());
    ASSERT_TRUE (caller.call (3, "ORV_Lyrel", "apply"));
    EXPECT_EQ (caller.client.receiveJson()["returnValue"]["methodRes"]["message"], juce::var ("Pedal stuck"));
    EXPECT_EQ (sim.faults.get().describe(), "fail-method ORV_Lyrel.apply Pedal stuck, fail-method apply The harp is out of tune, "
                                            "fail-method selection Nothing to see");

    ASSERT_TRUE (sim.faults.apply ("fail-method ORV_Lyrel.apply off").wasOk());
    ASSERT_TRUE (sim.faults.apply ("fail-method apply off").wasOk());
    ASSERT_TRUE (caller.call (4, "ORV_Lyrel", "apply"));
    EXPECT_EQ (caller.client.receiveJson()["returnValue"]["methodRes"], juce::var (1));
    EXPECT_EQ (sim.host.getScore().title, "applied 1");

    // Faults combine per method: a late failure.
    ASSERT_TRUE (sim.faults.apply ("delay-method apply 200").wasOk());
    ASSERT_TRUE (sim.faults.apply ("fail-method apply Late and wrong").wasOk());
    ASSERT_TRUE (caller.call (5, "ORV_Lyrel", "apply"));
    ASSERT_TRUE (caller.call (6, "ORV_Test", "echo", 6));
    EXPECT_EQ (caller.client.receiveJson()["returnValue"]["msgId"], juce::var (6));
    EXPECT_EQ (caller.client.receiveJson (3000)["returnValue"]["methodRes"]["message"], juce::var ("Late and wrong"));
}

TEST (MethodFaults, CommandsAreCheckedAndDroppedRepliesStillReleaseDeferredWork)
{
    FaultState faults;

    for (const auto* bad : {"drop-method", "drop-method off", "drop-method echo sometimes", "delay-method echo",
                            "delay-method echo soon", "fail-method echo", "fail-method"})
        EXPECT_TRUE (faults.apply (bad).failed()) << bad;

    EXPECT_EQ (faults.get(), FaultSettings{});
    EXPECT_TRUE (faults.apply ("delay-method=fetchMidi=250").wasOk()) << "the command line's = stands for a space";
    EXPECT_EQ (faults.get().methodFaults.at ("fetchMidi").delayMs, 250);
    EXPECT_TRUE (faults.apply ("delay-method fetchMidi off").wasOk());
    EXPECT_TRUE (faults.get().methodFaults.empty()) << "a method without faults is forgotten";

    // A method whose reply is dropped still did its work, deferred part included.
    test::SimHarness sim;
    PluginSetup setup (sim.registry, "Tessel");
    setup.method ("partsProcedureRun", [] (MethodCall& call)
                  {
        call.host.defer (0, [] (HostAccess& host) { host.postHostMessage ("TSL", "PART_DONE", "0"); });
        return juce::var (true); });
    ASSERT_TRUE (sim.faults.apply ("drop-method partsProcedureRun").wasOk());
    Caller caller (sim);
    ASSERT_TRUE (caller.ok);
    ASSERT_TRUE (caller.call (1, "ORV_Tessel", "partsProcedureRun"));
    EXPECT_TRUE (sim.waitForEvents ("hostOutbox", 1, 5000));
    EXPECT_FALSE (caller.client.receive (200).has_value());
}
