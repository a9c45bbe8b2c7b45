#include "orv/ui/tracker/tempo/TempoMaths.h"

#include <cmath>

namespace orv::tracker::tempo
{
std::optional<double> TempoScale::viewYToBpm (float y) const
{
    if (!isUsable())
        return std::nullopt;

    const auto pixelsPerBpm = (static_cast<double> (height) - 2.0 * margin) / (range.getMax() - range.getMin());
    return range.getMax() - (static_cast<double> (y) - margin) / pixelsPerBpm;
}

std::optional<float> TempoScale::bpmToViewY (double bpm) const
{
    if (!isUsable())
        return std::nullopt;

    const auto pixelsPerBpm = (static_cast<double> (height) - 2.0 * margin) / (range.getMax() - range.getMin());
    return static_cast<float> (margin + (range.getMax() - bpm) * pixelsPerBpm);
}

double stepBpm (double bpm, int leverPosition)
{
    switch (leverPosition)
    {
        case 1:
            return std::round (bpm);
        case 2:
            return std::round (bpm * 2.0) / 2.0;
        default:
            return bpm;
    }
}
} // namespace orv::tracker::tempo
