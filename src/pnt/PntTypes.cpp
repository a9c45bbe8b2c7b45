#include "pnt/PntTypes.h"
#include "music/Pitch.h"

namespace pnt
{
namespace
{
template <typename Enum, size_t size>
juce::String textOf (const treeprops::EnumTexts<Enum, size>& texts, Enum item)
{
    for (const auto& [candidate, text] : texts)
        if (candidate == item)
            return text;

    return texts.back().second;
}

template <typename Enum, size_t size>
Enum itemOf (const treeprops::EnumTexts<Enum, size>& texts, const juce::String& text, Enum fallback)
{
    for (const auto& [item, itemText] : texts)
        if (text == itemText)
            return item;

    return fallback;
}
} // namespace

juce::String toString (PntFluteType type)
{
    return textOf (fluteTypeTexts, type);
}

PntFluteType fluteTypeFromString (const juce::String& text)
{
    return itemOf (fluteTypeTexts, text, PntFluteType::SixHole);
}

juce::String labelOf (PntFluteType type)
{
    return type == PntFluteType::FiveHole ? "5-hole" : "6-hole";
}

int holeCountOf (PntFluteType type)
{
    return type == PntFluteType::FiveHole ? 5 : 6;
}

juce::String toString (TransposeDirection direction)
{
    return textOf (directionTexts, direction);
}

TransposeDirection directionFromString (const juce::String& text)
{
    return itemOf (directionTexts, text, TransposeDirection::NakaiTab);
}

juce::String labelOf (TransposeDirection direction)
{
    return direction == TransposeDirection::Concert ? "Concert" : "Nakai Tab";
}

juce::String toString (NewPartPlace place)
{
    return textOf (placeTexts, place);
}

NewPartPlace placeFromString (const juce::String& text)
{
    return itemOf (placeTexts, text, NewPartPlace::Below);
}

juce::String toString (NewPartSize size)
{
    return textOf (sizeTexts, size);
}

NewPartSize sizeFromString (const juce::String& text)
{
    return itemOf (sizeTexts, text, NewPartSize::Small);
}

//==============================================================================
PntFingering PntFingering::fromString (const juce::String& text)
{
    PntFingering fingering;
    const auto count = juce::jmin (text.length(), holeCount);

    for (int i = 0; i < count; ++i)
    {
        const auto c = text[i];
        fingering.setHolePosition (i, c == 'H' ? PntHolePosition::Half : c == '1' ? PntHolePosition::Covered
                                                                                  : PntHolePosition::Open);
    }

    return fingering;
}

juce::String PntFingering::toString() const
{
    juce::String text;

    for (int i = 0; i < holeCount; ++i)
    {
        const auto position = getHolePosition (i);
        text << (position == PntHolePosition::Covered ? "1" : position == PntHolePosition::Half ? "H"
                                                                                                : "0");
    }

    return text;
}

void PntFingering::setHolePosition (int hole, PntHolePosition position)
{
    if (hole >= 0 && hole < holeCount)
        holes[hole] = position;
}

PntHolePosition PntFingering::getHolePosition (int hole) const
{
    const auto found = holes.find (hole);
    return found != holes.end() ? found->second : PntHolePosition::Open;
}

//==============================================================================
FluteKey::FluteKey (const juce::String& typed)
{
    auto trimmed = typed.trim();

    if (trimmed.isEmpty())
        trimmed = reference;

    // Upper-casing the whole text would turn the flat sign into a B: "bb3" is B flat 3.
    trimmed = trimmed.substring (0, 1).toUpperCase() + trimmed.substring (1);
    auto pitch = music::Pitch::fromString (trimmed);

    if (pitch.getOctave() == 0)
        pitch.setOctave (4);

    text = pitch.toString();
}
} // namespace pnt
