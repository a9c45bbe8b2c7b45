#pragma once

#include <juce_core/juce_core.h>

namespace gui
{
/** One choice of a drop-down: an id and its label. */
struct ComboOption
{
    int id = 0;
    juce::String label;
};
} // namespace gui
