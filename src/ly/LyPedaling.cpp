#include "ly/LyPedaling.h"

#include <algorithm>
#include <optional>

namespace ly
{
namespace
{
std::optional<LyPedalPosition> positionOf (juce::juce_wchar c)
{
    switch (c)
    {
        case '-':
            return LyPedalPosition::Natural;
        case '#':
            return LyPedalPosition::Sharp;
        case 'b':
            return LyPedalPosition::Flat;
        default:
            return std::nullopt;
    }
}
} // namespace

LyPedaling LyPedaling::allAt (LyPedalPosition position)
{
    LyPedaling pedaling;

    for (const auto* name : kPedals)
        pedaling.positions[name] = position;

    return pedaling;
}

LyPedaling LyPedaling::fromString (const juce::String& text)
{
    // There are seven pedals: whatever follows them is not read.
    const auto count = std::min (text.length(), static_cast<int> (kPedals.size()));
    LyPedaling pedaling;

    for (int i = 0; i < count; ++i)
    {
        const auto position = positionOf (text[i]);

        if (!position.has_value())
            return allAt (LyPedalPosition::Natural);

        pedaling.positions[kPedals[static_cast<size_t> (i)]] = *position;
    }

    return pedaling;
}

juce::String LyPedaling::toString() const
{
    juce::String text;

    for (const auto* name : kPedals)
    {
        const auto it = positions.find (name);
        text << toChar (it == positions.end() ? LyPedalPosition::Natural : it->second);
    }

    return text;
}

bool LyPedaling::setPedalPosition (const juce::String& name, LyPedalPosition position)
{
    if (!isPedal (name))
        return false;

    positions[name] = position;
    return true;
}

LyPedalPosition LyPedaling::getPedalPosition (const juce::String& name) const
{
    const auto it = positions.find (name);
    return it == positions.end() ? LyPedalPosition::Natural : it->second;
}

char LyPedaling::toChar (LyPedalPosition position)
{
    switch (position)
    {
        case LyPedalPosition::Sharp:
            return '#';
        case LyPedalPosition::Flat:
            return 'b';
        case LyPedalPosition::Natural:
            break;
    }

    return '-';
}

bool LyPedaling::isPedal (const juce::String& name)
{
    return std::any_of (kPedals.begin(), kPedals.end(), [&name] (const char* pedal)
                        { return name == pedal; });
}
} // namespace ly
