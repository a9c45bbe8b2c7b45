#pragma once

#include "sd/SdScore.h"

#include <initializer_list>
#include <vector>

namespace sdtest
{
/** A chord as the host sends it: its place, bass, root, tones and suffixes. */
struct HostChord
{
    int bar;
    int pos;
    int bass;
    std::vector<int> pitches;
    juce::StringArray suffixes = {};
    int diatonicRoot = -1; ///< -1: read the root's staff step from its MIDI number with sharps
};

/** A score of bars of the given lengths (numbered from firstBar) and one staff with the chords. */
inline sd::Score makeScore (const std::vector<int>& barLengths, const std::vector<HostChord>& chords, int firstBar = 1)
{
    sd::Score score;

    for (size_t i = 0; i < barLengths.size(); ++i)
        score.addBar (sd::Bar::make (firstBar + static_cast<int> (i), barLengths[i]));

    auto staff = sd::Staff::make (2);

    for (const auto& input : chords)
    {
        auto staffBar = staff.getOrCreateStaffBar (input.bar);
        sd::Chord chord;
        auto& tree = chord.asChordTree();
        tree.setPlace (input.bar, input.pos);
        tree.setBass (input.bass, music::Pitch (input.bass).getDiatonicNumber());
        const auto root = input.pitches.empty() ? input.bass : input.pitches.front();
        tree.setRoot (root, input.diatonicRoot >= 0 ? input.diatonicRoot : music::Pitch (root).getDiatonicNumber());
        tree.setPitchList (sd::ChordPitchList (input.pitches));
        tree.setSuffixListText (sd::ChordSuffixList::fromSibeliusStringList (input.suffixes).toString());
        staffBar.addChord (chord);
    }

    score.addStaff (staff);
    return score;
}

/** "bar:position=pitch" of every note of the staff, in staff bar order. */
inline juce::String notesOf (const sd::Staff& staff)
{
    juce::StringArray texts;

    for (const auto& staffBar : staff.getStaffBars())
        for (const auto& note : staffBar.getNotes())
            texts.add (juce::String (note.getBarNumber()) + ":" + juce::String (note.getPosition()) + "=" + juce::String (note.getPitch()));

    return texts.joinIntoString (" ");
}
} // namespace sdtest
