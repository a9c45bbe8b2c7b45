// The harp pedalling product's plug-in substitute: its trigger data, the
// written-out run spelled by the pedals, the glissando and diagram items,
// and undo and redo of what it wrote.
#include "plugins/LyrelPlugin.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
NoteGroup group (int position, std::initializer_list<int> pitches, int duration = 256)
{
    NoteGroup g;
    g.position = position;
    g.duration = duration;

    for (const auto pitch : pitches)
    {
        Note note;
        note.pitch = pitch;
        g.notes.push_back (note);
    }

    return g;
}

/** Three bars of 4/4, a harp and a flute; Eb major from bar 2 on; bars 2-3 of the harp selected. */
ScoreDocument harpScore()
{
    ScoreDocument score;
    score.title = "Harp";

    for (int bar = 1; bar <= 3; ++bar)
        score.bars.push_back ({bar, bar, 1024, "4/4"});

    Staff harp;
    harp.number = 1;
    harp.fullName = "Harp";
    harp.bars.push_back ({2, {group (0, {65, 69}), group (256, {65, 69}), group (512, {67})}, {}});
    harp.bars.push_back ({3, {group (0, {70, 74}), group (768, {70, 74})}, {}});

    Staff flute;
    flute.number = 2;
    flute.fullName = "Flute";
    flute.bars.push_back ({2, {group (0, {77})}, {}});

    score.staves = {harp, flute};
    score.keySignatures = {{1, 0, 2, true}, {2, 0, -3, true}};
    score.selection = {2, 3, {1}};
    return score;
}

juce::var applyArgument (const juce::String& spell, const juce::String& pedaling = "--bb--b", const juce::String& beams = "Beams4")
{
    return test::object ({{"pedaling", pedaling}, {"spell", spell}, {"writeGlissWord", "1"}, {"beams", beams}, {"slur", "1"}, {"lineType", "Wavy"}});
}

/** "pitch@bar:position" of a staff's notes, in order. */
juce::String notesOf (const ScoreDocument& score, int staffNumber)
{
    juce::StringArray notes;

    for (const auto& staffBar : score.findStaff (staffNumber)->bars)
        for (const auto& g : staffBar.noteGroups)
            for (const auto& note : g.notes)
                notes.add (juce::String (note.pitch) + "@" + juce::String (staffBar.bar) + ":" + juce::String (g.position));

    return notes.joinIntoString (" ");
}
} // namespace

TEST (LyrelPlugin, TriggerNamesTheKeyAtTheSelectionStart)
{
    auto score = harpScore();
    EXPECT_EQ (lyrelTriggerData (score), R"({"name": "Eb", "isMajor": true})");

    score.selection = {};
    EXPECT_EQ (lyrelTriggerData (score), R"({"name": "D", "isMajor": true})") << "bar 1 without a selection";

    score.keySignatures = {{1, 0, 3, false}};
    EXPECT_EQ (lyrelTriggerData (score), R"({"name": "F#", "isMajor": false})");

    score.keySignatures.clear();
    EXPECT_EQ (lyrelTriggerData (score), R"({"name": "C", "isMajor": true})");
}

TEST (LyrelPlugin, RunPlaysEveryStringBetweenAtItsPedalsPitch)
{
    struct Case
    {
        int from, to;
        const char* pedaling;
        std::vector<std::pair<int, int>> expected;
    };

    // Staff steps: C4 35, D4 36, E4 37, F4 38, G4 39, A4 40, B4 41, C5 42, D5 43.
    const Case cases[] = {
        {38, 43, "--bb--b", {{39, 67}, {40, 68}, {41, 70}, {42, 72}}}, // F4 up to D5 in E flat: G Ab Bb C
        {43, 38, "--bb--b", {{42, 72}, {41, 70}, {40, 68}, {39, 67}}}, // and down
        {35, 39, "-#--#--", {{36, 62}, {37, 64}, {38, 66}}},           // C4 up to G4 in D: D E F#
        {35, 37, "bbbbbbb", {{36, 61}}},                               // Db
        {40, 41, "-------", {}},                                       // neighbours: no string between
        {40, 40, "-------", {}},
        {35, 37, "x", {{36, 62}}}, // a foreign or short text leaves pedals natural
    };

    for (const auto& c : cases)
        EXPECT_EQ (lyrelRun (c.from, c.to, c.pedaling), c.expected) << c.from << " to " << c.to << " " << c.pedaling;

    EXPECT_EQ (lyrelRunNoteTicks ("Beams2"), 64);
    EXPECT_EQ (lyrelRunNoteTicks ("Beams3"), 32);
    EXPECT_EQ (lyrelRunNoteTicks ("Beams4"), 16);
    EXPECT_EQ (lyrelRunNoteTicks ("Beams5"), 8);
    EXPECT_EQ (lyrelRunNoteTicks ("Beams7"), 16);
}

TEST (LyrelPlugin, WrittenOutApplyReplacesTheNotesBetweenAndUndoBringsThemBack)
{
    test::SimHarness sim (harpScore(), false);
    const auto before = sim.host.getScore();

    const auto reply = sim.engine.call (lyrelPluginName, "apply", applyArgument ("1")).result;
    EXPECT_EQ (juce::JSON::toString (reply, true), R"({"success": true, "glissando": 1, "runNotes": 4})");

    // F4 (the first group's lowest) up to D5 (the last's highest): G Ab Bb C
    // in sixty-fourths after the first group; the groups between are gone.
    const auto after = sim.host.getScore();
    EXPECT_EQ (notesOf (after, 1), "65@2:0 69@2:0 67@2:256 68@2:272 70@2:288 72@2:304 70@3:768 74@3:768");
    EXPECT_EQ (notesOf (after, 2), notesOf (before, 2)) << "other staves stay";

    ASSERT_EQ (after.items.size(), 1u);
    const auto& line = after.items[0];
    EXPECT_EQ (line.kind, "glissando");
    EXPECT_EQ (line.staff, 1);
    EXPECT_EQ (line.bar, 2);
    EXPECT_EQ (line.position, 0);
    EXPECT_EQ (line.duration, 1024 + 768);
    EXPECT_EQ (line.text, "Gliss.");
    EXPECT_EQ (line.properties["lineType"], "Wavy");
    EXPECT_EQ (after.pluginData.at ("LY")["apply"]["pedaling"], "--bb--b");

    EXPECT_EQ (sim.engine.call (lyrelPluginName, "applyPostProcess", {}).result["success"], juce::var (true));
    EXPECT_TRUE (sim.host.getScore().sameContent (after)) << "post-processing changes nothing";

    EXPECT_EQ (sim.engine.call (lyrelPluginName, "undo", {}).result["success"], juce::var (true));
    EXPECT_TRUE (sim.host.getScore().sameContent (before));
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "redo", {}).result["success"], juce::var (true));
    EXPECT_TRUE (sim.host.getScore().sameContent (after));
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "redo", {}).result["success"], juce::var (false));

    // A second apply records its own arguments; undoing it brings back the first one's.
    sim.engine.call (lyrelPluginName, "apply", applyArgument ("0", "#######"));
    EXPECT_EQ (sim.host.getScore().pluginData.at ("LY")["apply"]["pedaling"], "#######");
    sim.engine.call (lyrelPluginName, "undo", {});
    EXPECT_EQ (sim.host.getScore().pluginData.at ("LY")["apply"]["pedaling"], "--bb--b");
}

TEST (LyrelPlugin, RunStopsAtTheLastGroupAndPlainGlissandiKeepTheNotes)
{
    auto score = harpScore();
    // Two octaves down from D6 to C4 in sixteenths, with half a beat to fill.
    score.staves[0].bars = {{2, {group (0, {86}, 128), group (256, {60})}, {}}};
    score.selection = {2, 2, {1}};
    test::SimHarness sim (score, false);

    const auto reply = sim.engine.call (lyrelPluginName, "apply", applyArgument ("1", "-------", "Beams2")).result;
    EXPECT_EQ (reply["runNotes"], juce::var (2)) << "two sixteenths fit between 128 and 256";
    EXPECT_EQ (notesOf (sim.host.getScore(), 1), "86@2:0 84@2:128 83@2:192 60@2:256");

    sim.engine.call (lyrelPluginName, "undo", {});
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "apply", applyArgument ("0")).result["runNotes"], juce::var (0));
    EXPECT_EQ (notesOf (sim.host.getScore(), 1), "86@2:0 60@2:256");
    EXPECT_EQ (sim.host.getScore().items.size(), 1u);
}

TEST (LyrelPlugin, DiagramAndFailuresWithoutNotesOrSelection)
{
    auto score = harpScore();
    test::SimHarness sim (score, false);

    const auto argument = test::object ({{"pedaling", "--bb--b"}});
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "insertDiagram", argument).result["success"], juce::var (true));
    const auto withDiagram = sim.host.getScore();
    ASSERT_EQ (withDiagram.items.size(), 1u);
    EXPECT_EQ (withDiagram.items[0].kind, "harpPedalDiagram");
    EXPECT_EQ (withDiagram.items[0].text, "--bb--b");
    EXPECT_EQ (withDiagram.items[0].bar, 2);
    EXPECT_EQ (withDiagram.items[0].staff, 1);

    // One group only (flute, bar 2): nothing to join, nothing changes.
    ASSERT_TRUE (sim.host.select ({2, 3, {2}}).wasOk());
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "apply", applyArgument ("1")).result["error"], lyrelTooFewNotesText);

    ASSERT_TRUE (sim.host.select ({}).wasOk());
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "apply", applyArgument ("1")).result["error"], lyrelNoSelectionText);
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "insertDiagram", argument).result["error"], lyrelNoSelectionText);
    EXPECT_TRUE (sim.host.getScore().sameContent (withDiagram));

    // The failures made no undo steps: one undo removes the diagram, a second has nothing left.
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "undo", {}).result["success"], juce::var (true));
    EXPECT_TRUE (sim.host.getScore().items.empty());
    EXPECT_EQ (sim.engine.call (lyrelPluginName, "undo", {}).result["success"], juce::var (false));
}
