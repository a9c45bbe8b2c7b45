#pragma once

#include <juce_graphics/juce_graphics.h>

/** What the parts of a gadget window (head, body, drawer, close button) ask
    of the window they belong to. */
class IGadget
{
public:
    virtual ~IGadget() = default;

    /** The product's main colour. */
    virtual juce::Colour getColour() = 0;
    /** The far colour of the window's gradient. */
    virtual juce::Colour getGradientEndColour() = 0;
    /** The window's horizontal gradient, in window coordinates. */
    virtual juce::ColourGradient getGradient() = 0;
    /** Opens the drawer when it is closed, closes it when it is open. */
    virtual void toggleDrawer() = 0;
    /** Hook run when the product closes the window. */
    virtual void close() = 0;
};
