#include "orv/ui/tracker/PlayLine.h"
#include "gfx/Palette.h"

#include <cmath>

namespace orv::tracker
{
PlayLine::PlayLine()
{
    setInterceptsMouseClicks (false, false);
}

void PlayLine::place (float x, int top, int height, int left, int right)
{
    if (!std::isfinite (x) || x < static_cast<float> (left) || x >= static_cast<float> (right))
    {
        setVisible (false);
        return;
    }

    setBounds (static_cast<int> (std::floor (x)), top, width, height);
    setVisible (true);
}

void PlayLine::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::yellow);
}
} // namespace orv::tracker
