#include "orv/ui/tracker/ruler/Ranger.h"
#include "gfx/Palette.h"
#include "orv/model/Score.h"
#include "orv/model/ScoreIds.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

namespace orv::tracker::ruler
{
Ranger::Ranger (timePort::ITimePort& portToFollow)
    : port (portToFollow)
    , scoreTree (port.getScore().getState())
{
    setInterceptsMouseClicks (false, false);
    scoreTree.addListener (this);
}

Ranger::~Ranger()
{
    scoreTree.removeListener (this);
}

void Ranger::updatePosition()
{
    const auto region = port.getScore().getActiveRegion();

    if (region.getFrom().isClear() || region.getTo().isClear() || getParentComponent() == nullptr)
    {
        setVisible (false);
        return;
    }

    const auto left = port.getRegionViewLeft();
    const auto right = port.getRegionViewRight();
    const auto parentWidth = static_cast<float> (getParentWidth());
    const auto x0 = juce::jlimit (-2.0f, parentWidth + 2.0f, left);
    const auto x1 = juce::jlimit (-2.0f, parentWidth + 2.0f, right);
    setVisible (x1 > x0);
    setBounds (juce::Rectangle<float> (x0, 0.0f, x1 - x0, 4.0f).getSmallestIntegerContainer());
}

void Ranger::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::lightBlue);
}

void Ranger::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == scoreTree && property == ids::activeRegion)
        updatePosition();
}
} // namespace orv::tracker::ruler
