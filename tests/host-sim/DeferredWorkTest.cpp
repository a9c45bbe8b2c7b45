// Deferred work: jobs that run after a method's reply has gone out, in the
// order they are due, under the host's lock, posting host messages.
#include "channel/ChannelFiles.h"
#include "support/SimHarness.h"
#include "support/TestClient.h"

#include <gtest/gtest.h>

using namespace hostsim;
using test::TestClient;

namespace
{
constexpr const char* exporter = "ORV_Forkel";

/** Seq numbers of the logged events of a kind. */
std::vector<int> seqs (const test::SimHarness& sim, const juce::String& kind)
{
    std::vector<int> result;

    for (const auto& e : sim.events (kind))
        result.push_back (e["seq"]);

    return result;
}

/** The host outbox's message texts after the id, in order: "FK.STEM_EXPORT_STATUS|...". */
juce::StringArray outboxMessages (const test::SimHarness& sim)
{
    juce::StringArray messages;

    for (const auto& line : channel::splitLines (sim.stateFile (channel::hostOutboxFileName).loadFileAsString()))
        if (line.isNotEmpty())
            messages.add (line.fromFirstOccurrenceOf (":", false, false));

    return messages;
}

/** An export that reports each stem a little later, as a host renders them one by one. */
void installExporter (PluginRegistry& registry)
{
    PluginSetup setup (registry, "Forkel");
    setup.method ("exportStems", [] (MethodCall& call)
                  {
        const int count = call.argument["count"];
        call.host.defer (0, [] (HostAccess& host) { host.postHostMessage ("FK", "STEM_EXPORT_STATUS", "{\"stemId\": \"0\", \"status\": \"Processing\"}"); });

        for (int i = 1; i <= count; ++i)
            call.host.defer (30 * i, [i] (HostAccess& host) {
                host.postHostMessage ("FK", "STEM_EXPORT_STATUS", "{\"stemId\": \"" + juce::String (i) + "\", \"status\": \"Exported\"}");
            });

        return juce::var ("started"); });
}
} // namespace

TEST (DeferredWork, JobsRunAfterTheReplyWasSentAndPostTheirMessagesInOrder)
{
    test::SimHarness sim;
    installExporter (sim.registry);
    sim.faults.apply ("delay 150"); // the reply waits; the jobs wait for it

    TestClient client;
    ASSERT_TRUE (client.introduce (sim.getPort()).isNotEmpty());
    ASSERT_TRUE (client.send (TestClient::callMethod (5, exporter, "exportStems", test::object ({{"count", 3}}))));

    const auto reply = client.receiveJson (3000);
    EXPECT_EQ (reply["returnValue"]["methodRes"], juce::var ("started"));
    ASSERT_TRUE (sim.waitForEvents ("hostOutbox", 4, 5000));
    ASSERT_TRUE (sim.engine.getDeferredWork().waitUntilIdle (5000));

    EXPECT_EQ (outboxMessages (sim), (juce::StringArray{R"(FK.STEM_EXPORT_STATUS|{"stemId": "0", "status": "Processing"})",
                                                        R"(FK.STEM_EXPORT_STATUS|{"stemId": "1", "status": "Exported"})",
                                                        R"(FK.STEM_EXPORT_STATUS|{"stemId": "2", "status": "Exported"})",
                                                        R"(FK.STEM_EXPORT_STATUS|{"stemId": "3", "status": "Exported"})"}));

    // The reply (the second "sent": the first answers the introduction) came before every job's message.
    const auto sent = seqs (sim, "sent");
    const auto posted = seqs (sim, "hostOutbox");
    ASSERT_EQ (sent.size(), 2u);
    EXPECT_LT (sent[1], posted.front());
    EXPECT_EQ (sim.launcher.getLaunchCount(), 4) << "every message launches the suite, as a host plug-in's does";
    EXPECT_EQ (sim.events ("deferredRun").size(), 4);
}

TEST (DeferredWork, DueTimesThenDeferralOrderAndChainedJobs)
{
    test::SimHarness sim ({}, false);
    juce::StringArray ran;
    std::mutex ranMutex;
    const auto note = [&] (const juce::String& what)
    {
        std::lock_guard<std::mutex> lock (ranMutex);
        ran.add (what);
    };

    PluginSetup setup (sim.registry, "Layvo");
    setup.method ("work", [&] (MethodCall& call)
                  {
        call.host.defer (1500, [&] (HostAccess&) { note ("late"); });
        call.host.defer (0, [&] (HostAccess&) { note ("first"); });
        call.host.defer (30, [&] (HostAccess& host) {
            note ("middle");
            // Work a job defers waits from the job's end: due at once, long before "edited".
            host.defer (0, [&] (HostAccess&) { note ("chained"); });
        });
        call.host.defer (0, [&] (HostAccess&) { note ("second"); });
        call.host.defer (10, [&] (HostAccess& host) {
            host.editScore().title = "half";
            throw std::runtime_error ("render failed");
        });
        call.host.defer (1000, [&] (HostAccess& host) {
            host.editScore().title = "laid out";
            note ("edited");
        });
        return juce::var(); });

    {
        auto outcome = sim.engine.call ("ORV_Layvo", "work", {});
        ASSERT_TRUE (outcome.known);
        juce::Thread::sleep (100);
        EXPECT_TRUE (ran.isEmpty()) << "nothing runs while the reply is held back";
    } // the reply holder lets go: the jobs are released

    ASSERT_TRUE (sim.engine.getDeferredWork().waitUntilIdle (5000));
    EXPECT_EQ (ran, (juce::StringArray{"first", "second", "middle", "chained", "edited", "late"}));

    // The failing job left nothing behind; the editing one made an undo step named after the method.
    ASSERT_EQ (sim.events ("deferredFailed").size(), 1);
    EXPECT_EQ (sim.events ("deferredFailed")[0]["error"].toString(), "render failed");
    EXPECT_EQ (sim.host.getScore().title, "laid out");
    EXPECT_EQ (sim.host.undo(), std::optional<juce::String> ("ORV_Layvo.work"));
    EXPECT_EQ (sim.host.getScore().title, "");
}

TEST (DeferredWork, SuiteMessageHandlersPostAndDeferAndStoppingDropsWhatWaits)
{
    test::SimHarness sim ({}, false);
    PluginSetup setup (sim.registry, "Keyvane");
    setup.guestMessage ("KV.Apply", [] (const channel::GuestMessage& message, HostAccess& host)
                        {
        host.editScore().title = message.data;
        host.postHostMessage ("KV", "UPDATE_SOURCE_KEY", "{\"srcKeyName\": \"D\", \"srcKeyIsMajor\": true}");
        host.defer (20, [] (HostAccess& later) { later.postHostMessage ("KV", "DONE", "1"); });
        host.defer (100000, [] (HostAccess& never) { never.postHostMessage ("KV", "NEVER", ""); }); });

    const auto outbox = sim.stateFile (channel::guestOutboxFileName);
    outbox.getParentDirectory().createDirectory();
    outbox.replaceWithText ("G1:KV.Apply|Transposed\r\n");
    EXPECT_EQ (sim.engine.handleGuestRequest(), 1);
    EXPECT_EQ (sim.host.getScore().title, "Transposed");
    ASSERT_TRUE (sim.waitForEvents ("hostOutbox", 2, 5000));
    EXPECT_EQ (outboxMessages (sim), (juce::StringArray{R"(KV.UPDATE_SOURCE_KEY|{"srcKeyName": "D", "srcKeyIsMajor": true})", "KV.DONE|1"}));
    EXPECT_EQ (sim.host.undo(), std::optional<juce::String> ("message KV.Apply"));

    sim.engine.getDeferredWork().stop();
    EXPECT_EQ (sim.events ("deferredDropped").size(), 1);
    sim.engine.getDeferredWork().schedule ("late", {{0, [] (HostAccess&) {}}});
    EXPECT_EQ (sim.events ("deferredDropped").size(), 2) << "work offered after the stop is refused, not lost silently";
}
