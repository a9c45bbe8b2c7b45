#include "orv/ui/tracker/timePort/TimePortPane.h"
#include "orv/ui/tracker/TrackerLayout.h"

namespace orv::tracker::timePort
{
TimePortPane::TimePortPane (ITimePort& port)
    : rulerStrip (port)
{
    rulerStrip.addMessageListener (this);
    addAndMakeVisible (rulerStrip);
}

void TimePortPane::resized()
{
    rulerStrip.setBounds (0, 0, getWidth(), TrackerLayout::rulerHeight);
}
} // namespace orv::tracker::timePort
