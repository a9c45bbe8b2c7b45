#include "orv/ui/tracker/roll/RollPort.h"

#include <algorithm>
#include <cmath>

namespace orv::tracker::roll
{
float RollPort::getWhiteKeyViewY (int whiteKey, int) const
{
    // 75 white keys share the 128 rows: each is 12/7 rows tall, counted up from the bottom.
    const auto docY = getDocHeight() - 12.0f / 7.0f * keyHeight * static_cast<float> (whiteKey + 1);
    return docToViewY (docY);
}

int RollPort::viewYToPitch (float viewY) const
{
    return 127 - static_cast<int> (std::floor (viewToDocY (viewY) / keyHeight));
}

float RollPort::clampScroll (float docY) const
{
    if (!std::isfinite (docY))
        return 0.0f;

    // A port taller than the document shows it from the top.
    const auto maxScroll = std::max (0.0f, getDocHeight() - static_cast<float> (portHeight) / zoomY);
    return std::clamp (docY, 0.0f, maxScroll);
}

void RollPort::setScrollDocY (float docY)
{
    scrollDocY = clampScroll (docY);

    if (onChange)
        onChange();
}

void RollPort::setZoomY (float zoom)
{
    if (!std::isfinite (zoom))
        return;

    zoomY = std::clamp (zoom, minZoomY, maxZoomY);
    setScrollDocY (scrollDocY);
}

void RollPort::setPortHeight (int height)
{
    portHeight = std::max (0, height);
    scrollDocY = clampScroll (scrollDocY);
}

void RollPort::centerContentVertically()
{
    const auto pitch = getCentrePitch ? std::clamp (getCentrePitch(), 0, 127) : 60;
    const auto rowMiddle = keyHeight * (static_cast<float> (127 - pitch) + 0.5f);
    setScrollDocY (rowMiddle - static_cast<float> (portHeight) / zoomY / 2.0f);
}
} // namespace orv::tracker::roll
