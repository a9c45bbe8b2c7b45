#pragma once

#include "state/GadgetState.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

class Gadget;
class Gadget2;

namespace gadget
{
/** Places a window as its stored state says (maximized, at the stored
    position, or centred; see decidePlacement) and shows it as a borderless,
    always-on-top window in front, taking focus. maximize is how the window
    maximizes itself. */
void showOnDesktop (juce::Component& window, const GadgetState& state, const std::function<void()>& maximize);

/** showOnDesktop for a gadget, with its own window state. */
void showOnDesktop (Gadget2& gadget);

/** showOnDesktop for an older gadget: it is never maximized. */
void showOnDesktop (Gadget& gadget, const GadgetState& state);

/** Makes a shown window visible and brings it to the front, taking focus. */
void bringToFront (juce::Component& window);
} // namespace gadget
