#include "gui/GridGeometry.h"

#include <algorithm>
#include <cmath>

namespace hostsim
{
GridGeometry::GridGeometry (const ScoreDocument& score)
    : staffCount (static_cast<int> (score.staves.size()))
{
    barX.reserve (score.bars.size() + 1);
    barTick.reserve (score.bars.size() + 1);
    double x = nameWidth;
    juce::int64 tick = 0;

    for (const auto& bar : score.bars)
    {
        barX.push_back (static_cast<int> (std::lround (x)));
        barTick.push_back (tick);
        x += std::max (4.0, bar.length * pixelsPerTick);
        tick += bar.length;
    }

    barX.push_back (static_cast<int> (std::lround (x)));
    barTick.push_back (tick);
}

int GridGeometry::getWidth() const
{
    return barX.empty() ? nameWidth : barX.back() + 1;
}

int GridGeometry::getHeight() const
{
    return headerHeight + staffCount * rowHeight + 1;
}

int GridGeometry::barLeft (int barIndex) const
{
    if (barX.empty())
        return nameWidth;

    return barX[static_cast<size_t> (juce::jlimit (0, static_cast<int> (barX.size()) - 1, barIndex))];
}

int GridGeometry::tickToX (juce::int64 tick) const
{
    if (getBarCount() <= 0)
        return nameWidth;

    // Bars have a minimum width, so x is found within the tick's own bar.
    const auto it = std::upper_bound (barTick.begin(), barTick.end() - 1, tick);
    const auto index = juce::jlimit (0, getBarCount() - 1, static_cast<int> (it - barTick.begin()) - 1);
    const auto i = static_cast<size_t> (index);
    const auto length = static_cast<double> (barTick[i + 1] - barTick[i]);
    const auto fraction = length > 0 ? juce::jlimit (0.0, 1.0, static_cast<double> (tick - barTick[i]) / length) : 0.0;
    return barX[i] + static_cast<int> (std::lround (fraction * (barX[i + 1] - barX[i])));
}

std::optional<int> GridGeometry::barIndexAt (int x) const
{
    if (getBarCount() <= 0)
        return std::nullopt;

    const auto it = std::upper_bound (barX.begin(), barX.end(), x);
    const auto index = static_cast<int> (it - barX.begin()) - 1;
    return juce::jlimit (0, getBarCount() - 1, index);
}

std::optional<int> GridGeometry::staffIndexAt (int y) const
{
    if (staffCount <= 0)
        return std::nullopt;

    const auto offset = y - headerHeight;
    const auto index = offset < 0 ? 0 : offset / rowHeight;
    return juce::jlimit (0, staffCount - 1, index);
}
} // namespace hostsim
