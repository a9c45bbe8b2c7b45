#include "gfx/Drawing.h"

namespace gfx
{
juce::Path createRoundedRectPath (juce::Rectangle<float> r, float corner, bool topLeft, bool topRight, bool bottomLeft, bool bottomRight)
{
    juce::Path p;

    if (r.isEmpty())
        return p;

    const auto size = juce::jmax (0.0f, corner);
    p.addRoundedRectangle (r.getX(), r.getY(), r.getWidth(), r.getHeight(), size, size,
                           topLeft, topRight, bottomLeft, bottomRight);
    return p;
}

void fillRoundedRect (juce::Graphics& g, juce::Rectangle<float> r, float corner, bool topLeft, bool topRight, bool bottomLeft, bool bottomRight)
{
    g.fillPath (createRoundedRectPath (r, corner, topLeft, topRight, bottomLeft, bottomRight));
}

void drawRoundedRect (juce::Graphics& g, juce::Rectangle<float> r, float corner, float lineThickness, bool topLeft, bool topRight, bool bottomLeft, bool bottomRight)
{
    g.strokePath (createRoundedRectPath (r, corner, topLeft, topRight, bottomLeft, bottomRight),
                  juce::PathStrokeType (lineThickness));
}

void fillRoundedRectWithImage (juce::Graphics& g, juce::Rectangle<float> r, const juce::Image& image, float corner, bool topLeft, bool topRight, bool bottomLeft, bool bottomRight)
{
    if (!image.isValid())
        return;

    const juce::Graphics::ScopedSaveState saved (g);
    g.setTiledImageFill (image, juce::roundToInt (r.getX()), juce::roundToInt (r.getY()), 1.0f);
    g.fillPath (createRoundedRectPath (r, corner, topLeft, topRight, bottomLeft, bottomRight));
}

namespace
{
void fillTriangle (juce::Graphics& g, juce::Point<float> a, juce::Point<float> b, juce::Point<float> c, juce::Colour colour)
{
    juce::Path p;
    p.addTriangle (a, b, c);
    g.setColour (colour);
    g.fillPath (p);
}
} // namespace

void fillTriangleRight (juce::Graphics& g, float x, float y, float w, float h, juce::Colour colour)
{
    fillTriangle (g, {x, y}, {x + w, y + h * 0.5f}, {x, y + h}, colour);
}

void fillTriangleLeft (juce::Graphics& g, float x, float y, float w, float h, juce::Colour colour)
{
    fillTriangle (g, {x + w, y}, {x, y + h * 0.5f}, {x + w, y + h}, colour);
}

void fillTriangleUp (juce::Graphics& g, float x, float y, float w, float h, juce::Colour colour)
{
    fillTriangle (g, {x, y + h}, {x + w * 0.5f, y}, {x + w, y + h}, colour);
}

void fillTriangleDown (juce::Graphics& g, float x, float y, float w, float h, juce::Colour colour)
{
    fillTriangle (g, {x, y}, {x + w, y}, {x + w * 0.5f, y + h}, colour);
}
} // namespace gfx
