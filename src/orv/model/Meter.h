#pragma once

#include <juce_core/juce_core.h>

namespace orv
{
/** A time signature; text form "numerator/denominator" ("6/8"). */
class Meter final
{
public:
    Meter() = default;
    Meter (int num, int den) noexcept
        : numerator (num)
        , denominator (den)
    {
    }

    int getNumerator() const noexcept { return numerator; }
    int getDenominator() const noexcept { return denominator; }

    /** Text without exactly two fields at "/" gives 0/0. */
    static Meter fromString (const juce::String& text);

    juce::String toString() const;

    /** Ticks of one beat: 1024 / denominator, 0 for a zero denominator. */
    int getBeatTicks() const noexcept;

    bool operator== (const Meter& other) const noexcept { return numerator == other.numerator && denominator == other.denominator; }

private:
    int numerator = 0;
    int denominator = 0;
};
} // namespace orv
