#include "orv/pref/TempoBpmViewRange.h"

#include <cmath>

namespace orv
{
namespace
{
bool isNumberText (const juce::String& text)
{
    const auto t = text.trim();

    if (t.isEmpty() || !t.containsOnly ("0123456789.-+eE"))
        return false;

    return t.containsAnyOf ("0123456789");
}

juce::String numberText (double value)
{
    if (value == std::floor (value) && std::abs (value) < 1.0e15)
        return juce::String (static_cast<juce::int64> (value));

    return juce::String (value);
}

double finiteOr (double value, double fallback) noexcept
{
    return std::isfinite (value) ? value : fallback;
}
} // namespace

TempoBpmViewRange::TempoBpmViewRange (double minimumBpm, double maximumBpm) noexcept
    : minBpm (juce::jmax (0.0, finiteOr (minimumBpm, 0.0)))
    , maxBpm (juce::jmax (minBpm + minimumSpan, finiteOr (maximumBpm, 0.0)))
{
}

juce::String TempoBpmViewRange::toString() const
{
    return numberText (minBpm) + "," + numberText (maxBpm);
}

TempoBpmViewRange TempoBpmViewRange::fromString (const juce::String& text)
{
    const auto comma = text.indexOfChar (',');

    if (comma < 0 || text.indexOfChar (comma + 1, ',') >= 0)
        return {};

    const auto first = text.substring (0, comma);
    const auto second = text.substring (comma + 1);

    if (!isNumberText (first) || !isNumberText (second))
        return {};

    return {first.trim().getDoubleValue(), second.trim().getDoubleValue()};
}

TempoBpmViewRange TempoBpmViewRange::withUpper (double bpm) const noexcept
{
    return {minBpm, juce::jmax (finiteOr (bpm, maxBpm), minBpm + minimumSpan)};
}

TempoBpmViewRange TempoBpmViewRange::withLower (double bpm) const noexcept
{
    return {juce::jmin (finiteOr (bpm, minBpm), maxBpm - minimumSpan), maxBpm};
}
} // namespace orv
