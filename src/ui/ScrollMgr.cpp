#include "ui/ScrollMgr.h"

#include <algorithm>
#include <cmath>

namespace ui
{
namespace
{
float sanitised (float v)
{
    return std::isfinite (v) ? v : 0.0f;
}
} // namespace

void ScrollMgr::setScrollPos (float newPosition)
{
    newPosition = sanitised (newPosition);

    if (newPosition == position)
        return;

    savePrevious();
    position = std::clamp (newPosition, minimum, maximum);
    notifyIfChanged();
}

void ScrollMgr::setViewPortSize (float newSize)
{
    savePrevious();
    viewPortSize = std::max (0.0f, sanitised (newSize));
    updateRangeAndClamp();
    notifyIfChanged();
}

void ScrollMgr::setContentSize (float newSize)
{
    savePrevious();
    contentSize = std::max (0.0f, sanitised (newSize));
    updateRangeAndClamp();
    notifyIfChanged();
}

void ScrollMgr::savePrevious()
{
    previousPosition = position;
    previousViewPortSize = viewPortSize;
    previousContentSize = contentSize;
}

void ScrollMgr::updateRangeAndClamp()
{
    minimum = 0.0f;
    maximum = std::max (0.0f, contentSize - viewPortSize);
    position = std::clamp (position, minimum, maximum);
}

void ScrollMgr::notifyIfChanged()
{
    const auto changed = position != previousPosition
                         || viewPortSize != previousViewPortSize
                         || contentSize != previousContentSize;

    if (changed && onChange)
        onChange (position, viewPortSize, contentSize);
}
} // namespace ui
