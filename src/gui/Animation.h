#pragma once

#include <juce_events/juce_events.h>

#include <functional>

namespace gui
{
/** Runs a frame callback at a given frame rate until stopped. */
class Animation final : private juce::Timer
{
public:
    Animation();
    ~Animation() override;

    /** Runs on every frame. */
    std::function<void()> onFrame;

    /** Starts a timer of 1000 / fps milliseconds (rounded); a rate of 0 or less stops it. */
    void startAnimation (double fps);
    void stopAnimation();
    bool isAnimating() const { return isTimerRunning(); }
    int getFrameIntervalMs() const { return getTimerInterval(); }

    /** The timer interval for a frame rate: 1000 / fps rounded, at least 1. */
    static int intervalForFps (double fps);

private:
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE (Animation)
};
} // namespace gui
