// The duct-flute product's plug-in substitute: the selected notes it
// answers, the diagrams it writes (only where a fingering came back), the
// diagrams it selects, and the transposition by the suite's interval and
// octaves, in both directions, on the same staff or a new one, and its
// refusal of garbage.
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
constexpr const char* plugin = "ORV_Pennat";

/** Two bars for a recorder in D major over a second staff: F#4, a chord
    G4+B4 (its top note counts), Bb4; bar 2 holds D5. */
ScoreDocument recorderScore()
{
    ScoreDocument score;
    score.title = "Flutes";

    for (int bar = 1; bar <= 2; ++bar)
        score.bars.push_back ({bar, bar, 1024, "4/4"});

    Staff recorder;
    recorder.number = 1;
    recorder.fullName = "Recorder";
    recorder.shortName = "Rec.";
    auto& bar1 = recorder.getOrCreateBar (1);
    bar1.noteGroups.push_back ({512, 256, {Note{70}}}); // out of order on purpose
    bar1.noteGroups.push_back ({0, 256, {Note{66}}});
    bar1.noteGroups.push_back ({256, 256, {Note{67}, Note{71}}});
    recorder.getOrCreateBar (2).noteGroups.push_back ({0, 1024, {Note{74}}});

    Staff other;
    other.number = 2;
    other.fullName = "Cello";
    other.getOrCreateBar (1).noteGroups.push_back ({0, 1024, {Note{48}}});

    score.staves = {recorder, other};
    score.keySignatures = {{1, 0, 2, true}};
    score.selection = {1, 2, {1}};
    return score;
}

juce::var transposeArgument (int degree, const char* type, int octaves, const char* direction, bool intoNewPart = false,
                             const char* place = "Below")
{
    return juce::JSON::parse (juce::String (R"({"fluteKey": "A4", "intoNewPart": )") + (intoNewPart ? "true" : "false")
                              + R"(, "newPartPlace": ")" + place + R"(", "newPartSize": "Small", "direction": ")" + direction
                              + R"(", "playableNotesInfo": {"lowestPitch": 66, "highestPitch": 82, "uncomfortablePitches": [67]}, )"
                              + R"("transposeInterval": {"degree": )" + juce::String (degree) + R"(, "type": ")" + type
                              + R"("}, "concertOctaves": )" + juce::String (octaves) + "}");
}

struct PennatPluginFixture : ::testing::Test
{
    juce::var call (const juce::String& method, const juce::var& argument = {}) { return sim.engine.call (plugin, method, argument).result; }

    /** "pitch/step" of the staff's notes in order. */
    juce::String notesOf (int staffNumber) const { return test::pitchesAndSteps (sim.host.getScore(), staffNumber); }

    juce::String diagrams() const
    {
        juce::StringArray texts;

        for (const auto& item : sim.host.getScore().items)
            texts.add (item.kind + "@" + juce::String (item.staff) + ":" + juce::String (item.bar) + ":" + juce::String (item.position) + "="
                       + item.text);

        return texts.joinIntoString (" ");
    }

    test::SimHarness sim{recorderScore(), false};
};
} // namespace

TEST_F (PennatPluginFixture, AutoInsertListsTheSelectedNotesAndApplyWritesOnlyWhereAFingeringCameBack)
{
    const auto notes = call ("autoInsert");
    EXPECT_EQ (juce::JSON::toString (notes, true),
               R"([{"nameOct": "F#4", "staff": 1, "bar": 1, "position": 0}, {"nameOct": "B4", "staff": 1, "bar": 1, "position": 256}, )"
               R"({"nameOct": "A#4", "staff": 1, "bar": 1, "position": 512}, {"nameOct": "D5", "staff": 1, "bar": 2, "position": 0}])");

    // The suite adds fingerings to the notes its chart knows.
    auto apply = juce::JSON::parse (R"({"fluteType": "FiveHole", "fingerings": [
        {"nameOct": "F#4", "staff": 1, "bar": 1, "position": 0, "fingering": "111110"},
        {"nameOct": "B4", "staff": 1, "bar": 1, "position": 256},
        {"nameOct": "A#4", "staff": 1, "bar": 1, "position": 512, "fingering": "11H010"},
        {"nameOct": "D5", "staff": 9, "bar": 2, "position": 0, "fingering": "101010"},
        {"nameOct": "D5", "staff": 1, "bar": 7, "position": 0, "fingering": "101010"},
        {"nameOct": "D5", "staff": 1, "bar": 2, "position": 4096, "fingering": "101010"},
        {"nameOct": "D5", "staff": 1, "bar": "x", "position": 0, "fingering": "101010"},
        {"nameOct": "D5", "staff": 1, "bar": 2, "position": 0, "fingering": 101010},
        7, null, "text"]})");
    const auto reply = call ("autoInsertApply", apply);
    EXPECT_EQ (reply["written"], juce::var (2));
    EXPECT_EQ (diagrams(), "fingeringDiagram@1:1:0=11111 fingeringDiagram@1:1:512=11H01");

    // One step: undo takes both away.
    ASSERT_TRUE (sim.host.undo().has_value());
    EXPECT_EQ (diagrams(), "");

    EXPECT_EQ (call ("autoInsertApply", juce::JSON::parse (R"({"fluteType": "SixHole", "fingerings": "none"})"))["success"], juce::var (false));

    sim.host.select ({});
    EXPECT_EQ (call ("autoInsert")["success"], juce::var (false));
}

TEST_F (PennatPluginFixture, InsertAndSelectDiagrams)
{
    EXPECT_EQ (call ("selectDiagrams")["success"], juce::var (false)) << "no diagrams yet";

    EXPECT_EQ (call ("insertDiagram", juce::JSON::parse (R"({"fingering": "1H0100", "fluteType": "SixHole"})"))["success"], juce::var (true));
    sim.host.select ({2, 2, {2}});
    call ("insertDiagram", juce::JSON::parse (R"({"fingering": "111111", "fluteType": "Other"})"));
    EXPECT_EQ (diagrams(), "fingeringDiagram@1:1:0=1H0100 fingeringDiagram@2:2:0=111111");

    sim.host.select ({1, 1, {2}});
    EXPECT_EQ (call ("selectDiagrams")["success"], juce::var (true));
    EXPECT_EQ (sim.host.getScore().selection, (Selection{1, 2, {1, 2}}));
    EXPECT_FALSE (sim.host.undo().value_or ("").contains ("selectDiagrams")) << "selecting is no step";
}

TEST_F (PennatPluginFixture, TransposeMovesByTheIntervalAndTheOctavesOfTheDirection)
{
    // An A4 flute to the tablature: down a minor third (degree -2, "4").
    EXPECT_EQ (call ("transpose", transposeArgument (-2, "4", 0, "NakaiTab"))["success"], juce::var (true));
    EXPECT_EQ (notesOf (1), "67/39 63/36 64/37 68/39 71/41");
    EXPECT_EQ (notesOf (2), "48/-1") << "only the selection";
    ASSERT_TRUE (sim.host.undo().has_value());

    // An A3 flute (concertOctaves -1): towards the tablature an octave up as well.
    call ("transpose", transposeArgument (-2, "4", -1, "NakaiTab"));
    EXPECT_EQ (notesOf (1), "79/46 75/43 76/44 80/46 83/48");
    ASSERT_TRUE (sim.host.undo().has_value());

    // Back to concert pitch for that flute: up a minor third, an octave down.
    call ("transpose", transposeArgument (2, "4", -1, "Concert"));
    EXPECT_EQ (notesOf (1), "61/36 57/33 58/34 62/36 65/38");
    ASSERT_TRUE (sim.host.undo().has_value());

    // Augmented and perfect degrees.
    call ("transpose", transposeArgument (-3, "6", 0, "NakaiTab"));
    EXPECT_EQ (notesOf (1), "64/38 60/35 61/36 65/38 68/40");
    ASSERT_TRUE (sim.host.undo().has_value());
    call ("transpose", transposeArgument (0, "5", 0, "NakaiTab"));
    EXPECT_EQ (notesOf (1), "70/41 66/38 67/39 71/41 74/43");
}

TEST_F (PennatPluginFixture, TransposeIntoANewStaffAboveOrBelowKeepsTheSource)
{
    const auto before = notesOf (1);
    call ("transpose", transposeArgument (-2, "4", 0, "NakaiTab", true, "Above"));
    EXPECT_EQ (notesOf (1), before);
    const auto score = sim.host.getScore();
    ASSERT_EQ (score.staffNumbers(), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ (score.findStaff (3)->fullName, "Recorder (tab)");
    EXPECT_EQ (notesOf (3), "67/39 63/36 64/37 68/39 71/41");
    EXPECT_EQ (score.pluginData.at ("PNT")["staffSizes"]["3"], juce::var ("Small"));

    call ("transpose", transposeArgument (-2, "4", 0, "NakaiTab", true, "Below"));
    EXPECT_EQ (sim.host.getScore().staffNumbers(), (std::vector<int>{3, 1, 4, 2}));
}

TEST_F (PennatPluginFixture, TransposeRefusesWhatNamesNoIntervalAndChangesNothing)
{
    const auto before = notesOf (1);
    auto argument = transposeArgument (-2, "4", 0, "NakaiTab");

    for (const auto* bad : {R"({"degree": -2, "type": "9"})", R"({"degree": "x", "type": "4"})", R"({"type": "4"})", R"("Min3")", "null",
                            R"({"degree": 2.5, "type": "4"})"})
    {
        argument.getDynamicObject()->setProperty ("transposeInterval", juce::JSON::parse (bad));
        EXPECT_EQ (call ("transpose", argument)["success"], juce::var (false)) << bad;
        EXPECT_EQ (notesOf (1), before) << bad;
    }

    argument = transposeArgument (-2, "4", 0, "NakaiTab");
    argument.getDynamicObject()->setProperty ("concertOctaves", "lots");
    EXPECT_EQ (call ("transpose", argument)["success"], juce::var (false));

    sim.host.select ({});
    EXPECT_EQ (call ("transpose", transposeArgument (-2, "4", 0, "NakaiTab"))["success"], juce::var (false));
    EXPECT_EQ (notesOf (1), before);
}
