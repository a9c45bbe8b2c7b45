// The walking-bass product's plug-in substitute: the chord symbols it hands
// out for the selection (roots, basses, tones and the host's suffix strings)
// and the notes it writes back into the score.
#include "support/SimHarness.h"

#include "host/HostState.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
const char* const plugin = "ORV_Stridel";

ScoreDocument leadSheet()
{
    return test::loadDemoScore ("lead-sheet.json");
}

using test::compact;

juce::String suffixesOf (const juce::var& chord)
{
    juce::StringArray suffixes;

    if (const auto* list = chord["suffixList"].getArray())
        for (const auto& suffix : *list)
            suffixes.add (suffix.toString());

    return suffixes.joinIntoString (",");
}

juce::String chordLine (const juce::var& chord)
{
    return chord["name"].toString() + " root " + chord["chromaticRoot"].toString() + "/" + chord["diatonicRoot"].toString() + " bass "
           + chord["chromaticBass"].toString() + "/" + chord["diatonicBass"].toString() + " " + compact (chord["pitchList"]) + " "
           + suffixesOf (chord);
}
} // namespace

TEST (StridelPlugin, FetchGivesTheSelectedBarsAndTheFirstStaffsChords)
{
    auto score = leadSheet();
    score.chordSymbols.push_back ({2, 5, 256, "C/E"});
    score.chordSymbols.push_back ({2, 5, 512, "N.C."});
    score.selection = {4, 5, {2}};
    test::SimHarness sim (score, false);

    const auto reply = sim.engine.call (plugin, "fetch", {}).result;
    EXPECT_EQ (compact (reply["barList"]), R"([{"barNumber": 4, "length": 1024}, {"barNumber": 5, "length": 1024}])");
    ASSERT_EQ (reply["staffList"].size(), 1);
    const auto staff = reply["staffList"][0];
    EXPECT_EQ (static_cast<int> (staff["staffNum"]), 2);
    ASSERT_EQ (staff["staffBarList"].size(), 2);
    EXPECT_EQ (static_cast<int> (staff["staffBarList"][1]["barNumber"]), 5);

    const auto bar4 = staff["staffBarList"][0]["chordList"];
    ASSERT_EQ (bar4.size(), 1);
    EXPECT_EQ (chordLine (bar4[0]), "F7 root 53/31 bass 41/24 [53, 57, 60, 63] 7");

    const auto bar5 = staff["staffBarList"][1]["chordList"];
    ASSERT_EQ (bar5.size(), 2) << "N.C. names no chord";
    EXPECT_EQ (chordLine (bar5[0]), "Bb/D root 58/34 bass 38/22 [58, 62, 65] /");
    EXPECT_EQ (chordLine (bar5[1]), "C/E root 48/28 bass 40/23 [48, 52, 55] /");
    EXPECT_EQ (static_cast<int> (bar5[1]["pos"]), 256);
}

TEST (StridelPlugin, SuffixStringsAreTheHostsVocabulary)
{
    const struct
    {
        const char* chord;
        const char* suffixes;
    } table[] = {{"Cm7", "m,7"}, {"G7(b9)", "7,b9"}, {"Bbmaj7", "maj7"}, {"F7sus4", "7,sus4"}, {"C/E", "/"}, {"C", "maj"}, {"Bb7(b9,#11)/D", "7,b9,#11,/"}, {"Csus4", "sus4"}, {"F#m7b5", "m,7,b5"}};

    for (const auto& row : table)
    {
        auto score = leadSheet();
        score.chordSymbols = {{2, 1, 0, row.chord}};
        score.selection = {1, 1, {2}};
        test::SimHarness sim (score, false);
        const auto chord = sim.engine.call (plugin, "fetch", {}).result["staffList"][0]["staffBarList"][0]["chordList"][0];
        EXPECT_EQ (suffixesOf (chord), row.suffixes) << row.chord;
    }
}

TEST (StridelPlugin, NothingSelectedGivesEmptyLists)
{
    auto score = leadSheet();
    score.selection = {};
    test::SimHarness sim (score, false);
    EXPECT_EQ (compact (sim.engine.call (plugin, "fetch", {}).result), R"({"barList": [], "staffList": []})");
}

TEST (StridelPlugin, WriteReplacesTheNotesOfTheGivenStaffBarsOnly)
{
    auto score = leadSheet();
    test::SimHarness sim (score, false);
    const auto current = [&sim]
    { return sim.host.withState ([] (const HostState& state)
                                 { return state.score; }); };
    const auto saxBefore = current().findStaff (1)->bars;

    const auto argument = juce::JSON::parse (R"({"score": {"staffList": [
        {"staffNum": 2, "staffBarList": [
            {"barNumber": 1, "noteList": [{"position": 0, "duration": 256, "pitch": 46, "diatonicPitch": 27, "info": "StaffPitch:Bb2"},
                                          {"position": 256, "duration": 256, "pitch": 50, "diatonicPitch": 29},
                                          {"position": 512, "duration": 256, "pitch": 200},
                                          {"position": 4096, "duration": 256, "pitch": 40},
                                          {"position": 768, "duration": 0, "pitch": 40}]},
            {"barNumber": 99, "noteList": [{"position": 0, "duration": 256, "pitch": 40}]}]},
        {"staffNum": 7, "staffBarList": [{"barNumber": 1, "noteList": [{"position": 0, "duration": 256, "pitch": 40}]}]}]}})");
    EXPECT_EQ (compact (sim.engine.call (plugin, "write", argument).result), R"({"success": true})");

    const auto written = current();
    const auto& bass = *written.findStaff (2);
    ASSERT_NE (bass.findBar (1), nullptr);
    const auto& groups = bass.findBar (1)->noteGroups;
    ASSERT_EQ (groups.size(), 2u) << "the out-of-range pitch, the position past the bar and the empty duration are left out";
    EXPECT_EQ (groups[0].notes[0].pitch, 46);
    EXPECT_EQ (groups[0].notes[0].diatonicPitch, 27);
    EXPECT_EQ (groups[1].position, 256);
    EXPECT_EQ (bass.findBar (99), nullptr);
    EXPECT_EQ (written.findStaff (1)->bars, saxBefore) << "other staves stay as they were";

    // Written again, the bar holds exactly the new notes.
    const auto again = juce::JSON::parse (R"({"score": {"staffList": [{"staffNum": 2, "staffBarList": [{"barNumber": 1, "noteList": [{"position": 0, "duration": 256, "pitch": 41}]}]}]}})");
    sim.engine.call (plugin, "write", again);
    const auto rewritten = current();
    ASSERT_EQ (rewritten.findStaff (2)->findBar (1)->noteGroups.size(), 1u);
    EXPECT_EQ (rewritten.findStaff (2)->findBar (1)->noteGroups[0].notes[0].pitch, 41);

    EXPECT_EQ (sim.engine.call (plugin, "write", juce::var ("garbage")).result["success"], juce::var (false));
}
