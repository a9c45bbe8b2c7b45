#pragma once

#include <juce_core/juce_core.h>

#include <map>
#include <vector>

namespace fry
{
/** One bar of a score payload, with where it starts in MIDI ticks. */
struct ScorePayloadBarInfo
{
    int barNumber = 0;
    /** Host ticks; never negative. */
    int length = 0;
    /** Both 0 when the meter text holds no "/". */
    int meterNumerator = 0;
    int meterDenominator = 0;
    /** MIDI ticks from the start of the clip. */
    double startTick = 0.0;
};

/** The bars of a score payload in payload order, found by bar number. */
struct ScorePayloadBarTable
{
    std::vector<ScorePayloadBarInfo> bars;
    /** Bar number to index in `bars`; the first bar of a number wins. */
    std::map<int, size_t> indexByBarNumber;

    /** The bar with this number, or nullptr. */
    const ScorePayloadBarInfo* find (int barNumber) const;

    /** Where the last bar ends, in MIDI ticks (0 without bars). */
    double getEndTick() const;
};

/** Host ticks (256 per quarter note) to MIDI ticks (960 per quarter note). */
inline constexpr double midiTicksPerHostTick = 3.75;

/** Reads "barList" of a score payload into a table. Fails with the text the
    user sees when the payload is not an object, has no bar list, or has no
    bar objects in it. */
juce::Result buildScorePayloadBarTable (const juce::var& payload, ScorePayloadBarTable& table);
} // namespace fry
