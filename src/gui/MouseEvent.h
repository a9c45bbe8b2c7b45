#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace gui
{
/** A mouse event in a scaled, scrolled space (a zoomed time axis): x is
    event x * scale + offset; y is taken as it is. */
class MouseEvent
{
public:
    enum class Button
    {
        left,
        right,
        middle
    };

    MouseEvent (const juce::MouseEvent& event, float scale, float offset);

    float getX() const { return position.x; }
    float getY() const { return position.y; }
    juce::Point<float> getPosition() const { return position; }
    /** The converted position where the button went down. */
    juce::Point<float> getMouseDownPosition() const { return mouseDownPosition; }

    bool isButtonDown (Button button) const;

    /** The horizontal drag distance in the converted space. */
    float getDragDistanceX() const { return position.x - mouseDownPosition.x; }

    const juce::ModifierKeys& getModifiers() const { return mods; }
    /** The event this one was made from. */
    const juce::MouseEvent& getOriginal() const { return original; }

private:
    juce::MouseEvent original;
    juce::ModifierKeys mods;
    juce::Point<float> position;
    juce::Point<float> mouseDownPosition;
};
} // namespace gui
