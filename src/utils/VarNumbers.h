#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <optional>

namespace utils
{
/** The suite's one rule for reading a whole number out of a value that came
    from outside (a host payload, a property read back from a state file):

    - ints and 64-bit ints are taken as they are;
    - doubles are rounded to the nearest whole number, halves away from zero
      (a host that computes a tick as 255.9999 means 256);
    - text, once trimmed, must be a decimal number in full ("12", "-3",
      "+5", "1024.0", "1e3") and is read the same way; "12abc" is no number;
    - anything else (void, booleans, objects, arrays, NaN, infinities) gives
      nothing.

    Values beyond the range saturate at its ends. */
std::optional<int> readInt (const juce::var& value) noexcept;

/** readInt for 64-bit integers. */
std::optional<int64_t> readInt64 (const juce::var& value) noexcept;

/** readInt, or the fallback when the value holds no number. */
int varToInt (const juce::var& value, int fallback = 0) noexcept;

/** readInt64, or the fallback when the value holds no number. */
int64_t varToInt64 (const juce::var& value, int64_t fallback = 0) noexcept;

/** A floating-point number: numbers as they are, text that is a number in
    full; anything else (and NaN) the fallback. */
double varToDouble (const juce::var& value, double fallback = 0.0) noexcept;
} // namespace utils
