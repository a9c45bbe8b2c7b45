#include "ui/CheckBox.h"
#include "gfx/FontStyle.h"

namespace ui
{
CheckBox::CheckBox (const juce::String& labelText)
    : label (labelText)
{
}

CheckBox::~CheckBox() = default;

void CheckBox::setState (bool newState)
{
    state = newState;
    repaint();
}

void CheckBox::setLabel (const juce::String& text)
{
    label = text;
    repaint();
}

void CheckBox::setTickColour (juce::Colour colour)
{
    tickColour = colour;
    repaint();
}

void CheckBox::simulateClick()
{
    if (onClick)
        onClick (!state);
}

void CheckBox::mouseUp (const juce::MouseEvent& e)
{
    if (isEnabled() && getLocalBounds().contains (e.getPosition()))
        simulateClick();
}

void CheckBox::paint (juce::Graphics& g)
{
    const auto size = static_cast<float> (juce::jmin (getHeight(), 16));
    const auto box = juce::Rectangle<float> (1.0f, (static_cast<float> (getHeight()) - size) * 0.5f, size - 2.0f, size - 2.0f);

    g.setColour (juce::Colour (0xff222222));
    g.fillRoundedRectangle (box, 2.0f);
    g.setColour (juce::Colour (0xff111111));
    g.drawRoundedRectangle (box, 2.0f, 1.0f);

    if (state)
    {
        juce::Path tick;
        tick.startNewSubPath (box.getX() + box.getWidth() * 0.2f, box.getCentreY());
        tick.lineTo (box.getX() + box.getWidth() * 0.42f, box.getBottom() - box.getHeight() * 0.22f);
        tick.lineTo (box.getRight() - box.getWidth() * 0.18f, box.getY() + box.getHeight() * 0.2f);
        g.setColour (isEnabled() ? tickColour : tickColour.withMultipliedAlpha (0.5f));
        g.strokePath (tick, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    if (label.isNotEmpty())
    {
        gfx::setFont (g, 0);
        g.setColour (juce::Colour (isEnabled() ? 0xffcccccc : 0xff666666));
        g.drawText (label, getLocalBounds().withTrimmedLeft (juce::roundToInt (size) + 4), juce::Justification::centredLeft, true);
    }
}
} // namespace ui
