#include "orv/ui/tracker/timePort/ZoomMaths.h"
#include "orv/ui/tracker/timePort/TimeMapping.h"

#include <algorithm>

namespace orv::tracker::timePort
{
float ZoomBounds::clampRatioX (float ratio)
{
    return std::clamp (ratio, minRatioX, maxRatioX);
}

ZoomScroll zoomAround (float ratio, float anchorTicks, float anchorViewX)
{
    const auto zoom = ZoomBounds::clampRatioX (ratio) * TimeMapping::defaultZoom;
    return {zoom, anchorTicks - anchorViewX / zoom};
}

float rulerDragZoom (float startZoomX, float dragDistanceY)
{
    return startZoomX + dragDistanceY / 200.0f;
}

float scrollForActiveRegion (float startTicks, int portWidth, float zoomX)
{
    auto margin = static_cast<float> (portWidth) * 0.15f;

    if (margin < 1.0f)
        margin = 40.0f;

    return startTicks - margin / zoomX;
}
} // namespace orv::tracker::timePort
