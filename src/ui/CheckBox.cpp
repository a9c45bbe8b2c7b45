#include "ui/CheckBox.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace ui
{
CheckBox::CheckBox (const juce::String& labelText)
    : label (labelText)
{
    binding.onChange = [this]
    { repaint(); };
}

CheckBox::~CheckBox() = default;

void CheckBox::bind (juce::ValueTree tree, const juce::Identifier& property, bool defaultValue, juce::UndoManager* undoManager)
{
    binding.bind (std::move (tree), property, defaultValue, undoManager);
}

void CheckBox::setState (bool newState)
{
    binding.set (newState);
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
    if (binding.isBound())
        binding.set (!getState());
    else if (onClick)
        onClick (!getState());
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

    g.setColour (gfx::colours::well);
    g.fillRoundedRectangle (box, 2.0f);
    g.setColour (gfx::colours::outline);
    g.drawRoundedRectangle (box, 2.0f, 1.0f);

    if (getState())
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
        gfx::setFont (g, gfx::font::text);
        g.setColour (isEnabled() ? gfx::colours::text : gfx::colours::control);
        g.drawText (label, getLocalBounds().withTrimmedLeft (juce::roundToInt (size) + 4), juce::Justification::centredLeft, true);
    }
}
} // namespace ui
