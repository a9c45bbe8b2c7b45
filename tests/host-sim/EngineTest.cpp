#include "channel/ChannelFiles.h"
#include "plugins/TestPlugin.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

TEST (Engine, DispatchesToPluginMethodsOnTheScore)
{
    test::SimHarness sim (test::makeRichScore(), false);
    auto& engine = sim.engine;

    const auto argument = test::object ({{"dataStr", "3,M"}, {"list", juce::Array<juce::var>{1, "two", 3.5}}});

    const auto echo = engine.call (testPluginName, "echo", argument);
    EXPECT_TRUE (echo.known);
    EXPECT_EQ (juce::JSON::toString (echo.result, true), juce::JSON::toString (argument, true));
    EXPECT_EQ (echo.replyDelayMs, 0);

    EXPECT_EQ (engine.call (testPluginName, "scoreInfo", {}).result["notes"], juce::var (4));
    const auto selection = engine.call (testPluginName, "selection", {});
    EXPECT_EQ (juce::JSON::toString (selection.result, true), "{\"firstBar\": 2, \"lastBar\": 3, \"staves\": [1, 2]}");

    EXPECT_EQ (engine.call (testPluginName, "delay", juce::JSON::parse ("{\"ms\": 250}")).replyDelayMs, 250);

    for (const auto& [plugin, method] : {std::pair<const char*, const char*>{"ORV_Test", "nope"}, {"ORV_Nobody", "echo"}, {"ORX", "echo"}})
    {
        const auto unknown = engine.call (plugin, method, argument);
        EXPECT_FALSE (unknown.known);
        EXPECT_TRUE (unknown.result.isVoid());
    }

    ASSERT_EQ (sim.events ("unknownMethod").size(), 3);
    EXPECT_EQ (sim.events ("unknownMethod")[1]["plugin"].toString(), "ORV_Nobody");

    const auto connect = engine.call ("ORX", "connectRequest", {});
    EXPECT_EQ (connect.result["connected"], juce::var (true));
    EXPECT_EQ (connect.result["hostVersion"], juce::var (20240300));
}

TEST (Engine, HandlerFailuresStayInTheHandler)
{
    test::SimHarness sim ({}, false);
    sim.registry.addMethod ("ORV_Broken", "boom", [] (MethodCall&) -> juce::var
                            { throw std::runtime_error ("kaput"); });
    sim.registry.addMethod ("ORV_Editor", "rename", [] (MethodCall& call)
                            {
        call.host.editScore().title = call.argument.toString();
        call.host.postHostMessage ("ORV", "REFRESH", "{}");
        return juce::var (true); });

    const auto broken = sim.engine.call ("ORV_Broken", "boom", {});
    EXPECT_TRUE (broken.known);
    EXPECT_TRUE (broken.result.isVoid());
    ASSERT_EQ (sim.events ("methodFailed").size(), 1);
    EXPECT_EQ (sim.events ("methodFailed")[0]["error"].toString(), "kaput");

    int changes = 0;
    sim.host.setChangeCallback ([&changes]
                                { ++changes; });
    EXPECT_EQ (sim.engine.call ("ORV_Editor", "rename", "Renamed").result, juce::var (true));
    EXPECT_EQ (sim.host.getScore().title, "Renamed");
    EXPECT_EQ (changes, 1);
    EXPECT_EQ (sim.stateFile (channel::hostOutboxFileName).loadFileAsString(), "H1:ORV.REFRESH|{}\r\n");
}

TEST (Engine, GuestRequestStoresScoreStatesAndRoutesMessages)
{
    test::SimHarness sim ({}, false);
    juce::StringArray applied;
    sim.registry.addGuestMessageHandler ("KV.Apply", [&applied] (const channel::GuestMessage& m, HostAccess&)
                                         { applied.add (m.data); });

    const auto outbox = sim.stateFile (channel::guestOutboxFileName);
    outbox.getParentDirectory().createDirectory();
    outbox.replaceWithText ("G1:ORX.StoreScoreState|FK|<FK_SCORE_STATE>\r\n  <STEM id=\"1\"/>\r\n</FK_SCORE_STATE>\r\n"
                            "G2:KV.Apply|subAction:1\r\n"
                            "G3:ORX.StoreScoreState|no code here\r\n"
                            "G4:ORX.StoreScoreState|TSL|<TSL/>\r\n"
                            "G5:SD.Unknown|ignored\r\n");

    // Through the protocol's own path: plug-in "ORX", method "HandleGuestRequest".
    const auto outcome = sim.engine.call ("ORX", "HandleGuestRequest", {});
    EXPECT_EQ (outcome.result["read"], juce::var (5));

    const auto states = sim.host.getScore().productStates;
    ASSERT_EQ (states.size(), 2u);
    EXPECT_EQ (states.at ("FK"), "<FK_SCORE_STATE>\n  <STEM id=\"1\"/>\n</FK_SCORE_STATE>");
    EXPECT_EQ (states.at ("TSL"), "<TSL/>");
    EXPECT_EQ (applied, juce::StringArray ("subAction:1"));
    EXPECT_EQ (sim.events ("guestMessage").size(), 5);
    EXPECT_EQ (sim.events ("guestMessageIgnored").size(), 1);
    EXPECT_EQ (sim.stateFile (channel::hostCommStateFileName).loadFileAsString(), "lastReceived=G5\r\n");

    EXPECT_EQ (sim.engine.handleGuestRequest(), 0);
}

TEST (Engine, RunningAProductPluginPostsItsTrigger)
{
    test::SimHarness sim ({}, false);
    sim.registry.setTriggerData ("LY", [] (const HostState& state)
                                 { return "{\"name\": \"" + state.score.title + "\", \"isMajor\": true}"; });
    sim.host.withState ([] (HostState& s)
                        { s.score.title = "Eb"; });

    ASSERT_TRUE (sim.engine.runProductPlugin ("LY").wasOk());
    ASSERT_TRUE (sim.engine.runProductPlugin ("ORV", juce::String ("given data")).wasOk());
    EXPECT_TRUE (sim.engine.runProductPlugin ("NOPE").failed());
    EXPECT_TRUE (sim.engine.runProductPlugin ("orv").failed());

    EXPECT_EQ (sim.stateFile (channel::hostOutboxFileName).loadFileAsString(),
               "H1:LY.USER_TRIGGER|{\"name\": \"Eb\", \"isMajor\": true}\r\nH2:ORV.USER_TRIGGER|given data\r\n");
    EXPECT_EQ (sim.stateFile (channel::hostVersionFileName).loadFileAsString(), "20240300\r\n");
    EXPECT_EQ (sim.launcher.getLaunchCount(), 2);
    ASSERT_EQ (sim.events ("runPlugin").size(), 2);
    EXPECT_EQ (sim.events ("runPlugin")[0]["plugin"].toString(), "ORV_Lyrel");

    // Without a suite folder there is no channel: a clear failure, nothing written.
    Engine lonely (sim.host, sim.registry, sim.log, nullptr, 20240300);
    EXPECT_TRUE (lonely.runProductPlugin ("ORV").failed());
    EXPECT_EQ (lonely.handleGuestRequest(), 0);
}
