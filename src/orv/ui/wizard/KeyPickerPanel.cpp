#include "orv/ui/wizard/KeyPickerPanel.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace orv::wizard
{
KeyPickerPanel::KeyPickerPanel()
{
    setWantsKeyboardFocus (true);
    setMouseClickGrabsKeyboardFocus (true);
}

void KeyPickerPanel::showKey (const juce::String& description)
{
    picker.setKey (description);
    message.clear();
    repaint();
}

void KeyPickerPanel::showMessage (const juce::String& text)
{
    message = text;
    repaint();
}

void KeyPickerPanel::keyAccepted (const juce::String& description)
{
    message.clear();
    repaint();

    if (onKeyAccepted)
        onKeyAccepted (description);
}

void KeyPickerPanel::keyRefused (const juce::String& reason)
{
    showMessage (reason);
}

bool KeyPickerPanel::keyPressed (const juce::KeyPress& key)
{
    return picker.keyPressed (key);
}

void KeyPickerPanel::paint (juce::Graphics& g)
{
    const auto field = getLocalBounds().removeFromTop (fieldHeight).withWidth (juce::jmin (getWidth(), 160)).toFloat();
    g.setColour (gfx::colours::well);
    g.fillRoundedRectangle (field, 3.0f);
    g.setColour (hasKeyboardFocus (false) ? gfx::colours::lightBlue : gfx::colours::control);
    g.drawRoundedRectangle (field.reduced (0.5f), 3.0f, 1.0f);

    const auto& key = picker.getKey();
    g.setColour (key.isEmpty() ? gfx::colours::neutral : gfx::colours::text);
    gfx::setFont (g, key.isEmpty() ? gfx::font::small : gfx::font::heading);
    g.drawText (key.isEmpty() ? juce::String ("press a key") : key, field.reduced (6.0f, 0.0f), juce::Justification::centred, true);

    if (message.isNotEmpty())
    {
        g.setColour (gfx::colours::orange);
        gfx::setFont (g, gfx::font::small);
        g.drawMultiLineText (message, 0, fieldHeight + 14, getWidth());
    }
}
} // namespace orv::wizard
