#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>

namespace utils
{
/** Reads a variant as a 32-bit integer without ever overflowing: 64-bit and
    floating-point numbers are truncated and clamped into range (NaN gives
    the fallback), booleans give 0 or 1, strings their leading integer;
    anything else (void, objects, arrays) gives the fallback. */
int varToInt (const juce::var& value, int fallback = 0) noexcept;

/** As varToInt, for 64-bit integers. */
int64_t varToInt64 (const juce::var& value, int64_t fallback = 0) noexcept;

/** Reads a variant as a floating-point number: numbers as they are, booleans
    0 or 1, strings their leading number; anything else the fallback. */
double varToDouble (const juce::var& value, double fallback = 0.0) noexcept;
} // namespace utils
