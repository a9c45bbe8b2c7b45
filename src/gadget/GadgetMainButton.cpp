#include "gadget/GadgetMainButton.h"
#include "BinaryData.h"
#include "gfx/Palette.h"
#include "gui/ImageManager.h"

GadgetMainButton::GadgetMainButton()
    : backPlate (ImageManager::getInstance()->getFromMemory (BinaryData::gadgetBtnBack_png, BinaryData::gadgetBtnBack_pngSize))
    , frontPlate (ImageManager::getInstance()->getFromMemory (BinaryData::gadgetButtonFront_png, BinaryData::gadgetButtonFront_pngSize))
    , background (gfx::colours::panel, 0.0f, 0.0f, gfx::colours::outline, 120.0f, 0.0f, false)
{
    setSize (120, 120);
}

GadgetMainButton::~GadgetMainButton() = default;

void GadgetMainButton::setBgGradient (juce::ColourGradient gradient)
{
    background = std::move (gradient);
    repaint();
}

bool GadgetMainButton::hitTest (int x, int y)
{
    const auto dx = x - 60;
    const auto dy = y - 60;
    return dx * dx + dy * dy < 3601;
}

float GadgetMainButton::getFrontPlateOffset (VisualState state)
{
    switch (state)
    {
        case VisualState::normal:
            return -3.0f;
        case VisualState::hovered:
            return -3.5f;
        case VisualState::pressed:
            return -2.0f;
    }

    return -3.0f;
}

void GadgetMainButton::paint (juce::Graphics& g)
{
    g.drawImageAt (backPlate, 0, 0);

    const auto disc = juce::Rectangle<float> (6.7f, 7.5f, 106.0f, 106.0f);
    g.setGradientFill (background);
    g.fillEllipse (disc);

    if (visualState == VisualState::hovered && background.getNumColours() > 0)
    {
        g.setColour (background.getColour (0).brighter (0.5f));
        g.fillEllipse (disc);
    }

    const auto offset = getFrontPlateOffset (visualState);
    g.drawImageTransformed (frontPlate, juce::AffineTransform::translation (offset, offset));
}

void GadgetMainButton::setVisualState (VisualState newState)
{
    visualState = newState;
    repaint();
}

void GadgetMainButton::mouseDown (const juce::MouseEvent&)
{
    juce::Component::SafePointer<GadgetMainButton> self (this);

    if (onClick)
        onClick();

    if (self != nullptr)
        setVisualState (VisualState::pressed);
}

void GadgetMainButton::mouseUp (const juce::MouseEvent&)
{
    setVisualState (VisualState::normal);
}

void GadgetMainButton::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    setVisualState (VisualState::hovered);
}

void GadgetMainButton::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    setVisualState (VisualState::normal);
}
