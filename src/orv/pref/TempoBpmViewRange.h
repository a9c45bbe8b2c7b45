#pragma once

#include <juce_core/juce_core.h>

namespace orv
{
/** The tempo range a tempo lane shows: never below 0 bpm and never narrower
    than 20 bpm. Text form "min,max". */
class TempoBpmViewRange final
{
public:
    static constexpr double minimumSpan = 20.0;

    /** Raises the minimum to 0 and the maximum to minimum + 20 when needed. */
    TempoBpmViewRange (double minimumBpm = 0.0, double maximumBpm = minimumSpan) noexcept;

    double getMin() const noexcept { return minBpm; }
    double getMax() const noexcept { return maxBpm; }

    juce::String toString() const;

    /** Text that does not split into exactly two numbers at "," gives 0 to 20. */
    static TempoBpmViewRange fromString (const juce::String& text);

    /** The range with another upper end, kept at least 20 bpm above the lower one. */
    TempoBpmViewRange withUpper (double bpm) const noexcept;
    /** The range with another lower end, kept at least 20 bpm below the upper one. */
    TempoBpmViewRange withLower (double bpm) const noexcept;

    bool operator== (const TempoBpmViewRange& other) const noexcept { return minBpm == other.minBpm && maxBpm == other.maxBpm; }

private:
    double minBpm, maxBpm;
};
} // namespace orv
