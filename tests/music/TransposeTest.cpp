#include "music/Utils.h"

#include <gtest/gtest.h>

using music::Interval;
using music::Pitch;

// Transposition and interval reading are inverse to each other over the whole
// range: every pitch from C0 to B8 spelled with up to two accidentals, moved
// by every interval from -Per15 to Per15 of every valid quality, reads back as
// the same interval, and the MIDI distance is the interval's semitone size.
// Descending unisons and the diminished unison are left out: they read back
// as ascending by definition.
TEST (Transpose, InverseOfIntervalReadingOverTheWholeRange)
{
    const Interval::Type perfectTypes[] = {Interval::Perfect, Interval::Diminished, Interval::Augmented};
    const Interval::Type majorTypes[] = {Interval::Major, Interval::Minor, Interval::Diminished, Interval::Augmented};

    std::vector<Interval> intervals;

    for (int d = -15; d <= 15; ++d)
    {
        if (d == 0)
            continue;

        const Interval::Degree degree (d);

        if (degree.isPerfectBased())
        {
            for (auto t : perfectTypes)
                if (!(degree.getSimple() == 1 && degree.getOctaves() == 0 && (d < 0 || t == Interval::Diminished)))
                    intervals.emplace_back (degree, t);
        }
        else
        {
            for (auto t : majorTypes)
                intervals.emplace_back (degree, t);
        }
    }

    // Per1 and Aug1, three qualities on the other 12 perfect-based degrees, four on the 16 major-based ones.
    ASSERT_EQ (intervals.size(), 2u + 12u * 3 + 16u * 4);

    int checked = 0;

    for (int octave = 0; octave <= 8; ++octave)
        for (int name = Pitch::A; name <= Pitch::G; ++name)
            for (int acc = -2; acc <= 2; ++acc)
            {
                const Pitch p (static_cast<Pitch::Name> (name), octave, acc);

                for (const auto& i : intervals)
                {
                    const auto q = music::Utils::transposePitchByInterval (p, i);
                    const auto back = Interval::fromPitchDistance (p, q);

                    if (back != i || q.getMidiNumber() - p.getMidiNumber() != i.getSemitones()
                        || q.getDiatonicNumber() - p.getDiatonicNumber() != i.getDegree().getZeroBased())
                    {
                        ADD_FAILURE() << p.toString() << " by " << i.toString() << " gives " << q.toString()
                                      << ", read back as " << back.toString();
                        return;
                    }

                    ++checked;
                }
            }

    EXPECT_EQ (checked, 9 * 7 * 5 * static_cast<int> (intervals.size()));
}
