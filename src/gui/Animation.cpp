#include "gui/Animation.h"

namespace gui
{
Animation::Animation() = default;

Animation::~Animation()
{
    stopTimer();
}

int Animation::intervalForFps (double fps)
{
    return juce::jmax (1, juce::roundToInt (1000.0 / fps));
}

void Animation::startAnimation (double fps)
{
    if (!(fps > 0.0))
    {
        stopTimer();
        return;
    }

    startTimer (intervalForFps (fps));
}

void Animation::stopAnimation()
{
    stopTimer();
}

void Animation::timerCallback()
{
    if (onFrame)
        onFrame();
}
} // namespace gui
