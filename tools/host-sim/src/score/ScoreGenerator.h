#pragma once

#include "score/ScoreDocument.h"

namespace hostsim
{
/** Builds large synthetic scores for benchmarks and load tests. */
struct ScoreGenerator final
{
    static constexpr int maxStaves = 1000;
    static constexpr int maxBars = 100000;
    static constexpr int maxNotesPerBar = 256;

    /** A score of 4/4 bars in which every staff bar holds `notesPerBar` evenly
        spaced note groups, a controller message and, every fourth bar, a
        pitch-bend pair; staff 1 carries a chord symbol per bar. The same
        arguments always give the same score. Arguments outside
        1..maxStaves, 1..maxBars and 0..maxNotesPerBar are clamped. */
    static ScoreDocument generate (int staves, int bars, int notesPerBar, juce::uint32 seed = 1);
};
} // namespace hostsim
