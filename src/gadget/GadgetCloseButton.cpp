#include "gadget/GadgetCloseButton.h"
#include "BinaryData.h"
#include "gfx/Drawing.h"
#include "gfx/Palette.h"
#include "gui/ImageManager.h"

GadgetCloseButton::GadgetCloseButton (IGadget& owner)
    : gadget (owner)
    , icon (ImageManager::getInstance()->getFromMemory (BinaryData::close_png, BinaryData::close_pngSize))
{
}

GadgetCloseButton::~GadgetCloseButton() = default;

juce::Colour GadgetCloseButton::getFillColour() const
{
    return hovered && !pressed ? gadget.getColour() : gadget.getGradientEndColour();
}

void GadgetCloseButton::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();

    g.setColour (getFillColour());
    gfx::fillRoundedRect (g, bounds, 5.0f, true, true, false, false);
    g.setColour (gfx::colours::frame);
    gfx::drawRoundedRect (g, bounds.reduced (0.5f), 5.0f, 1.0f, true, true, false, false);

    const auto offset = pressed ? 6 : 5;
    g.drawImageAt (icon, offset, offset);
}

void GadgetCloseButton::mouseDown (const juce::MouseEvent&)
{
    pressed = true;
    repaint();
}

void GadgetCloseButton::mouseUp (const juce::MouseEvent&)
{
    pressed = false;
    repaint();

    if (onClick)
        onClick();
}

void GadgetCloseButton::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    repaint();
}

void GadgetCloseButton::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}
