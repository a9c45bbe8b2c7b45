#pragma once

#include "orv/pref/TempoBpmViewRange.h"

#include <optional>

namespace orv::tracker::tempo
{
/** The vertical scale of a tempo lane: a lane of a height with a margin
    above and below shows a tempo range; the top of the drawable band is the
    range's maximum. A lane too short to hold the band (under 2m + 1 pixels)
    has no scale. */
struct TempoScale
{
    float height = 0.0f;
    float margin = 0.0f;
    TempoBpmViewRange range;

    bool isUsable() const { return height >= 2.0f * margin + 1.0f; }
    /** bpm = max - (y - m) / ((h - 2m) / (max - min)); empty without a usable scale. */
    std::optional<double> viewYToBpm (float y) const;
    /** The inverse; empty without a usable scale. */
    std::optional<float> bpmToViewY (double bpm) const;
};

/** The tempo a draw gesture writes for a pointer value: unrounded at lever
    position 0, whole bpm (halves away from zero) at 1, the nearest half bpm
    at 2. Other positions leave the value as it is. */
double stepBpm (double bpm, int leverPosition);
} // namespace orv::tracker::tempo
