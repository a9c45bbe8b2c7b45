#include "orv/ui/tracker/timePort/GridRules.h"

namespace orv::tracker::timePort
{
int beatTicksOf (const Bar& bar)
{
    if (!bar.isValid() || !bar.hasMeter())
        return 256;

    const auto beat = bar.getMeter().getBeatTicks();
    return beat < 1 ? 256 : beat;
}

SnapGridLines snapGridLinesFor (int snapTicks, int barTicks, float zoomX, int minSpacing)
{
    if (snapTicks <= 0 || barTicks <= 0)
        return {};

    auto step = snapTicks;

    while (static_cast<float> (step) * zoomX < static_cast<float> (minSpacing) && step < barTicks)
        step *= 2;

    return {step, barTicks / step};
}
} // namespace orv::tracker::timePort

namespace orv::tracker::timePort
{
int barIndexAtTicks (const Score& score, float ticks)
{
    const auto count = score.getNumBars();

    if (count == 0)
        return -1;

    // The last bar that starts at or before the tick.
    int low = 0, high = count;

    while (low < high)
    {
        const auto mid = low + (high - low) / 2;

        if (static_cast<float> (score.getBarAt (mid).getGlobalPos()) <= ticks)
            low = mid + 1;
        else
            high = mid;
    }

    return juce::jmax (0, low - 1);
}
} // namespace orv::tracker::timePort
