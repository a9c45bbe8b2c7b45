#include "orv/ui/tracker/au/LaneScale.h"
#include "orv/score/io/PitchBendMapping.h"
#include "utils/Midi.h"

#include <cmath>

namespace orv::tracker::au
{
bool LaneScale::isPitchBend() const
{
    return controller == utils::midi::pitchBendControlNum;
}

int LaneScale::getMaxValue() const
{
    return isPitchBend() ? midi::pitchBendMax (notePerformer) : 127;
}

int LaneScale::getCentreValue() const
{
    return isPitchBend() ? midi::pitchBendCentre (notePerformer) : 64;
}

bool LaneScale::isBipolar() const
{
    return isPitchBend() || controller == 8 || controller == 10;
}

float LaneScale::valueToY (int value) const
{
    const auto max = static_cast<float> (getMaxValue());
    const auto v = static_cast<float> (juce::jlimit (0, getMaxValue(), value));
    return margin + (max - v) / max * (height - 2.0f * margin);
}

int LaneScale::yToValue (float y) const
{
    if (!isUsable())
        return getCentreValue();

    if (isPitchBend())
    {
        const auto value = midi::viewYToPitchBendVal (y, height, margin, notePerformer);
        return notePerformer ? midi::snapPitchBendNpValToDragGrid (value) : value;
    }

    const auto share = (y - margin) / (height - 2.0f * margin);
    return juce::jlimit (0, 127, 127 - juce::roundToInt (share * 127.0f));
}

float LaneScale::getBaselineY() const
{
    return isBipolar() ? valueToY (getCentreValue()) : height - margin;
}

juce::String LaneScale::formatValue (int value) const
{
    return isPitchBend() ? midi::formatPitchBendTagLabel (value, notePerformer) : juce::String (value);
}

int LaneScale::step (int value, int direction) const
{
    const auto sign = direction > 0 ? 1 : (direction < 0 ? -1 : 0);

    if (isPitchBend() && notePerformer)
    {
        const auto semitones = (value - getCentreValue()) / 256.0 + sign * 0.05;
        return midi::snapPitchBendNpValToDragGrid (midi::semitonesToPitchBendNpVal (juce::jlimit (-2.0, 2.0, semitones)));
    }

    return juce::jlimit (0, getMaxValue(), value + sign);
}

std::optional<int> LaneScale::parseValueText (const juce::String& text) const
{
    const auto trimmed = text.trim();

    if (!isPitchBend())
    {
        if (trimmed.isEmpty() || !trimmed.containsOnly ("0123456789"))
            return std::nullopt;

        // Long digit strings are simply large: clamp before converting.
        if (trimmed.length() > 4)
            return getMaxValue();

        return juce::jlimit (0, getMaxValue(), trimmed.getIntValue());
    }

    // Half-typed numbers: wait for the rest.
    if (trimmed.isEmpty() || trimmed == "+" || trimmed == "-" || trimmed.endsWithChar ('.'))
        return std::nullopt;

    const auto body = trimmed.startsWithChar ('+') || trimmed.startsWithChar ('-') ? trimmed.substring (1) : trimmed;

    if (body.isEmpty() || !body.containsOnly ("0123456789.") || body.indexOfChar ('.') != body.lastIndexOfChar ('.') || body.startsWithChar ('.'))
        return std::nullopt;

    const auto number = trimmed.getDoubleValue();

    if (!std::isfinite (number))
        return std::nullopt;

    if (notePerformer)
        return midi::semitonesToPitchBendNpVal (juce::jlimit (-2.0, 2.0, number));

    const auto centre = getCentreValue();
    const auto offset = juce::jlimit (static_cast<double> (-centre), static_cast<double> (127 - centre), number);
    return juce::jlimit (0, 127, centre + juce::roundToInt (offset));
}
} // namespace orv::tracker::au
