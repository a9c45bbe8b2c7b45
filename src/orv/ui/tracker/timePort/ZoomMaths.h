#pragma once

namespace orv::tracker::timePort
{
/** Zoom and scroll results: the new horizontal scale and the tick at the
    port's left edge. */
struct ZoomScroll
{
    float zoomX = 0.0f;
    float scrollDocX = 0.0f;
};

/** The editor's horizontal zoom bounds, as ratios of the default zoom. */
struct ZoomBounds
{
    static constexpr float minRatioX = 0.2f;
    static constexpr float maxRatioX = 10.0f;
    static constexpr float minRatioY = 0.2f;
    static constexpr float maxRatioY = 2.0f;

    static float clampRatioX (float ratio);
};

/** Zooms to the ratio (clamped) keeping anchorTicks at anchorViewX. */
ZoomScroll zoomAround (float ratio, float anchorTicks, float anchorViewX);

/** The zoom a drag on the ruler's upper stripe asks for: the scale at the
    press plus the vertical distance over 200 (dragging down zooms in). */
float rulerDragZoom (float startZoomX, float dragDistanceY);

/** Where the time axis starts so that startTicks sits at 15 % of the port's
    width (40 pixels when that is under one pixel). */
float scrollForActiveRegion (float startTicks, int portWidth, float zoomX);
} // namespace orv::tracker::timePort
