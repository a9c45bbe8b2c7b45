#include "orv/model/Poser.h"
#include "utils/TextToInt.h"

namespace orv
{
namespace
{
// Splits at every comma; the count of fields decides whether text is a poser.
juce::StringArray splitFields (const juce::String& text, juce::juce_wchar separator)
{
    juce::StringArray fields;
    int start = 0;

    for (;;)
    {
        const auto next = text.indexOfChar (start, separator);

        if (next < 0)
        {
            fields.add (text.substring (start));
            return fields;
        }

        fields.add (text.substring (start, next));
        start = next + 1;
    }
}
} // namespace

int Poser::compare (int barA, int posA, int barB, int posB) noexcept
{
    if (barA != barB)
        return barA < barB ? -1 : 1;

    if (posA != posB)
        return posA < posB ? -1 : 1;

    return 0;
}

juce::String Poser::toString() const
{
    if (clear)
        return {};

    return juce::String (bar) + "," + juce::String (pos);
}

Poser Poser::fromString (const juce::String& text)
{
    const auto fields = splitFields (text, ',');

    if (fields.size() != 2)
        return {};

    return {utils::textToInt (fields[0]), utils::textToInt (fields[1])};
}

bool Poser::operator== (const Poser& other) const noexcept
{
    if (clear || other.clear)
        return clear == other.clear;

    return bar == other.bar && pos == other.pos;
}

bool Poser::operator<(const Poser& other) const noexcept
{
    return !clear && !other.clear && compare (bar, pos, other.bar, other.pos) < 0;
}

bool Poser::operator<= (const Poser& other) const noexcept
{
    return !clear && !other.clear && compare (bar, pos, other.bar, other.pos) <= 0;
}

juce::String Region::toString() const
{
    return from.toString() + "|" + to.toString();
}

Region Region::fromString (const juce::String& text)
{
    const auto fields = splitFields (text, '|');

    if (fields.size() != 2)
        return {};

    return {Poser::fromString (fields[0]), Poser::fromString (fields[1])};
}

juce::String NodePoser::toString() const
{
    if (clear)
        return {};

    return juce::String (bar) + "," + juce::String (pos) + "," + juce::String (val);
}

NodePoser NodePoser::fromString (const juce::String& text)
{
    const auto fields = splitFields (text, ',');

    if (fields.size() != 3)
        return {};

    return {utils::textToInt (fields[0]), utils::textToInt (fields[1]), utils::textToInt (fields[2])};
}

bool NodePoser::operator== (const NodePoser& other) const noexcept
{
    if (clear || other.clear)
        return clear == other.clear;

    return bar == other.bar && pos == other.pos && val == other.val;
}

bool NodePoserInterval::contains (const Poser& poser) const noexcept
{
    if (!isSet() || poser.isClear())
        return false;

    const auto lower = from.getPoser();
    const auto upper = to.getPoser();
    const bool afterFrom = fromInclusive ? lower <= poser : lower < poser;
    const bool beforeTo = toInclusive ? poser <= upper : poser < upper;
    return afterFrom && beforeTo;
}
} // namespace orv
