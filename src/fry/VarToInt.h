#pragma once

#include <juce_core/juce_core.h>

#include <optional>

namespace fry
{
/** Reads a number of the host's payload, which may arrive as an int, a
    64-bit int, a double or numeric text. Doubles are rounded to the nearest
    whole number and values beyond the int range saturate. Anything else
    (void, bools, objects, arrays, text that is not a number, NaN) gives
    nothing. */
std::optional<int> varToInt (const juce::var& value);

/** The integer at the start of the text (after blanks and an optional sign),
    ignoring what follows it; nothing when no digit comes first. Saturates. */
std::optional<int> leadingInt (juce::StringRef text);
} // namespace fry
