#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace ui
{
/** An arrow button of a scroll bar: it steps once when pressed and keeps
    stepping on a timer while held. */
class ScrollBarButton final : public juce::Component,
                              private juce::Timer
{
public:
    enum class Direction
    {
        up,
        down,
        left,
        right
    };

    static constexpr int initialDelayMs = 300;
    static constexpr int repeatIntervalMs = 60;

    explicit ScrollBarButton (Direction arrowDirection);
    ~ScrollBarButton() override;

    /** Runs on every step. */
    std::function<void()> onStep;

    void setDirection (Direction newDirection);
    bool isHeld() const { return held; }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    void timerCallback() override;

    Direction direction;
    bool held = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScrollBarButton)
};
} // namespace ui
