#pragma once

#include "score/ScoreDocument.h"

#include <vector>

namespace hostsim
{
/** Converts between score ticks and playback milliseconds under the score's
    tempo: the start tempo, the active tempo marks (the tempo jumps there)
    and the tempo points (the tempo jumps there, or ramps linearly from the
    previous change when the point is a ramp). */
class TempoMap final
{
public:
    explicit TempoMap (const ScoreDocument& score);

    double tickToMillis (juce::int64 tick) const;
    juce::int64 millisToTick (double millis) const;

    /** Beats per minute at the tick. */
    double tempoAt (juce::int64 tick) const;

private:
    struct Segment
    {
        juce::int64 startTick;
        juce::int64 length; ///< 0 for the last, open-ended segment
        double startBpm;
        double endBpm;
        double startMillis;
    };

    static double segmentMillis (const Segment& s, double ticks);
    const Segment& segmentForTick (juce::int64 tick) const;

    std::vector<Segment> segments;
};
} // namespace hostsim
