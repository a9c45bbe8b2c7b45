#include "utils/VarNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace utils
{
namespace
{
constexpr auto int64Min = std::numeric_limits<int64_t>::min();
constexpr auto int64Max = std::numeric_limits<int64_t>::max();

std::optional<int64_t> fromDouble (double value) noexcept
{
    if (!std::isfinite (value))
        return std::nullopt;

    const auto rounded = std::round (value);

    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;

    if (rounded >= limit)
        return int64Max;

    if (rounded < -limit)
        return int64Min;

    return static_cast<int64_t> (rounded);
}

std::optional<int64_t> fromText (const juce::String& text) noexcept
{
    const auto trimmed = text.trim();
    const auto* begin = trimmed.toRawUTF8();
    const auto* end = begin + trimmed.getNumBytesAsUTF8();

    if (begin == end)
        return std::nullopt;

    // from_chars takes no leading '+'; a person typing a number might.
    if (*begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;

    int64_t whole = 0;
    const auto asInt = std::from_chars (begin, end, whole);

    if (asInt.ec == std::errc() && asInt.ptr == end)
        return whole;

    if (asInt.ec == std::errc::result_out_of_range && asInt.ptr == end)
        return *begin == '-' ? int64Min : int64Max;

    double real = 0.0;
    const auto asDouble = std::from_chars (begin, end, real);

    if (asDouble.ptr != end)
        return std::nullopt;

    if (asDouble.ec == std::errc::result_out_of_range)
        return *begin == '-' ? int64Min : int64Max;

    if (asDouble.ec != std::errc())
        return std::nullopt;

    return fromDouble (real);
}

int saturate (int64_t value) noexcept
{
    return static_cast<int> (juce::jlimit<int64_t> (std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), value));
}
} // namespace

std::optional<int64_t> readInt64 (const juce::var& value) noexcept
{
    if (value.isInt() || value.isInt64())
        return static_cast<juce::int64> (value);

    if (value.isDouble())
        return fromDouble (static_cast<double> (value));

    if (value.isString())
        return fromText (value.toString());

    return std::nullopt;
}

std::optional<int> readInt (const juce::var& value) noexcept
{
    if (value.isInt())
        return static_cast<int> (value);

    if (const auto wide = readInt64 (value))
        return saturate (*wide);

    return std::nullopt;
}

int varToInt (const juce::var& value, int fallback) noexcept
{
    return readInt (value).value_or (fallback);
}

int64_t varToInt64 (const juce::var& value, int64_t fallback) noexcept
{
    return readInt64 (value).value_or (fallback);
}

double varToDouble (const juce::var& value, double fallback) noexcept
{
    if (value.isInt() || value.isInt64() || value.isDouble())
    {
        const auto number = static_cast<double> (value);
        return std::isnan (number) ? fallback : number;
    }

    if (value.isString())
    {
        const auto trimmed = value.toString().trim();
        const auto* begin = trimmed.toRawUTF8();
        const auto* end = begin + trimmed.getNumBytesAsUTF8();

        if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-')
            ++begin;

        double number = 0.0;
        const auto result = std::from_chars (begin, end, number);

        if (begin != end && result.ec == std::errc() && result.ptr == end && !std::isnan (number))
            return number;
    }

    return fallback;
}
} // namespace utils
