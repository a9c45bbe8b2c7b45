#include "gui/DarkTextEditor.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

DarkTextEditor::DarkTextEditor (Variant variant, const juce::String& name)
    : juce::TextEditor (name)
{
    setFont (gfx::getFont (gfx::font::text));
    applyVariant (variant);
}

DarkTextEditor::~DarkTextEditor() = default;

void DarkTextEditor::applyVariant (Variant variant)
{
    const auto dark = variant == Variant::dark;
    setColour (backgroundColourId, dark ? gfx::colours::panel : juce::Colours::white);
    setColour (textColourId, dark ? juce::Colours::white : gfx::colours::panel);
    setColour (highlightColourId, gfx::colours::text);
    setColour (highlightedTextColourId, dark ? gfx::colours::panel : juce::Colours::white);
    setColour (outlineColourId, dark ? juce::Colours::white : juce::Colours::black);
    setColour (focusedOutlineColourId, dark ? gfx::colours::outline : gfx::colours::text);
    setColour (shadowColourId, juce::Colour (0xffd3d3d3));
    applyColourToAllText (findColour (textColourId));
    repaint();
}
