#include "gui/WebLinkButton.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

WebLinkButton::WebLinkButton (const juce::String& text, const juce::URL& baseAddress)
    : label (text)
    , url (baseAddress)
    , launcher ([] (const juce::URL& address)
                { return address.launchInDefaultBrowser(); })
{
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

WebLinkButton::~WebLinkButton() = default;

void WebLinkButton::addUrlRefValue (const juce::String& name, const juce::String& value)
{
    url = url.withParameter (name, value);
}

bool WebLinkButton::open()
{
    return launcher != nullptr && url.isWellFormed() && launcher (url);
}

void WebLinkButton::paint (juce::Graphics& g)
{
    auto font = gfx::getFont (gfx::font::text);

    if (hovered)
        font = font.withStyle (juce::Font::underlined);

    g.setFont (font);
    g.setColour (hovered ? juce::Colour (0xff7fc3ff) : gfx::colours::lightBlue);
    g.drawText (label, getLocalBounds(), juce::Justification::centredLeft, true);
}

void WebLinkButton::mouseUp (const juce::MouseEvent& e)
{
    if (getLocalBounds().contains (e.getPosition()))
        open();
}

void WebLinkButton::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    repaint();
}

void WebLinkButton::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}
