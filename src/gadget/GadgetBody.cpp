#include "gadget/GadgetBody.h"
#include "gfx/Drawing.h"
#include "gfx/Palette.h"

GadgetBody::GadgetBody (IGadget& owner)
    : gadget (owner)
{
}

GadgetBody::~GadgetBody() = default;

void GadgetBody::setBackgroundImage (juce::Image* image)
{
    backgroundImage = image;
    repaint();
}

juce::Rectangle<int> GadgetBody::getFrontBounds() const
{
    return {0, lipHeight, getWidth(), juce::jmax (0, getHeight() - lipHeight)};
}

juce::Rectangle<int> GadgetBody::getClientArea() const
{
    return {10, 16, juce::jmax (0, getWidth() - 20), juce::jmax (0, getHeight() - 26)};
}

void GadgetBody::paintOverlays (juce::Graphics&)
{
}

juce::ColourGradient GadgetBody::getLocalGradient() const
{
    auto gradient = gadget.getGradient();
    gradient.point1 -= getPosition().toFloat();
    gradient.point2 -= getPosition().toFloat();
    return gradient;
}

void GadgetBody::paint (juce::Graphics& g)
{
    const auto w = static_cast<float> (getWidth());
    const auto h = static_cast<float> (getHeight());
    const auto lip = static_cast<float> (lipHeight);

    juce::Path lipShape;
    lipShape.startNewSubPath (8.0f, 0.0f);
    lipShape.lineTo (w - 8.0f, 0.0f);
    lipShape.lineTo (w, lip);
    lipShape.lineTo (0.0f, lip);
    lipShape.closeSubPath();

    g.setColour (gadget.getColour().darker (0.7f));
    g.fillPath (lipShape);
    g.setColour (gfx::colours::frame);
    g.strokePath (lipShape, juce::PathStrokeType (1.0f));

    const auto panel = juce::Rectangle<float> (0.0f, lip, w, h - lip);

    if (backgroundImage != nullptr && backgroundImage->isValid())
    {
        gfx::fillRoundedRectWithImage (g, panel, *backgroundImage, 10.0f, false, false, true, true);
    }
    else
    {
        const auto gradient = getLocalGradient();
        g.setGradientFill (gradient);
        gfx::fillRoundedRect (g, panel, 10.0f, false, false, true, true);
        g.setColour (gfx::colours::frame);
        gfx::drawRoundedRect (g, panel.reduced (0.5f), 10.0f, 1.0f, false, false, true, true);

        // Filling the inner panel again hides the outline's top edge between the lip corners.
        g.setGradientFill (gradient);
        gfx::fillRoundedRect (g, {4.0f, lip, w - 10.0f, h - 12.0f}, 10.0f, false, false, true, true);
    }

    g.setColour (juce::Colour (0x66ffffff));
    g.fillRoundedRectangle ({8.0f, 9.0f, w - 16.0f, 3.0f}, 1.5f);

    paintOverlays (g);

    if (onPaintOverlays)
        onPaintOverlays (g);
}
