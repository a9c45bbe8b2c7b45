#pragma once

#include "gui/MouseEvent.h"

namespace gui
{
/** Receives mouse events converted into a view's own space; every handler does nothing by default. */
class MouseListener
{
public:
    virtual ~MouseListener() = default;

    virtual void mouseDown (const MouseEvent&) {}
    virtual void mouseUp (const MouseEvent&) {}
    virtual void mouseDrag (const MouseEvent&) {}
    virtual void mouseMove (const MouseEvent&) {}
    virtual void mouseEnter (const MouseEvent&) {}
    virtual void mouseExit (const MouseEvent&) {}
    virtual void mouseDoubleClick (const MouseEvent&) {}
    virtual void mouseWheelMove (const MouseEvent&, const juce::MouseWheelDetails&) {}
};
} // namespace gui
