#pragma once

#include <cstdint>

namespace orv::tracker::timePort
{
/** The time axis as plain numbers: where a tick lands on the screen and
    back. Document x is ticks; document y is lane pixels before vertical zoom.
    Everything the editor draws goes through this one mapping. */
struct TimeMapping
{
    /** Pixels per tick at zoom ratio 1 (40 pixels per quarter note). */
    static constexpr float defaultZoom = 0.15625f;
    /** The port's right-hand margin the scroll span leaves out. */
    static constexpr int rightMargin = 20;
    /** Ports narrower than this count as this wide. */
    static constexpr int minimumPortWidth = 21;

    float zoomX = defaultZoom;
    float zoomY = 1.0f;
    float scrollDocX = 0.0f;
    float scrollDocY = 0.0f;

    float ticksToViewX (float ticks) const { return (ticks - scrollDocX) * zoomX; }
    float viewXToTicks (float x) const { return x / zoomX + scrollDocX; }
    float ticksToViewWidth (float ticks) const { return ticks * zoomX; }
    float viewWidthToTicks (float width) const { return width / zoomX; }
    float docToViewY (float docY) const { return (docY - scrollDocY) * zoomY; }
    float viewYToDocY (float y) const { return y / zoomY + scrollDocY; }
    float viewHeightToDocHeight (float height) const { return height / zoomY; }

    /** Ticks the port shows, leaving out its right-hand margin. */
    float visibleSpanTicks (int portWidth) const;
    /** The scroll position kept within the score: at least 0, at most the
        score's end less the visible span (0 when the score is shorter). */
    float clampScrollDocX (float wanted, int64_t totalTicks, int portWidth) const;
};
} // namespace orv::tracker::timePort
