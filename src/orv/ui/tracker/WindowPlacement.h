#pragma once

#include <juce_graphics/juce_graphics.h>

namespace orv::tracker
{
/** Where the editor window opens on a screen area: the stored normal bounds
    when they are valid and overlap the area, else the wanted size (kept
    within the area), centred on the mouse with openNearMouse or centred in
    the area without. */
juce::Rectangle<int> initialWindowBounds (const juce::String& storedBounds, bool openNearMouse, juce::Point<int> mouse,
                                          juce::Rectangle<int> screenArea, int wantedWidth, int wantedHeight);
} // namespace orv::tracker
