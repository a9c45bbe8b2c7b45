#include "gui/DarkTextEditor.h"
#include "gfx/FontStyle.h"

DarkTextEditor::DarkTextEditor (Variant variant, const juce::String& name)
    : juce::TextEditor (name)
{
    setFont (gfx::getFont (0));
    applyVariant (variant);
}

DarkTextEditor::~DarkTextEditor() = default;

void DarkTextEditor::applyVariant (Variant variant)
{
    const auto dark = variant == Variant::dark;
    setColour (backgroundColourId, dark ? juce::Colour (0xff333333) : juce::Colours::white);
    setColour (textColourId, dark ? juce::Colours::white : juce::Colour (0xff333333));
    setColour (highlightColourId, juce::Colour (0xffcccccc));
    setColour (highlightedTextColourId, dark ? juce::Colour (0xff333333) : juce::Colours::white);
    setColour (outlineColourId, dark ? juce::Colours::white : juce::Colours::black);
    setColour (focusedOutlineColourId, dark ? juce::Colour (0xff111111) : juce::Colour (0xffcccccc));
    setColour (shadowColourId, juce::Colour (0xffd3d3d3));
    applyColourToAllText (findColour (textColourId));
    repaint();
}
