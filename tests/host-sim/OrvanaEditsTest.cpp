// The editor's edit methods of the Orvana plug-in: each text changes the
// score document as the editor meant, ends with the refresh as one undo
// step, and a text the plug-in cannot read changes nothing.
#include "../support/RandomRounds.h"
#include "plugins/OrvanaPlugin.h"
#include "plugins/orvana/EditTexts.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace hostsim;
using namespace hostsim::orvana;

namespace
{
/** Four bars of 4/4; staff 1 with controller 7 in bars 1 to 3 (a ramp in
    bar 2), controller 11 in bar 2, two phantom notes and written notes
    (a chord with played overrides, a triplet); staff 2 empty. */
ScoreDocument editScore (const juce::String& soundSet = "default")
{
    ScoreDocument score;
    score.title = "Edits";
    score.soundSet = soundSet;

    for (int bar = 1; bar <= 4; ++bar)
        score.bars.push_back ({bar, bar, 1024, "4/4"});

    Staff staff;
    staff.number = 1;
    staff.fullName = "Synth";
    auto& one = staff.getOrCreateBar (1);
    one.midiMessages = {{0, "~C7,10"}, {256, "~N62,80"}, {384, "~N62,0"}, {768, "~N60,100"}};
    Note chordLow, chordHigh;
    chordLow.pitch = 48;
    chordHigh.pitch = 52;
    chordHigh.playedVelocity = 90;
    chordHigh.playedDuration = 200;
    chordHigh.playedOffset = 16;
    one.noteGroups = {{0, 256, {chordLow, chordHigh}}};
    auto& two = staff.getOrCreateBar (2);
    two.midiMessages = {{0, "~C7,20"}, {256, "~N60,0"}, {512, "~-C7,30"}, {512, "~C11,5"}};
    Note triplet;
    triplet.pitch = 67;
    triplet.tuplet = Tuplet{};
    two.noteGroups = {{0, 85, {triplet}}};
    staff.getOrCreateBar (3).midiMessages = {{0, "~C7,40"}};

    Staff empty;
    empty.number = 2;
    empty.fullName = "Empty";
    score.staves = {staff, empty};
    return score;
}

juce::var argument (const juce::String& dataStr)
{
    auto* object = new juce::DynamicObject();
    const juce::var result (object);
    object->setProperty ("dataStr", dataStr);
    return result;
}

/** "bar:pos:text" of the staff's messages, in score order. */
juce::StringArray messagesOf (const ScoreDocument& score, int staffNumber)
{
    juce::StringArray list;

    for (const auto& staffBar : score.findStaff (staffNumber)->bars)
        for (const auto& message : staffBar.midiMessages)
            list.add (juce::String (staffBar.bar) + ":" + juce::String (message.position) + ":" + message.text);

    return list;
}

struct EditSim
{
    explicit EditSim (ScoreDocument score = editScore())
        : sim (std::move (score), false)
    {
        auto* init = new juce::DynamicObject();
        init->setProperty ("dataStr", "1-4;1");
        sim.engine.call (pluginName, "init", juce::var (init));
    }

    /** Calls the method; true when it succeeded (a failed step answers nothing). */
    bool call (const juce::String& method, const juce::String& dataStr)
    {
        const auto outcome = sim.engine.call (pluginName, method, argument (dataStr));
        return outcome.known && outcome.result.isBool() && static_cast<bool> (outcome.result);
    }

    int countRefreshes() const
    {
        const auto text = sim.stateFile ("hostOutbox.txt").loadFileAsString();
        int count = 0;
        for (int i = text.indexOf (".REFRESH|"); i >= 0; i = text.indexOf (i + 1, ".REFRESH|"))
            ++count;
        return count;
    }

    ScoreDocument score() const { return sim.host.getScore(); }

    test::SimHarness sim;
};
} // namespace

TEST (OrvanaEdits, PitchBendTextsReadBackToEveryValueOnBothScales)
{
    for (int value = 0; value <= 1023; ++value)
    {
        const auto text = edits::controllerMessageText (-2, value, value % 2 == 0, true);
        const auto midi = readMidiText (text);
        ASSERT_TRUE (midi.has_value()) << text;
        EXPECT_EQ (controllerValue (*midi, true), value) << text;
        EXPECT_EQ (midi->ramp, value % 2 == 0);
    }

    for (int value = 0; value <= 127; ++value)
    {
        const auto midi = readMidiText (edits::controllerMessageText (-2, value, false, false));
        ASSERT_TRUE (midi.has_value());
        EXPECT_EQ (controllerValue (*midi, false), value);
    }

    EXPECT_EQ (edits::controllerMessageText (7, 100, false, true), "~C7,100");
    EXPECT_EQ (edits::controllerMessageText (7, 100, true, false), "~-C7,100");
}

TEST (OrvanaEdits, CurveEditReplacesTheRangeAndKeepsEverythingElse)
{
    EditSim edit;
    const auto original = edit.score();

    // A node moved and one added inside bar 2; the neighbours in bars 1 and 3 stay.
    ASSERT_TRUE (edit.call ("editCurve", "7;1;1,0,10,0;2,0,25,0;2,768,35,1;3,0,40;2:0,25,0|768,35,1"));
    EXPECT_EQ (messagesOf (edit.score(), 1).joinIntoString (" "),
               "1:0:~C7,10 1:256:~N62,80 1:384:~N62,0 1:768:~N60,100 2:0:~C7,25 2:256:~N60,0 2:512:~C11,5 2:768:~-C7,35 3:0:~C7,40");
    EXPECT_EQ (edit.countRefreshes(), 1);

    // A range across bars 1 to 3 with no neighbours: one ramp in bar 1, one node in bar 3.
    ASSERT_TRUE (edit.call ("editCurve", "7;1;;1,512,64,1;3,0,1,0;;1:512,64,1#3:0,1,0"));
    EXPECT_EQ (messagesOf (edit.score(), 1).joinIntoString (" "),
               "1:0:~C7,10 1:256:~N62,80 1:384:~N62,0 1:512:~-C7,64 1:768:~N60,100 2:256:~N60,0 2:512:~C11,5 3:0:~C7,1");

    // On an empty staff the edit writes the first messages of its bars.
    ASSERT_TRUE (edit.call ("editCurve", "B;2;;4,0,64,0;4,0,64,0;;4:0,64,0"));
    EXPECT_EQ (messagesOf (edit.score(), 2).joinIntoString (" "), "4:0:~B0,64");

    // No node in the range: nothing changes, still refreshed, no undo step.
    const auto before = edit.score();
    ASSERT_TRUE (edit.call ("editCurve", "7;1;"));
    EXPECT_EQ (edit.score(), before);
    EXPECT_EQ (edit.countRefreshes(), 4);

    // Each edit was one undo step.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE (edit.sim.host.undo().has_value());
    EXPECT_EQ (edit.score(), original);
    EXPECT_FALSE (edit.sim.host.undo().has_value());
}

TEST (OrvanaEdits, EraseRemovesTheIntervalAndItsNeighboursSurvive)
{
    EditSim edit;
    ASSERT_TRUE (edit.call ("eraseCurve", "7;1;2,0,20:1:2,512,30:1"));
    EXPECT_EQ (messagesOf (edit.score(), 1).joinIntoString (" "),
               "1:0:~C7,10 1:256:~N62,80 1:384:~N62,0 1:768:~N60,100 2:256:~N60,0 2:512:~C11,5 3:0:~C7,40");

    // Exclusive ends leave the end nodes.
    ASSERT_TRUE (edit.call ("eraseCurve", "7;1;1,0,10:0:3,0,40:0"));
    EXPECT_EQ (messagesOf (edit.score(), 1).joinIntoString (" "),
               "1:0:~C7,10 1:256:~N62,80 1:384:~N62,0 1:768:~N60,100 2:256:~N60,0 2:512:~C11,5 3:0:~C7,40");

    // A gesture that erased nothing changes nothing.
    const auto before = edit.score();
    ASSERT_TRUE (edit.call ("eraseCurve", "7;1;"));
    EXPECT_EQ (edit.score(), before);
}

TEST (OrvanaEdits, NoteTextsChangeWrittenOverridesAndPhantomMessages)
{
    EditSim edit;

    // Velocities: the chord's high note plays as written again, the low one
    // gets a played velocity, the phantom note at 1,256 a new note-on.
    ASSERT_TRUE (edit.call ("noteVel", "1,1,W,0,1,,F,90;1,1,W,0,0,,T,33;1,1,C,256,62,128,F,70"));
    auto score = edit.score();
    const auto& chord = score.findStaff (1)->findBar (1)->noteGroups[0].notes;
    EXPECT_EQ (chord[1].playedVelocity, std::nullopt);
    EXPECT_EQ (chord[0].playedVelocity, std::optional<int> (33));
    EXPECT_TRUE (messagesOf (score, 1).contains ("1:256:~N62,70"));

    // A reset as the velocity lane sends it: the cleared velocity is -1.
    ASSERT_TRUE (edit.call ("noteVel", "1,1,W,0,0,,F,-1"));
    EXPECT_EQ (edit.score().findStaff (1)->findBar (1)->noteGroups[0].notes[0].playedVelocity, std::nullopt);
    ASSERT_TRUE (edit.call ("noteVel", "1,1,W,0,0,,T,33"));

    // Sound: the triplet plays longer, the chord's high note as written;
    // the phantom note crossing the bar line moves to bar 3.
    ASSERT_TRUE (edit.call ("noteSound", "W,1,2,0,0,,-8,96;W,1,1,0,1,,F,F;C,1,1,768,60,512,3,512,1024"));
    score = edit.score();
    const auto& triplet = score.findStaff (1)->findBar (2)->noteGroups[0].notes[0];
    EXPECT_EQ (triplet.playedOffset, std::optional<int> (-8));
    EXPECT_EQ (triplet.playedDuration, std::optional<int> (96));
    EXPECT_EQ (score.findStaff (1)->findBar (1)->noteGroups[0].notes[1].playedDuration, std::nullopt);
    EXPECT_EQ (messagesOf (score, 1).joinIntoString (" "),
               "1:0:~C7,10 1:256:~N62,70 1:384:~N62,0 2:0:~C7,20 2:512:~-C7,30 2:512:~C11,5 3:0:~C7,40 3:512:~N60,100 4:512:~N60,0");

    // Erase: the triplet plays as written but keeps its velocity; the phantom note goes.
    ASSERT_TRUE (edit.call ("noteVel", "1,2,W,0,0,,T,50"));
    ASSERT_TRUE (edit.call ("noteErase", "1,2,W,0,0,;1,3,C,512,60,1024"));
    score = edit.score();
    const auto& erased = score.findStaff (1)->findBar (2)->noteGroups[0].notes[0];
    EXPECT_EQ (erased.playedOffset, std::nullopt);
    EXPECT_EQ (erased.playedDuration, std::nullopt);
    EXPECT_EQ (erased.playedVelocity, std::optional<int> (50));
    EXPECT_EQ (erased.tuplet, std::optional<Tuplet> (Tuplet{}));
    EXPECT_FALSE (messagesOf (score, 1).joinIntoString (" ").contains ("N60"));
    EXPECT_EQ (score.findStaff (1)->findBar (4), nullptr) << "a bar left empty is dropped";
}

TEST (OrvanaEdits, ASoundEntryNamingNoPhantomNoteAddsOne)
{
    EditSim edit;
    const auto before = messagesOf (edit.score(), 1).joinIntoString (" ");
    ASSERT_TRUE (edit.call ("noteSound", "C,1,2,128,72,64,2,128,64"));
    const auto after = messagesOf (edit.score(), 1).joinIntoString (" ");
    EXPECT_TRUE (after.contains ("2:128:~N72,100")) << after;
    EXPECT_TRUE (after.contains ("2:192:~N72,0")) << after;
    EXPECT_EQ (after.length(), before.length() + juce::String (" 2:128:~N72,100 2:192:~N72,0").length()) << "nothing else changed: " << after;
    EXPECT_EQ (edit.countRefreshes(), 1);
}

TEST (OrvanaEdits, MuteSoloAndNamesAreStoredOnTheStaff)
{
    EditSim edit;
    ASSERT_TRUE (edit.call ("staffMute", "1,H"));
    ASSERT_TRUE (edit.call ("staffSolo", "2;T;1,2,-1"));
    ASSERT_TRUE (edit.call ("setTrackProps", "staffIndex:2|name:Flute | 2: solo|shortName:Fl.|2"));
    const auto score = edit.score();
    EXPECT_EQ (score.findStaff (1)->mute, MuteMode::halfMuted);
    EXPECT_TRUE (score.findStaff (2)->solo);
    EXPECT_FALSE (score.findStaff (1)->solo);
    EXPECT_EQ (score.findStaff (2)->fullName, "Flute | 2: solo");
    EXPECT_EQ (score.findStaff (2)->shortName, "Fl.|2");

    ASSERT_TRUE (edit.call ("staffMute", "1,M"));
    EXPECT_EQ (edit.score().findStaff (1)->mute, MuteMode::muted);
}

TEST (OrvanaEdits, MalformedTextsChangeNothingAndAreLogged)
{
    EditSim edit;
    const auto before = edit.score();
    const std::vector<std::pair<const char*, const char*>> malformed{
        {"editCurve", "7;9;;1,0,1,0;1,0,1,0;;1:0,1,0"},   // no staff 9
        {"editCurve", "7;1;;1,0,1,0;1,0,1,0;;1:0,200,0"}, // value out of range
        {"editCurve", "7;1;;1,0,1,0;2,0,1,0;;1:0,1,0"},   // nodes do not reach the range's end
        {"editCurve", "B;1;;9,0,1,0;9,0,1,0;;9:0,1,0"},   // no bar 9
        {"eraseCurve", "7;1;2,0,20:1:1,0,10:1"},          // backwards
        {"noteVel", "1,1,W,5,0,,T,33"},                   // no pot 5
        {"noteVel", "1,1,C,256,62,129,F,70"},             // no such phantom note
        {"noteSound", "C,1,1,768,60,512,4,512,2048"},     // past the end of the score
        {"noteErase", "1,1,W,0,1"},                       // missing field
        {"staffMute", "1,X"},
        {"staffSolo", "1;Y;1"},
        {"setTrackProps", "staffIndex:1|name:x"},
        {"noteVel", "1,1,W,0,1,,T,33;garbage"}, // the valid first entry is rolled back too
    };

    for (const auto& [method, text] : malformed)
    {
        EXPECT_FALSE (edit.call (method, text)) << method << " " << text;
        EXPECT_EQ (edit.score(), before) << method << " " << text;
    }

    EXPECT_EQ (edit.countRefreshes(), 0);
    EXPECT_FALSE (edit.sim.host.undo().has_value());
    EXPECT_EQ (edit.sim.events ("methodFailed").size(), static_cast<int> (malformed.size()));
}

TEST (OrvanaEdits, MutatedTextsNeverCrashAndFailuresChangeNothing)
{
    EditSim edit;
    const std::vector<std::pair<juce::String, juce::String>> valid{
        {"editCurve", "7;1;1,0,10,0;2,0,25,0;2,768,35,1;3,0,40;2:0,25,0|768,35,1"},
        {"eraseCurve", "7;1;2,0,20:1:2,512,30:1"},
        {"noteVel", "1,1,W,0,1,,F,90;1,1,C,256,62,128,F,70"},
        {"noteSound", "W,1,2,0,0,,-8,96;C,1,1,768,60,512,3,512,1024"},
        {"noteErase", "1,2,W,0,0,;1,1,C,256,62,128"},
        {"staffMute", "1,H"},
        {"staffSolo", "2;T;1,2"},
        {"setTrackProps", "staffIndex:2|name:A|shortName:B"},
    };
    const juce::String alphabet ("0123456789,;:|#-FTWCBN ");
    std::mt19937 random (1234);

    for (int i = 0; i < 2000; ++i)
    {
        const auto& [method, text] = valid[random() % valid.size()];
        auto mutated = text;

        for (auto n = 1 + random() % 3; n > 0; --n)
        {
            const auto at = static_cast<int> (random() % static_cast<unsigned> (mutated.length() + 1));
            const auto letter = juce::String::charToString (alphabet[static_cast<int> (random() % static_cast<unsigned> (alphabet.length()))]);

            switch (random() % 3)
            {
                case 0:
                    mutated = mutated.substring (0, at) + letter + mutated.substring (at);
                    break;
                case 1:
                    mutated = mutated.substring (0, at) + mutated.substring (at + 1);
                    break;
                default:
                    mutated = mutated.substring (0, at) + letter + mutated.substring (at + 1);
                    break;
            }
        }

        const auto before = edit.score();

        if (!edit.call (method, mutated))
            ASSERT_EQ (edit.score(), before) << method << " " << mutated;
        else if (random() % 2 == 0)
            edit.sim.host.undo();
    }
}

TEST (OrvanaEdits, RandomCurveEditsMatchAnExpectationKeptBesideThem)
{
    for (const auto* soundSet : {"default", "NotePerformer"})
    {
        EditSim edit (editScore (soundSet));
        const bool notePerformer = juce::String (soundSet) == "NotePerformer";
        std::mt19937 random (99);
        // controller -> (bar, pos) -> (val, ramp), as the test expects the document to hold it
        std::map<int, std::map<std::pair<int, int>, std::pair<int, bool>>> expected;
        expected[7] = {{{1, 0}, {10, false}}, {{2, 0}, {20, false}}, {{2, 512}, {30, true}}, {{3, 0}, {40, false}}};
        expected[11] = {{{2, 512}, {5, false}}};
        expected[-2] = {};

        for (int round = 0; round < testsupport::randomRounds (200); ++round)
        {
            const int control = std::vector<int>{7, 11, -2}[random() % 3];
            const auto maximum = control == -2 && notePerformer ? 1023 : 127;
            auto& curve = expected[control];
            const auto id = control == -2 ? juce::String ("B") : juce::String (control);

            if (random() % 3 == 0)
            {
                // Erase between two random places.
                std::pair<int, int> a{1 + random() % 4, static_cast<int> (random() % 16) * 64}, b{1 + random() % 4, static_cast<int> (random() % 16) * 64};
                if (b < a)
                    std::swap (a, b);
                std::vector<std::pair<int, int>> gone;
                for (const auto& [place, node] : curve)
                    if (a <= place && place <= b)
                        gone.push_back (place);
                juce::String text = id + ";1;";
                if (!gone.empty())
                    text << gone.front().first << "," << gone.front().second << "," << curve[gone.front()].first << ":1:" << gone.back().first << ","
                         << gone.back().second << "," << curve[gone.back()].first << ":1";
                for (const auto& place : gone)
                    curve.erase (place);
                ASSERT_TRUE (edit.call ("eraseCurve", text)) << text;
            }
            else
            {
                // Replace a range with 1 to 4 new nodes.
                std::map<std::pair<int, int>, std::pair<int, bool>> nodes;
                for (auto n = 1 + random() % 4; n > 0; --n)
                    nodes[{1 + static_cast<int> (random() % 4), static_cast<int> (random() % 16) * 64}] = {static_cast<int> (random() % static_cast<unsigned> (maximum + 1)), random() % 2 == 0};
                const auto first = nodes.begin()->first, last = nodes.rbegin()->first;
                const auto nodeText = [] (std::pair<int, int> place, std::pair<int, bool> node)
                { return juce::String (place.first) + "," + juce::String (place.second) + "," + juce::String (node.first) + "," + (node.second ? "1" : "0"); };
                juce::String groups;
                int bar = 0;
                for (const auto& [place, node] : nodes)
                {
                    groups << (place.first != bar ? (groups.isEmpty() ? "" : "#") + juce::String (place.first) + ":" : juce::String ("|"))
                           << place.second << "," << node.first << "," << (node.second ? "1" : "0");
                    bar = place.first;
                }
                const auto text = id + ";1;;" + nodeText (first, nodes.begin()->second) + ";" + nodeText (last, nodes.rbegin()->second) + ";;" + groups;
                for (auto it = curve.begin(); it != curve.end();)
                    it = (first <= it->first && it->first <= last) ? curve.erase (it) : std::next (it);
                curve.insert (nodes.begin(), nodes.end());
                ASSERT_TRUE (edit.call ("editCurve", text)) << text;
            }

            // What the refresh would carry: the staff's controller messages, read back on the score's scale.
            std::map<int, std::map<std::pair<int, int>, std::pair<int, bool>>> actual{{7, {}}, {11, {}}, {-2, {}}};
            const auto document = edit.score();
            for (const auto& staffBar : document.findStaff (1)->bars)
                for (const auto& message : staffBar.midiMessages)
                    if (const auto midi = readMidiText (message.text); midi && midi->kind != 'N')
                        actual[midi->kind == 'B' ? -2 : midi->number][{staffBar.bar, message.position}] = {controllerValue (*midi, notePerformer), midi->ramp};
            ASSERT_EQ (actual, expected) << "round " << round << " " << soundSet;
        }
    }
}
