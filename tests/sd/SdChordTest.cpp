// Chord symbols as Stridel reads them: the 42 host suffixes both ways, the
// suffix list's text form, the intervals the suffixes give, and the lead
// sheet's chords spelled as a bass player reads them (flats, never sharps).
#include "sd/SdLine.h"
#include "sd/SdScoreBuilder.h"

#include <gtest/gtest.h>

using namespace sd;

namespace
{
juce::String texts (const std::vector<music::Pitch>& pitches)
{
    juce::StringArray out;

    for (const auto& pitch : pitches)
        out.add (pitch.toString());

    return out.joinIntoString (" ");
}

juce::String texts (const std::vector<music::Interval>& intervals)
{
    juce::StringArray out;

    for (const auto& interval : intervals)
        out.add (interval.toString());

    return out.joinIntoString (" ");
}

Chord chordOf (int root, int diatonicRoot, const juce::StringArray& suffixes)
{
    Chord chord;
    chord.asChordTree().setRoot (root, diatonicRoot);
    chord.asChordTree().setSuffixListText (ChordSuffixList::fromSibeliusStringList (suffixes).toString());
    return chord;
}
} // namespace

TEST (SdChord, EveryHostSuffixTranslatesBothWays)
{
    const juce::StringArray order{"maj", "m", "dim", "aug", "5", "7", "maj7", "dim7", "halfdim", "9", "maj9", "dim9", "11", "maj11",
                                  "dim11", "13", "maj13", "dim13", "b5", "#5", "b6", "6", "b9", "#9", "#4", "#11", "b13", "add2",
                                  "add4", "add9", "add13", "6/9", "add6/9", "sus2", "sus4", "sus9", "sus2/4", "omit3", "omit5", "alt", "nc", "/"};
    ASSERT_EQ (order.size(), ChordSuffix::count);

    for (int i = 0; i < order.size(); ++i)
    {
        EXPECT_EQ (static_cast<int> (ChordSuffix::fromSibeliusString (order[i])), i + 1) << order[i];
        EXPECT_EQ (ChordSuffix::toSibeliusString (static_cast<ChordSuffix::Id> (i + 1)), order[i]);
    }

    for (const auto* unknown : {"", "M7", "min", "7b9", "MAJ7"})
        EXPECT_EQ (ChordSuffix::fromSibeliusString (unknown), ChordSuffix::none) << unknown;

    EXPECT_EQ (ChordSuffix::toSibeliusString (ChordSuffix::none), "");
    EXPECT_EQ (ChordSuffix::toSibeliusString (static_cast<ChordSuffix::Id> (43)), "");
}

TEST (SdChord, SuffixListTextRoundTripsAndSkipsWhatItDoesNotKnow)
{
    auto list = ChordSuffixList::fromSibeliusStringList ({"m", "7", "b9", "bogus", "6/9", "sus2/4", "/"});
    EXPECT_EQ (list.toString(), "m,7,b9,6/9,sus2/4,/");
    EXPECT_EQ (ChordSuffixList::fromString (list.toString()).getIds(), list.getIds());
    list.addSuffix (ChordSuffix::alt);
    list.addSuffix (static_cast<ChordSuffix::Id> (99));
    EXPECT_EQ (list.toString(), "m,7,b9,6/9,sus2/4,/,alt");
    EXPECT_TRUE (ChordSuffixList::fromString (",,m,,").getIds() == std::vector<ChordSuffix::Id>{ChordSuffix::m});
}

TEST (SdChord, SuffixesGiveTheIntervalsAboveTheRoot)
{
    const struct
    {
        juce::StringArray suffixes;
        const char* intervals;
    } table[] = {
        {{}, "Per1 Maj3 Per5"},
        {{"maj7"}, "Per1 Maj3 Per5 Maj7"},
        {{"maj", "maj7"}, "Per1 Maj3 Per5 Maj7"},
        {{"m", "7"}, "Per1 Min3 Per5 Min7"},
        {{"7", "b9"}, "Per1 Maj3 Per5 Min7 Min9"},
        {{"7", "sus4"}, "Per1 Per4 Per5 Min7"},
        {{"halfdim"}, "Per1 Min3 Dim5 Min7"},
        {{"m", "7", "b5"}, "Per1 Min3 Dim5 Min7"},
        {{"dim7"}, "Per1 Min3 Dim5 Dim7"},
        {{"7", "#5"}, "Per1 Maj3 Aug5 Min7"},
        {{"13"}, "Per1 Maj3 Per5 Min7 Maj9 Maj13"},
        {{"7", "alt"}, "Per1 Maj3 Min7 Min9 Aug9 Aug11 Min13"},
        {{"6/9"}, "Per1 Maj3 Per5 Maj6 Maj9"},
        {{"5"}, "Per1 Per5"},
        {{"m", "omit5"}, "Per1 Min3"},
        {{"nc"}, ""},
    };

    for (const auto& row : table)
        EXPECT_EQ (texts (ChordSuffixList::fromSibeliusStringList (row.suffixes).calcIntervals()), row.intervals) << row.suffixes.joinIntoString (",");
}

TEST (SdChord, TheLeadSheetsChordsAreSpelledAsWritten)
{
    // Roots in octave 3 as the host sends them: Bb3 is MIDI 58 on staff step 34.
    const struct
    {
        int root, diatonicRoot;
        juce::StringArray suffixes;
        const char* pitches;
    } table[] = {
        {58, 34, {"maj7"}, "Bb3 D4 F4 A4"},
        {55, 32, {"7", "b9"}, "G3 B3 D4 F4 Ab4"},
        {55, 32, {"7"}, "G3 B3 D4 F4"},
        {48, 28, {"m", "7"}, "C3 Eb3 G3 Bb3"},
        {53, 31, {"7"}, "F3 A3 C4 Eb4"},
    };

    for (const auto& row : table)
        EXPECT_EQ (texts (chordOf (row.root, row.diatonicRoot, row.suffixes).calcStaffPitches()), row.pitches) << row.pitches;

    // Roots no host sends spell nothing: no MIDI number, no staff step, or the two far apart.
    for (const auto& [root, step] : {std::pair{std::numeric_limits<int>::min(), 34}, {58, std::numeric_limits<int>::max()}, {-1, 34}, {58, 35 + 7}})
        EXPECT_TRUE (chordOf (root, step, {"7"}).calcStaffPitches().empty()) << root << "/" << step;

    // The generated line spells every note by its chord: Bb, Eb and Ab, never A#, D# or G#.
    SdState state;
    SdLine line (state.getTree());
    line.setPitchRange (28, 55);
    line.setRandomSource ([]
                          { return 0.7f; });
    auto score = sdtest::makeScore ({1024, 1024, 1024, 1024},
                                    {{1, 0, 46, {58, 62, 65, 69}, {"maj7"}, 34},
                                     {2, 0, 43, {55, 59, 62, 65, 68}, {"7", "b9"}, 32},
                                     {3, 0, 36, {48, 51, 55, 58}, {"m", "7"}, 28},
                                     {4, 0, 41, {53, 57, 60, 63}, {"7"}, 31}});
    auto staff = score.getStaves().front();
    line.generate (score, staff);

    int notes = 0;

    for (const auto& staffBar : staff.getStaffBars())
    {
        for (const auto& note : staffBar.getNotes())
        {
            ++notes;
            const auto info = note.getInfo();
            ASSERT_TRUE (info.startsWith ("StaffPitch:")) << note.getPitch();
            const auto spelled = music::Pitch::fromString (info.fromFirstOccurrenceOf (":", false, false));
            EXPECT_EQ (spelled.getMidiNumber(), note.getPitch()) << info;
            EXPECT_EQ (note.getDiatonicPitch(), spelled.getDiatonicNumber()) << info;
            EXPECT_FALSE (info.containsChar ('#')) << info;
        }
    }

    EXPECT_EQ (notes, 13);
    const auto firstBar = staff.getStaffBars().front().getNotes().front();
    EXPECT_EQ (firstBar.getInfo(), "StaffPitch:Bb2");
    EXPECT_EQ (firstBar.getDiatonicPitch(), 27);
}

TEST (SdChord, ANoteOutsideTheChordsSpellingIsLeftUnspelled)
{
    // The host's tones and the suffixes disagree (an added tone the suffixes do
    // not name): the note is written, but without a staff step or "info".
    SdState state;
    SdLine line (state.getTree());
    line.setPitchRange (28, 55);
    auto score = sdtest::makeScore ({1024}, {{1, 0, 37, {48, 52, 55}, {"maj"}, 28}});
    auto staff = score.getStaves().front();
    line.generate (score, staff);
    const auto notes = staff.getStaffBars().front().getNotes();
    ASSERT_EQ (notes.size(), 1u);
    EXPECT_EQ (notes[0].getPitch(), 37);
    EXPECT_FALSE (notes[0].getDiatonicPitch().has_value());
    EXPECT_TRUE (notes[0].getInfo().isEmpty());
}
