#pragma once

#include "state/GadgetState.h"

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <vector>

namespace gadget
{
/** Where a window's parent monitor area comes from (the desktop, or a test's
    fixed answer); empty when no screen is known. */
using MonitorAreaLookup = std::function<std::optional<juce::Rectangle<int>> (juce::Rectangle<int> screenBounds)>;

/** The user area of the display that holds most of the rectangle; empty without displays. */
std::optional<juce::Rectangle<int>> findDesktopMonitorArea (juce::Rectangle<int> screenBounds);

/** The user areas of every display, the primary one first. */
std::vector<juce::Rectangle<int>> getDesktopMonitorAreas();

/** A window counts as maximized when its width and height each differ by
    less than 3 pixels from the monitor area's. */
bool isMaximizedSize (int width, int height, juce::Rectangle<int> monitorArea);

/** How a gadget window is placed when its product shows it. */
struct Placement
{
    enum class Kind
    {
        maximize,
        moveTo,
        centre
    };

    Kind kind = Kind::centre;
    /** The top-left corner for moveTo and centre. */
    juce::Point<int> topLeft;
};

/** Stored "maximized" true maximizes; else stored "x" and "y" (both, as whole
    numbers) place the top-left corner; else the window is centred on the
    primary monitor area. A stored position that would put the window on no
    monitor at all is treated as missing, so the window cannot get lost.
    monitorAreas lists the monitors' user areas, the primary one first; with
    none known, stored positions are taken as they are and centring keeps the
    window where it is. */
Placement decidePlacement (const GadgetState& state, juce::Rectangle<int> windowBounds,
                           const std::vector<juce::Rectangle<int>>& monitorAreas);
} // namespace gadget
