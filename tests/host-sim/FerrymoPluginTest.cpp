// The MIDI clip transfer product's plug-in substitute: the payloads it builds
// from the open score for the selection and for the whole score.
#include "plugins/FerrymoPlugin.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
juce::var automationArgument (const juce::var& value)
{
    return test::object ({{"includeAutomation", value}});
}

using test::compact;
} // namespace

TEST (FerrymoPlugin, SelectionBringsItsBarsAndStavesWithNotes)
{
    test::SimHarness sim (test::makeRichScore(), false);
    const auto call = sim.engine.call (ferrymoPluginName, "fetchMidi", automationArgument (false));
    ASSERT_TRUE (call.known);
    const auto& payload = call.result;

    EXPECT_EQ (payload["success"], juce::var (true));
    EXPECT_EQ (compact (payload["barList"]),
               R"([{"barNumber": 2, "length": 1024, "meter": "4/4"}, {"barNumber": 3, "length": 768, "meter": "3/4"}])");

    ASSERT_EQ (payload["staffList"].size(), 2) << "staves 1 and 2 are selected";
    const auto violin = payload["staffList"][0];
    EXPECT_EQ (violin["header"]["fullInstrumentName"].toString(), "Violin I");
    EXPECT_EQ (violin["header"]["shortInstrumentName"].toString(), "Vln. I");
    // The violin has content in bars 1 and 3; only bar 3 is selected, and it holds MIDI messages only.
    EXPECT_EQ (compact (violin["staffBarList"]), R"([{"barNumber": 3, "potList": [], "commandList": []}])");

    const auto cello = payload["staffList"][1];
    EXPECT_EQ (compact (cello["staffBarList"]),
               R"([{"barNumber": 2, "potList": [{"position": 0, "duration": 1024, "noteList": [{"pitch": 36}]}], "commandList": []}])");
}

TEST (FerrymoPlugin, AutomationIsIncludedOnlyWhenAskedFor)
{
    auto score = test::makeRichScore();
    score.selection = {1, 1, {1}};
    test::SimHarness sim (score, false);

    for (const auto& yes : {juce::var (true), juce::var ("1"), juce::var ("true"), juce::var (1)})
    {
        const auto payload = sim.engine.call (ferrymoPluginName, "fetchMidi", automationArgument (yes)).result;
        const auto bar = payload["staffList"][0]["staffBarList"][0];
        EXPECT_EQ (compact (bar["commandList"]),
                   R"([{"position": 0, "text": "~C7,100"}, {"position": 512, "text": "~-C7,90"}, {"position": 768, "text": "~B0,64"}])")
            << compact (yes);
        EXPECT_EQ (bar["potList"].size(), 2);
        EXPECT_EQ (compact (bar["potList"][0]["noteList"]), R"([{"pitch": 67}, {"pitch": 71}])");
    }

    for (const auto& no : {juce::var (false), juce::var ("0"), juce::var(), juce::var ("maybe")})
    {
        const auto payload = sim.engine.call (ferrymoPluginName, "fetchMidi", automationArgument (no)).result;
        EXPECT_EQ (payload["staffList"][0]["staffBarList"][0]["commandList"].size(), 0) << compact (no);
    }

    // No argument at all: no automation, and no failure.
    EXPECT_EQ (sim.engine.call (ferrymoPluginName, "fetchMidi", {}).result["success"], juce::var (true));

    // Nothing selected is a failure with a reason; the whole score does not depend on the selection.
    sim.host.select ({});
    const auto payload = sim.engine.call (ferrymoPluginName, "fetchMidi", automationArgument (true)).result;
    EXPECT_EQ (payload["success"], juce::var (false));
    EXPECT_EQ (payload["error"].toString(), ferrymoNoSelectionText);
    EXPECT_FALSE (payload.hasProperty ("barList"));
    EXPECT_EQ (sim.engine.call (ferrymoPluginName, "fetchFullScoreMidi", automationArgument (true)).result["success"], juce::var (true));
}

TEST (FerrymoPlugin, FullScoreBringsEveryBarAndStaff)
{
    test::SimHarness sim (test::makeRichScore(), false);
    const auto payload = sim.engine.call (ferrymoPluginName, "fetchFullScoreMidi", automationArgument (true)).result;

    ASSERT_EQ (payload["barList"].size(), 4);
    EXPECT_EQ (payload["barList"][3]["barNumber"], juce::var (4)) << "internal bar numbers, not the printed ones";
    EXPECT_EQ (payload["barList"][2]["meter"].toString(), "3/4");

    ASSERT_EQ (payload["staffList"].size(), 3);
    EXPECT_EQ (compact (payload["staffList"][2]), R"({"header": {"fullInstrumentName": "Percussion", "shortInstrumentName": ""}, "staffBarList": []})");

    const auto violinBars = payload["staffList"][0]["staffBarList"];
    ASSERT_EQ (violinBars.size(), 2);
    EXPECT_EQ (compact (violinBars[1]["commandList"]), R"([{"position": 0, "text": "~N60,100"}, {"position": 256, "text": "~N60,0"}])");
    EXPECT_EQ (compact (violinBars[0]["potList"][1]), R"({"position": 256, "duration": 85, "noteList": [{"pitch": 69}]})");

    // The engine logs the calls like any other plug-in's.
    EXPECT_EQ (sim.events ("call").getLast()["plugin"].toString(), ferrymoPluginName);
}
