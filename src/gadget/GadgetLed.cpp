#include "gadget/GadgetLed.h"
#include "gfx/Palette.h"

GadgetLed::GadgetLed() = default;

GadgetLed::~GadgetLed()
{
    stopTimer();
}

void GadgetLed::setStatus (Status newStatus)
{
    status = newStatus;
    repaint();
}

void GadgetLed::setCustomColour (juce::Colour colour)
{
    customColour = colour;
    repaint();
}

void GadgetLed::setBlinking (bool shouldBlink)
{
    blinking = shouldBlink;
    darkPhase = false;

    if (blinking)
        startTimerHz (2);
    else
        stopTimer();

    repaint();
}

juce::Colour GadgetLed::getStatusColour() const
{
    switch (status)
    {
        case off:
            return gfx::colours::dim;
        case custom:
            return customColour;
        case yellow:
            return juce::Colour (0xffffff00);
        case red:
            return juce::Colour (0xffff0000);
    }

    return gfx::colours::dim;
}

juce::Colour GadgetLed::getCurrentColour() const
{
    const auto colour = getStatusColour();
    return isInDarkPhase() ? colour.withSaturation (0.3f).darker (0.8f) : colour;
}

void GadgetLed::timerCallback()
{
    darkPhase = !darkPhase;
    repaint();
}

void GadgetLed::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat().reduced (5.0f);

    if (area.isEmpty())
        return;

    const auto colour = getCurrentColour();
    g.setGradientFill (juce::ColourGradient (colour.brighter (0.8f), area.getX(), area.getY(),
                                             colour.darker (0.8f), area.getRight(), area.getBottom(), false));
    g.fillEllipse (area);

    g.setColour (juce::Colour (0xaaffffff));
    g.fillEllipse (area.getX() + area.getWidth() * 0.22f, area.getY() + area.getHeight() * 0.12f,
                   area.getWidth() * 0.3f, area.getHeight() * 0.22f);

    g.setColour (gfx::colours::outline);
    g.drawEllipse (area, 1.0f);
}
