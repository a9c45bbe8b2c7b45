#pragma once

#include "frt/ChordSuffix.h"

#include <vector>

/** Chords of every suffix for Frettle's tests and benchmarks: the tones of
    one common reading of each host suffix, as semitones above the root
    ("nc" has none). */
namespace frettlechords
{
inline std::vector<int> semitonesOf (frt::ChordSuffix::Id id)
{
    using S = frt::ChordSuffix;

    switch (id)
    {
        case S::maj:
            return {0, 4, 7};
        case S::m:
            return {0, 3, 7};
        case S::dim:
            return {0, 3, 6};
        case S::aug:
            return {0, 4, 8};
        case S::five:
            return {0, 7};
        case S::seven:
            return {0, 4, 7, 10};
        case S::maj7:
            return {0, 4, 7, 11};
        case S::min7:
            return {0, 3, 7, 10};
        case S::dim7:
            return {0, 3, 6, 9};
        case S::halfdim:
            return {0, 3, 6, 10};
        case S::nine:
            return {0, 4, 7, 10, 14};
        case S::maj9:
            return {0, 4, 7, 11, 14};
        case S::dim9:
            return {0, 3, 6, 9, 14};
        case S::eleven:
            return {0, 4, 7, 10, 14, 17};
        case S::maj11:
            return {0, 4, 7, 11, 14, 17};
        case S::dim11:
            return {0, 3, 6, 9, 14, 17};
        case S::thirteen:
            return {0, 4, 7, 10, 14, 21};
        case S::maj13:
            return {0, 4, 7, 11, 14, 21};
        case S::dim13:
            return {0, 3, 6, 9, 14, 21};
        case S::flat5:
            return {0, 4, 6};
        case S::sharp5:
            return {0, 4, 8};
        case S::flat6:
            return {0, 4, 7, 8};
        case S::six:
            return {0, 4, 7, 9};
        case S::flat9:
            return {0, 4, 7, 10, 13};
        case S::sharp9:
            return {0, 4, 7, 10, 15};
        case S::sharp4:
            return {0, 4, 6, 7};
        case S::sharp11:
            return {0, 4, 7, 18};
        case S::flat13:
            return {0, 4, 7, 20};
        case S::add2:
            return {0, 2, 4, 7};
        case S::add4:
            return {0, 4, 5, 7};
        case S::add9:
            return {0, 4, 7, 14};
        case S::add13:
            return {0, 4, 7, 21};
        case S::sixNine:
            return {0, 4, 9, 14};
        case S::add6Nine:
            return {0, 4, 7, 9, 14};
        case S::sus2:
            return {0, 2, 7};
        case S::sus4:
            return {0, 5, 7};
        case S::sus9:
            return {0, 5, 7, 10, 14};
        case S::sus2Sus4:
            return {0, 2, 5, 7};
        case S::omit3:
            return {0, 7};
        case S::omit5:
            return {0, 4};
        case S::alt:
            return {0, 4, 10, 13, 15, 18, 20};
        case S::nc:
            return {};
        case S::slash:
            return {0, 4, 7};
        case S::none:
            break;
    }

    return {};
}

/** The pitches of a chord from a root pitch class 0..11 (root in octave 4, MIDI 60 + root). */
inline std::vector<int> pitchesOf (int rootClass, frt::ChordSuffix::Id id)
{
    std::vector<int> pitches;

    for (const auto semitones : semitonesOf (id))
        pitches.push_back (60 + rootClass + semitones);

    return pitches;
}
} // namespace frettlechords
