#include "ui/ScrollBarButton.h"
#include "gfx/Drawing.h"
#include "gfx/Palette.h"

namespace ui
{
ScrollBarButton::ScrollBarButton (Direction arrowDirection)
    : direction (arrowDirection)
{
}

ScrollBarButton::~ScrollBarButton()
{
    stopTimer();
}

void ScrollBarButton::setDirection (Direction newDirection)
{
    direction = newDirection;
    repaint();
}

void ScrollBarButton::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);

    const auto area = getLocalBounds().toFloat().reduced (static_cast<float> (juce::jmin (getWidth(), getHeight())) * 0.3f);
    const auto colour = held ? gfx::colours::control.brighter (0.4f) : gfx::colours::neutral;

    switch (direction)
    {
        case Direction::up:
            gfx::fillTriangleUp (g, area.getX(), area.getY(), area.getWidth(), area.getHeight(), colour);
            break;
        case Direction::down:
            gfx::fillTriangleDown (g, area.getX(), area.getY(), area.getWidth(), area.getHeight(), colour);
            break;
        case Direction::left:
            gfx::fillTriangleLeft (g, area.getX(), area.getY(), area.getWidth(), area.getHeight(), colour);
            break;
        case Direction::right:
            gfx::fillTriangleRight (g, area.getX(), area.getY(), area.getWidth(), area.getHeight(), colour);
            break;
    }
}

void ScrollBarButton::mouseDown (const juce::MouseEvent&)
{
    held = true;
    repaint();

    juce::Component::SafePointer<ScrollBarButton> self (this);

    if (onStep)
        onStep();

    if (self != nullptr && held)
        startTimer (initialDelayMs);
}

void ScrollBarButton::mouseUp (const juce::MouseEvent&)
{
    held = false;
    stopTimer();
    repaint();
}

void ScrollBarButton::timerCallback()
{
    if (!held)
    {
        stopTimer();
        return;
    }

    startTimer (repeatIntervalMs);

    if (onStep)
        onStep();
}
} // namespace ui
