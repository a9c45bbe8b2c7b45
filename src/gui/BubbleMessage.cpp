#include "gui/BubbleMessage.h"
#include "gfx/FontStyle.h"

namespace gui
{
BubbleMessage::BubbleMessage (const juce::String& initialText)
    : text (initialText)
{
}

BubbleMessage::~BubbleMessage() = default;

void BubbleMessage::setText (const juce::String& newText)
{
    text = newText;
    repaint();
}

void BubbleMessage::show (const juce::String& newText)
{
    setText (newText);
    setVisible (true);
}

void BubbleMessage::paint (juce::Graphics& g)
{
    g.setColour (fillColour);
    g.fillRoundedRectangle (getLocalBounds().toFloat(), 5.0f);

    gfx::setFont (g, gfx::font::text);
    g.setColour (textColour);
    g.drawText (text, getLocalBounds().withTrimmedLeft (10), juce::Justification::centredLeft, true);
}

void BubbleMessage::mouseDown (const juce::MouseEvent&)
{
    setVisible (false);

    if (onDismiss)
        onDismiss();
}
} // namespace gui
