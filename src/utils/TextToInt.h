#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <optional>

namespace utils
{
/** Clamps a 64-bit value into the 32-bit range. */
int saturateToInt (int64_t value) noexcept;

/** Reads a leading decimal integer the way juce::String::getIntValue does
    (leading white space, an optional "-", then digits up to the first other
    character; no digits give 0), but clamps to the 32-bit range instead of
    wrapping, so text from outside can never overflow. */
int textToInt (juce::StringRef text) noexcept;

/** The integer at the start of the text (after blanks and an optional sign),
    ignoring what follows it; nothing when no digit comes first. Saturates. */
std::optional<int> leadingInt (juce::StringRef text) noexcept;
} // namespace utils
