#include "music/Interval.h"
#include "utils/TextToInt.h"

#include <cstdlib>

namespace music
{
namespace
{
// Semitones above the lower note for the simple degrees 1..7 (index 0 unused).
constexpr int semitoneBases[] = {0, 0, 2, 4, 5, 7, 9, 11};

int64_t magnitude (int value) noexcept
{
    return std::llabs (int64_t{value});
}

// Semitone size of a degree before its quality is applied, without sign.
int64_t unsignedBaseOf (Interval::Degree degree) noexcept
{
    return semitoneBases[degree.getSimple()] + 12 * int64_t{degree.getOctaves()};
}
} // namespace

int Interval::Degree::getZeroBased() const noexcept
{
    if (value >= 1)
        return value - 1;

    if (value <= -1)
        return value + 1;

    return 0;
}

int Interval::Degree::getSimple() const noexcept
{
    if (value == 0)
        return 0;

    return static_cast<int> ((magnitude (value) - 1) % 7) + 1;
}

int Interval::Degree::getOctaves() const noexcept
{
    if (value == 0)
        return 0;

    return static_cast<int> ((magnitude (value) - 1) / 7);
}

bool Interval::Degree::isPerfectBased() const noexcept
{
    const auto simple = getSimple();
    return simple == 1 || simple == 4 || simple == 5;
}

Interval::Interval (Degree d, Type t) noexcept
    : degree (d)
    , type (t)
{
}

void Interval::setTypeSafe (Type newType) noexcept
{
    if (degree.isPerfectBased())
        type = (newType == Major || newType == Minor) ? Perfect : newType;
    else
        type = newType == Perfect ? Major : newType;
}

int Interval::getSemitones() const noexcept
{
    if (degree.get() == 0)
        return 0;

    int adjustment = 0;

    if (degree.isPerfectBased())
    {
        if (type == Diminished)
            adjustment = -1;
        else if (type == Augmented)
            adjustment = 1;
    }
    else
    {
        if (type == Minor)
            adjustment = -1;
        else if (type == Diminished)
            adjustment = -2;
        else if (type == Augmented)
            adjustment = 1;
    }

    const auto size = unsignedBaseOf (degree) + adjustment;
    return utils::saturateToInt (degree.isDescending() ? -size : size);
}

Interval Interval::fromPitchDistance (const Pitch& from, const Pitch& to)
{
    const auto steps = int64_t{to.getDiatonicNumber()} - from.getDiatonicNumber();
    const Degree d = utils::saturateToInt (steps > 0 ? steps + 1 : (steps < 0 ? steps - 1 : 1));

    const auto distance = std::llabs (int64_t{to.getMidiNumber()} - from.getMidiNumber());
    const auto deviation = distance - unsignedBaseOf (d);

    Type t = undefined;

    if (d.isPerfectBased())
    {
        if (deviation == -1)
            t = Diminished;
        else if (deviation == 0)
            t = Perfect;
        else if (deviation == 1)
            t = Augmented;
    }
    else
    {
        if (deviation == -2)
            t = Diminished;
        else if (deviation == -1)
            t = Minor;
        else if (deviation == 0)
            t = Major;
        else if (deviation == 1)
            t = Augmented;
    }

    return {d, t};
}

juce::String Interval::toString() const
{
    static const char* const names[] = {"Und", "Per", "Maj", "Min", "Dim", "Aug"};
    const auto* typeName = (type >= Perfect && type <= Augmented) ? names[type] : names[0];

    return juce::String (degree.isDescending() ? "-" : "") + typeName + juce::String (magnitude (degree.get()));
}

Interval Interval::fromString (const juce::String& text)
{
    auto body = text;
    const bool descending = body.containsChar ('-');

    if (descending)
        body = body.removeCharacters ("-");

    const auto typeName = body.substring (0, 3);
    Type t = undefined;

    if (typeName == "Per")
        t = Perfect;
    else if (typeName == "Maj")
        t = Major;
    else if (typeName == "Min")
        t = Minor;
    else if (typeName == "Dim")
        t = Diminished;
    else if (typeName == "Aug")
        t = Augmented;

    // The magnitude is at most INT_MAX, so negating it cannot overflow.
    const auto value = utils::textToInt (body.substring (3));
    Interval result;
    result.degree = descending ? -value : value;
    result.setTypeSafe (t);
    return result;
}

juce::String Interval::getTypeInHostFormat() const
{
    switch (type)
    {
        case Perfect:
        case Major:
            return "5";
        case Minor:
        case Diminished:
            return "4";
        case Augmented:
            return "6";
        case undefined:
        default:
            return "-1";
    }
}
} // namespace music
