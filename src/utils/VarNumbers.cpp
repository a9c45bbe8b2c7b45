#include "utils/VarNumbers.h"
#include "utils/TextToInt.h"

#include <cmath>
#include <limits>

namespace utils
{
namespace
{
int64_t doubleToInt64 (double d, int64_t fallback) noexcept
{
    if (std::isnan (d))
        return fallback;

    // 2^63 is exactly representable; anything at or beyond it is clamped.
    constexpr double limit = 9223372036854775808.0;

    if (d >= limit)
        return std::numeric_limits<int64_t>::max();

    if (d < -limit)
        return std::numeric_limits<int64_t>::min();

    return static_cast<int64_t> (d);
}
} // namespace

int varToInt (const juce::var& value, int fallback) noexcept
{
    if (value.isInt())
        return static_cast<int> (value);

    if (value.isInt64() || value.isDouble())
        return saturateToInt (varToInt64 (value, fallback));

    if (value.isBool())
        return static_cast<bool> (value) ? 1 : 0;

    if (value.isString())
        return textToInt (value.toString());

    return fallback;
}

int64_t varToInt64 (const juce::var& value, int64_t fallback) noexcept
{
    if (value.isInt() || value.isInt64())
        return static_cast<juce::int64> (value);

    if (value.isDouble())
        return doubleToInt64 (static_cast<double> (value), fallback);

    if (value.isBool())
        return static_cast<bool> (value) ? 1 : 0;

    if (value.isString())
    {
        // Strings in the wild are short decimal integers; textToInt clamps to 32 bits.
        return textToInt (value.toString());
    }

    return fallback;
}

double varToDouble (const juce::var& value, double fallback) noexcept
{
    if (value.isInt() || value.isInt64() || value.isDouble() || value.isBool())
        return static_cast<double> (value);

    if (value.isString())
        return value.toString().getDoubleValue();

    return fallback;
}
} // namespace utils
