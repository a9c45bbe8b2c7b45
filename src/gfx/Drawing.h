#pragma once

#include <juce_graphics/juce_graphics.h>

namespace gfx
{
/** Which corners of a rectangle are rounded. */
struct Corners
{
    bool topLeft = true;
    bool topRight = true;
    bool bottomLeft = true;
    bool bottomRight = true;
};

/** A rectangle whose flagged corners are rounded with the given size; the others stay square. */
juce::Path createRoundedRectPath (juce::Rectangle<float> r, float corner, bool topLeft, bool topRight, bool bottomLeft, bool bottomRight);

/** Fills a rectangle with the flagged corners rounded, in the current colour or fill. */
void fillRoundedRect (juce::Graphics& g, juce::Rectangle<float> r, float corner, bool topLeft, bool topRight, bool bottomLeft, bool bottomRight);

/** Outlines a rectangle with the flagged corners rounded. */
void drawRoundedRect (juce::Graphics& g, juce::Rectangle<float> r, float corner, float lineThickness, bool topLeft, bool topRight, bool bottomLeft, bool bottomRight);

/** Fills the partly rounded shape with the image at its natural size, anchored
    at the shape's top-left corner and repeated when the shape is larger. */
void fillRoundedRectWithImage (juce::Graphics& g, juce::Rectangle<float> r, const juce::Image& image, float corner, bool topLeft, bool topRight, bool bottomLeft, bool bottomRight);

/** A filled triangle pointing right inside (x, y, w, h). */
void fillTriangleRight (juce::Graphics& g, float x, float y, float w, float h, juce::Colour colour);
/** A filled triangle pointing left inside (x, y, w, h). */
void fillTriangleLeft (juce::Graphics& g, float x, float y, float w, float h, juce::Colour colour);
/** A filled triangle pointing up inside (x, y, w, h). */
void fillTriangleUp (juce::Graphics& g, float x, float y, float w, float h, juce::Colour colour);
/** A filled triangle pointing down inside (x, y, w, h). */
void fillTriangleDown (juce::Graphics& g, float x, float y, float w, float h, juce::Colour colour);
} // namespace gfx
