#pragma once

#include "orv/model/Score.h"

namespace orv::tracker::timePort
{
/** The beat of a bar in ticks: from its meter, 256 (a quarter) when the
    meter gives less than one tick or the bar has none. */
int beatTicksOf (const Bar& bar);

/** The dashed snap lines of one bar: every `step` ticks after the bar's
    start, `count` of them. */
struct SnapGridLines
{
    int step = 0;
    int count = 0;
};

/** The snap step doubles while its lines would stand closer than
    minSpacing pixels and it is still shorter than the bar; then the bar
    holds barTicks / step lines. No lines for a step of 0 or less. */
SnapGridLines snapGridLinesFor (int snapTicks, int barTicks, float zoomX, int minSpacing);

/** Index of the bar that holds the tick (the first bar for ticks before
    the score, -1 without bars): a binary search over the global positions,
    so finding what is visible does not depend on the score's length. */
int barIndexAtTicks (const Score& score, float ticks);

/** Calls fn for every bar that overlaps [fromTicks, toTicks), in order. */
template <typename Fn>
void forEachBarBetween (const Score& score, float fromTicks, float toTicks, Fn&& fn)
{
    const auto count = score.getNumBars();

    for (auto index = barIndexAtTicks (score, fromTicks); index >= 0 && index < count; ++index)
    {
        const auto bar = score.getBarAt (index);

        if (static_cast<float> (bar.getGlobalPos()) >= toTicks)
            break;

        fn (bar);
    }
}
} // namespace orv::tracker::timePort
