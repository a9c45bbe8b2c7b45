#pragma once

#include "score/ScoreDocument.h"

#include <optional>
#include <vector>

namespace hostsim
{
/** Where the score grid draws things: a column per bar (its width
    proportional to the bar's length), a row per staff, a header row of bar
    numbers at the top and a column of staff names at the left. Kept apart
    from the component so that hit-testing can be tested without a screen. */
class GridGeometry final
{
public:
    static constexpr int nameWidth = 150;
    static constexpr int headerHeight = 34;
    static constexpr int rowHeight = 26;
    static constexpr double pixelsPerTick = 56.0 / 1024.0;

    GridGeometry() = default;
    explicit GridGeometry (const ScoreDocument& score);

    int getWidth() const;
    int getHeight() const;
    int getBarCount() const { return static_cast<int> (barX.size()) - 1; }
    int getStaffCount() const { return staffCount; }

    /** Left edge of the bar column (index from 0); index == count gives the right edge of the last bar. */
    int barLeft (int barIndex) const;
    int staffTop (int staffIndex) const { return headerHeight + staffIndex * rowHeight; }

    /** x of a tick from the start of the score. */
    int tickToX (juce::int64 tick) const;

    /** The bar column under x (clamped into the score); nullopt without bars. */
    std::optional<int> barIndexAt (int x) const;

    /** The staff row under y (clamped into the score); nullopt without staves. */
    std::optional<int> staffIndexAt (int y) const;

    bool isInHeader (int y) const { return y < headerHeight; }
    bool isInNames (int x) const { return x < nameWidth; }

private:
    std::vector<int> barX;            ///< left edge of each bar, plus the right edge of the last
    std::vector<juce::int64> barTick; ///< first tick of each bar, plus the end of the score
    int staffCount = 0;
};
} // namespace hostsim
