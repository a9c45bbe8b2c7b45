#include "host/TempoMap.h"

#include <algorithm>
#include <cmath>

namespace hostsim
{
namespace
{
constexpr double millisPerBeatMinute = 60000.0 / ticksPerQuarter;
constexpr double minBpm = 1.0;

struct Change
{
    juce::int64 tick;
    double bpm;
    bool ramp;
};
} // namespace

TempoMap::TempoMap (const ScoreDocument& score)
{
    std::vector<Change> changes;

    for (const auto& m : score.tempoMarks)
        if (!m.muted && score.barStartTick (m.bar) >= 0)
            changes.push_back ({score.barStartTick (m.bar) + m.position, m.bpm, false});

    for (const auto& p : score.tempoPoints)
        if (score.barStartTick (p.bar) >= 0)
            changes.push_back ({score.barStartTick (p.bar) + p.position, p.bpm, p.shape == ReachShape::ramp});

    std::stable_sort (changes.begin(), changes.end(), [] (const Change& a, const Change& b)
                      { return a.tick < b.tick; });

    juce::int64 tick = 0;
    double level = std::max (minBpm, score.tempoStart);
    double millis = 0.0;

    for (const auto& c : changes)
    {
        const auto target = std::max (minBpm, c.bpm);

        if (c.tick > tick)
        {
            Segment s{tick, c.tick - tick, level, c.ramp ? target : level, millis};
            millis += segmentMillis (s, static_cast<double> (s.length));
            segments.push_back (s);
            tick = c.tick;
        }

        level = target;
    }

    segments.push_back ({tick, 0, level, level, millis});
}

double TempoMap::segmentMillis (const Segment& s, double ticks)
{
    const auto a = s.startBpm;
    const auto b = s.endBpm;

    if (s.length == 0 || std::abs (b - a) < 1.0e-9)
        return ticks * millisPerBeatMinute / a;

    // The tempo changes linearly over the segment; time is the integral of 1 / tempo.
    const auto length = static_cast<double> (s.length);
    const auto bpmAt = a + (b - a) * ticks / length;
    return millisPerBeatMinute * length / (b - a) * std::log (bpmAt / a);
}

const TempoMap::Segment& TempoMap::segmentForTick (juce::int64 tick) const
{
    auto it = std::upper_bound (segments.begin(), segments.end(), tick,
                                [] (juce::int64 t, const Segment& s)
                                { return t < s.startTick; });
    return it == segments.begin() ? segments.front() : *(it - 1);
}

double TempoMap::tickToMillis (juce::int64 tick) const
{
    tick = std::max<juce::int64> (0, tick);
    const auto& s = segmentForTick (tick);
    return s.startMillis + segmentMillis (s, static_cast<double> (tick - s.startTick));
}

juce::int64 TempoMap::millisToTick (double millis) const
{
    millis = std::max (0.0, millis);
    auto it = std::upper_bound (segments.begin(), segments.end(), millis,
                                [] (double m, const Segment& s)
                                { return m < s.startMillis; });
    const auto& s = it == segments.begin() ? segments.front() : *(it - 1);
    const auto into = millis - s.startMillis;
    const auto a = s.startBpm;
    const auto b = s.endBpm;
    double ticks = 0.0;

    if (s.length == 0 || std::abs (b - a) < 1.0e-9)
    {
        ticks = into * a / millisPerBeatMinute;
    }
    else
    {
        const auto length = static_cast<double> (s.length);
        const auto bpmAt = a * std::exp (into * (b - a) / (millisPerBeatMinute * length));
        ticks = (bpmAt - a) * length / (b - a);
    }

    if (s.length > 0)
        ticks = std::min (ticks, static_cast<double> (s.length));

    // A hair of tolerance so that a round trip of an exact tick lands on it.
    return s.startTick + static_cast<juce::int64> (std::floor (ticks + 1.0e-6));
}

double TempoMap::tempoAt (juce::int64 tick) const
{
    const auto& s = segmentForTick (std::max<juce::int64> (0, tick));

    if (s.length == 0)
        return s.startBpm;

    return s.startBpm + (s.endBpm - s.startBpm) * static_cast<double> (tick - s.startTick) / static_cast<double> (s.length);
}
} // namespace hostsim
