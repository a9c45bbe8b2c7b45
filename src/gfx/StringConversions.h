#pragma once

#include <juce_core/juce_core.h>

namespace gfx
{
/** The integer at the start of a text (after blanks, with an optional sign);
    0 when there is none; values beyond the int range are clamped. */
int stringToInt (const juce::String& text);

/** The number at the start of a text; 0 when there is none or it is not finite. */
double stringToDouble (const juce::String& text);
} // namespace gfx
