#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace ui
{
/** The draggable thumb of a scroll bar; it reports drags in pixels along the bar. */
class ScrollBarThumb final : public juce::Component
{
public:
    ScrollBarThumb();
    ~ScrollBarThumb() override;

    /** Runs when a drag starts. */
    std::function<void()> onDragStart;
    /** Receives the distance from the drag start along the bar, in pixels. */
    std::function<void (float)> onDrag;

    void setVertical (bool isNowVertical) { vertical = isNowVertical; }

    void paint (juce::Graphics& g) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    bool vertical = true;
    bool mouseOver = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScrollBarThumb)
};
} // namespace ui
