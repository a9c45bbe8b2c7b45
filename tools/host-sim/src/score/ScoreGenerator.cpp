#include "score/ScoreGenerator.h"

#include <algorithm>

namespace hostsim
{
namespace
{
/** A small deterministic generator, so generated files do not depend on the library's random source. */
class Lcg final
{
public:
    explicit Lcg (juce::uint32 seed)
        : state (seed == 0 ? 1u : seed)
    {
    }

    int next (int range)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<int> ((state >> 8) % static_cast<juce::uint32> (range));
    }

private:
    juce::uint32 state;
};

const char* const chordNames[] = {"C", "Am7", "Dm7", "G7", "Fmaj7", "Em7", "A7", "Bb7"};
} // namespace

ScoreDocument ScoreGenerator::generate (int staves, int bars, int notesPerBar, juce::uint32 seed)
{
    staves = juce::jlimit (1, maxStaves, staves);
    bars = juce::jlimit (1, maxBars, bars);
    notesPerBar = juce::jlimit (0, maxNotesPerBar, notesPerBar);

    Lcg random (seed);
    ScoreDocument score;
    score.title = "Generated " + juce::String (staves) + "x" + juce::String (bars) + "x" + juce::String (notesPerBar);
    score.tempoStart = 120.0;

    constexpr int barLength = 4 * ticksPerQuarter;
    score.bars.reserve (static_cast<size_t> (bars));

    for (int b = 1; b <= bars; ++b)
        score.bars.push_back ({b, b, barLength, "4/4"});

    score.staves.reserve (static_cast<size_t> (staves));

    for (int s = 1; s <= staves; ++s)
    {
        Staff staff;
        staff.number = s;
        staff.fullName = "Staff " + juce::String (s);
        staff.shortName = "St. " + juce::String (s);
        staff.styleId = "instrument.generated";
        staff.bars.reserve (static_cast<size_t> (bars));
        const auto basePitch = 48 + (s * 7) % 24;

        for (int b = 1; b <= bars; ++b)
        {
            StaffBar sb;
            sb.bar = b;
            sb.noteGroups.reserve (static_cast<size_t> (notesPerBar));

            for (int n = 0; n < notesPerBar; ++n)
            {
                NoteGroup group;
                group.position = n * barLength / notesPerBar;
                group.duration = std::max (1, barLength / notesPerBar);
                Note note;
                note.pitch = basePitch + random.next (12);
                group.notes.push_back (note);
                sb.noteGroups.push_back (std::move (group));
            }

            sb.midiMessages.push_back ({0, "~C7," + juce::String (64 + random.next (64))});

            if (b % 4 == 0)
            {
                sb.midiMessages.push_back ({0, "~-B0," + juce::String (32 + random.next (64))});
                sb.midiMessages.push_back ({barLength / 2, "~B0,64"});
            }

            staff.bars.push_back (std::move (sb));
        }

        score.staves.push_back (std::move (staff));
    }

    for (int b = 1; b <= bars; ++b)
        score.chordSymbols.push_back ({1, b, 0, chordNames[random.next (8)]});

    score.keySignatures.push_back ({1, 0, 0, true});
    score.tempoMarks.push_back ({1, 0, 120.0, "Moderato", "", 0, false});

    Part full;
    full.name = "Full";
    full.staves = score.staffNumbers();
    score.parts.push_back (full);

    for (int first = 1; first <= bars; first += 16)
        score.pages.push_back (Page::withEvenSystems (first, std::min (16, bars - first + 1), 4));

    return score;
}
} // namespace hostsim
