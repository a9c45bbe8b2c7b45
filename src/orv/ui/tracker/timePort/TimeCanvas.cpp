#include "orv/ui/tracker/timePort/TimeCanvas.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

namespace orv::tracker::timePort
{
TimeCanvas::TimeCanvas (ITimePort& portToUse)
    : port (portToUse)
{
}

float TimeCanvas::tickPositionToViewX (int64_t ticks) const
{
    return port.docToViewX (static_cast<float> (ticks));
}

float TimeCanvas::poserToViewX (const Poser& poser) const
{
    return port.poserToViewX (poser);
}

float TimeCanvas::tickDurationToViewWidth (int ticks) const
{
    return port.ticksToViewWidth (ticks);
}

float TimeCanvas::localToViewY (float y) const
{
    return port.docToViewY (y);
}

float TimeCanvas::localToViewHeight (float height) const
{
    return height * port.getZoomY();
}

TcObject* TimeCanvas::getObjectUnderMouse (juce::Point<float> position) const
{
    // Later objects are drawn over earlier ones: look from the top down.
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        if ((*it)->getViewBounds (*this).contains (position))
            return it->get();

    return nullptr;
}

void TimeCanvas::paint (juce::Graphics& g)
{
    const auto visible = getLocalBounds().toFloat();

    for (const auto& object : objects)
        if (object->getViewBounds (*this).intersects (visible))
            object->paint (g, *this);
}
} // namespace orv::tracker::timePort
