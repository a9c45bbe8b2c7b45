#pragma once

#include <juce_graphics/juce_graphics.h>

/** A horizontal strip of equally sized frames, drawn one frame at a time. */
class Sprite final
{
public:
    Sprite() = default;
    /** frameWidth: the width of one frame; the strip's height is the frame height. */
    Sprite (juce::Image strip, int frameWidth);

    int getNumFrames() const;
    int getFrameWidth() const { return frameW; }
    int getFrameHeight() const { return image.getHeight(); }

    /** The source rectangle of a frame; the index wraps round the strip. */
    juce::Rectangle<int> getFrameBounds (int index) const;

    /** Draws a frame with its top-left corner at (x, y). */
    void drawFrame (juce::Graphics& g, int index, int x, int y) const;

private:
    juce::Image image;
    int frameW = 0;
};
