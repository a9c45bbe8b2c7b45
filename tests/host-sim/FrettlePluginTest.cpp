// The guitar chord-diagram product's plug-in substitute: chord info read
// from names (fields, normalised text, slash basses, refusals), and the
// chord and diagram "apply" writes, with its failures and undo.
#include "plugins/FrettlePlugin.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
juce::var nameArgument (const juce::String& name)
{
    return test::object ({{"name", name}});
}

} // namespace

TEST (FrettlePlugin, ChordInfoCarriesEveryFieldAndTheNormalisedName)
{
    auto score = test::makeRichScore();
    score.selection = {3, 4, {2}};
    test::SimHarness sim (score, false);

    const auto info = sim.engine.call (frettlePluginName, "requestChordInfo", nameArgument (" C#m7 / G# ")).result;
    EXPECT_EQ (info["success"], juce::var (true));
    EXPECT_EQ (info["chordNameAsPlainText"], "C#m7/G#");
    EXPECT_EQ (info["chromaticRoot"], juce::var (61));
    EXPECT_EQ (info["chromaticBass"], juce::var (56));
    EXPECT_EQ (info["barId"], juce::var (3));
    EXPECT_EQ (info["pos"], juce::var (0));
    EXPECT_EQ (test::compact (info["pitchList"]), "[61, 64, 68, 71]") << "G# is the chord's fifth: not added again";
    EXPECT_TRUE (info["suffixList"].getArray() != nullptr && info["suffixList"].getArray()->contains ("/"));

    // A bass outside the chord sounds too; unicode signs become "#" and "b".
    const auto slash = sim.engine.call (frettlePluginName, "requestChordInfo", nameArgument (juce::String::fromUTF8 ("B\xe2\x99\xadmaj7/C"))).result;
    EXPECT_EQ (slash["chordNameAsPlainText"], "Bbmaj7/C");
    EXPECT_EQ (test::compact (slash["pitchList"]), "[70, 74, 77, 81, 48]");

    for (const auto* garbage : {"", "H7", "c", "Cfoo", "/"})
    {
        const auto refused = sim.engine.call (frettlePluginName, "requestChordInfo", nameArgument (garbage)).result;
        EXPECT_EQ (refused["success"], juce::var (false)) << garbage;
        EXPECT_TRUE (refused["error"].toString().isNotEmpty()) << garbage;
    }

    sim.host.select ({});
    EXPECT_EQ (sim.engine.call (frettlePluginName, "requestChordInfo", nameArgument ("G")).result["barId"], juce::var (0));
}

TEST (FrettlePlugin, ApplyWritesTheChordAndItsDiagramAtTheSelectionStart)
{
    auto score = test::makeRichScore();
    score.selection = {2, 2, {1}};
    test::SimHarness sim (score, false);
    const auto before = sim.host.getScore();

    const auto argument = test::object ({{"pitches", juce::JSON::parse ("[64, 60, 55, 52, 48, \"x\", 300]")},
                                         {"fingering", R"({"name": "C", "stringModes": [{"stringNumber": 6, "stringMode": "Muted"}, )"
                                                       R"({"stringNumber": 3, "stringMode": "Open"}, {"stringNumber": 1, "stringMode": "Open"}], )"
                                                       R"("playingSpots": [{"fretNumber": 3, "stringNumber": 5}, {"fretNumber": 2, "stringNumber": 4}, )"
                                                       R"({"fretNumber": 1, "stringNumber": 2}]})"},
                                         {"name", "C"}});
    EXPECT_EQ (sim.engine.call (frettlePluginName, "apply", argument).result["success"], juce::var (true));

    const auto after = sim.host.getScore();
    const auto* bar = after.findStaff (1)->findBar (2);
    ASSERT_NE (bar, nullptr);
    ASSERT_FALSE (bar->noteGroups.empty());
    EXPECT_EQ (bar->noteGroups.front().position, 0);
    juce::StringArray pitches;

    for (const auto& note : bar->noteGroups.front().notes)
        pitches.add (juce::String (note.pitch));

    EXPECT_EQ (pitches.joinIntoString (" "), "64 60 55 52 48") << "numbers outside 0..127 and text are left out";
    ASSERT_EQ (after.items.size(), before.items.size() + 1);
    const auto& diagram = after.items.back();
    EXPECT_EQ (diagram.kind, "chordDiagram");
    EXPECT_EQ (diagram.text, "C");
    EXPECT_EQ (diagram.bar, 2);
    EXPECT_EQ (test::compact (diagram.properties["frets"]), "[-1, 3, 2, 0, 1, 0]");

    sim.host.undo();
    EXPECT_TRUE (sim.host.getScore().sameContent (before));

    argument.getDynamicObject()->setProperty ("pitches", juce::JSON::parse ("[]"));
    EXPECT_EQ (sim.engine.call (frettlePluginName, "apply", argument).result["success"], juce::var (false));
    EXPECT_EQ (sim.engine.call (frettlePluginName, "preview", argument).result["success"], juce::var (true));

    sim.host.select ({});
    const auto refused = sim.engine.call (frettlePluginName, "apply", argument).result;
    EXPECT_EQ (refused["error"], frettleNoSelectionText);
    EXPECT_TRUE (sim.host.getScore().sameContent (before));
}
