#include "fry/VarToInt.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace fry
{
namespace
{
constexpr auto intMin = std::numeric_limits<int>::min();
constexpr auto intMax = std::numeric_limits<int>::max();

int saturate (juce::int64 value)
{
    return static_cast<int> (juce::jlimit<juce::int64> (intMin, intMax, value));
}

std::optional<int> fromDouble (double value)
{
    if (!std::isfinite (value))
        return std::nullopt;

    const auto rounded = std::round (value);

    if (rounded <= static_cast<double> (intMin))
        return intMin;

    if (rounded >= static_cast<double> (intMax))
        return intMax;

    return static_cast<int> (rounded);
}

std::optional<int> fromText (const juce::String& text)
{
    const auto trimmed = text.trim();
    const auto* begin = trimmed.toRawUTF8();
    const auto* end = begin + trimmed.getNumBytesAsUTF8();

    if (begin == end)
        return std::nullopt;

    // from_chars takes no leading '+'; the host never sends one, but text
    // typed by a person might.
    if (*begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;

    juce::int64 whole = 0;
    const auto asInt = std::from_chars (begin, end, whole);

    if (asInt.ec == std::errc() && asInt.ptr == end)
        return saturate (whole);

    if (asInt.ec == std::errc::result_out_of_range && asInt.ptr == end)
        return *begin == '-' ? intMin : intMax;

    double real = 0.0;
    const auto asDouble = std::from_chars (begin, end, real);

    if (asDouble.ptr != end)
        return std::nullopt;

    if (asDouble.ec == std::errc::result_out_of_range)
        return *begin == '-' ? intMin : intMax;

    if (asDouble.ec != std::errc())
        return std::nullopt;

    return fromDouble (real);
}
} // namespace

std::optional<int> varToInt (const juce::var& value)
{
    if (value.isInt())
        return static_cast<int> (value);

    if (value.isInt64())
        return saturate (static_cast<juce::int64> (value));

    if (value.isDouble())
        return fromDouble (static_cast<double> (value));

    if (value.isString())
        return fromText (value.toString());

    return std::nullopt;
}

std::optional<int> leadingInt (juce::StringRef text)
{
    auto p = text.text;

    while (p.isWhitespace())
        ++p;

    bool negative = false;

    if (*p == '-' || *p == '+')
    {
        negative = *p == '-';
        ++p;
    }

    if (!p.isDigit())
        return std::nullopt;

    juce::int64 magnitude = 0;

    for (; p.isDigit(); ++p)
        magnitude = juce::jmin<juce::int64> (magnitude * 10 + (*p - '0'), juce::int64 (intMax) + 1);

    return saturate (negative ? -magnitude : magnitude);
}
} // namespace fry
