#include "gadget/GadgetHead.h"
#include "gfx/Drawing.h"
#include "gfx/Palette.h"

GadgetHead::GadgetHead (IGadget& owner)
    : gadget (owner)
{
}

GadgetHead::~GadgetHead() = default;

void GadgetHead::setColor (std::optional<juce::Colour> colour)
{
    solidColour = colour;
    repaint();
}

void GadgetHead::postPaint (juce::Graphics&)
{
}

void GadgetHead::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();

    if (solidColour.has_value())
    {
        g.setColour (*solidColour);
    }
    else
    {
        // The gradient runs across the whole window: shift it into our coordinates.
        auto gradient = gadget.getGradient();
        gradient.point1 -= getPosition().toFloat();
        gradient.point2 -= getPosition().toFloat();
        g.setGradientFill (gradient);
    }

    gfx::fillRoundedRect (g, bounds, 10.0f, true, true, false, false);
    g.setColour (gfx::colours::frame);
    gfx::drawRoundedRect (g, bounds.reduced (0.5f), 10.0f, 1.0f, true, true, false, false);

    postPaint (g);
}
