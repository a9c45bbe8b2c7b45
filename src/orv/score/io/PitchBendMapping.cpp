#include "orv/score/io/PitchBendMapping.h"
#include "utils/TextToInt.h"

#include <cmath>

namespace orv::midi
{
namespace
{
// Nearest integer, halves to even (the default floating-point rounding mode).
double roundHalfEven (double value) noexcept
{
    return std::nearbyint (value);
}

int clampToScale (double value, int max) noexcept
{
    if (!(value >= 0.0))
        return 0;

    return value >= max ? max : static_cast<int> (value);
}
} // namespace

int pitchBendMax (bool notePerformer) noexcept
{
    return notePerformer ? 1023 : 127;
}

int pitchBendCentre (bool notePerformer) noexcept
{
    return notePerformer ? 512 : 64;
}

int decodePitchBendCommandText (const juce::String& text, bool notePerformer)
{
    const auto b = text.indexOfChar ('B');

    if (b < 0)
        return pitchBendCentre (notePerformer);

    const auto comma = text.indexOfChar (b + 1, ',');

    if (!notePerformer)
    {
        const auto second = comma < 0 ? 0 : utils::textToInt (text.substring (comma + 1));
        return juce::jlimit (0, 127, second);
    }

    if (comma < 0)
        return 512;

    const auto lsb = int64_t{utils::textToInt (text.substring (b + 1, comma)) & 127};
    const auto msb = int64_t{utils::textToInt (text.substring (comma + 1))};
    const auto v = msb * 128 + lsb;

    if (v < 7167)
        return 0;

    return static_cast<int> (juce::jmin (int64_t{1023}, 512 + (v - 8192) / 2));
}

int viewYToPitchBendVal (double y, double height, double margin, bool notePerformer)
{
    const auto max = pitchBendMax (notePerformer);
    const auto span = height - 2.0 * margin;

    // A lane with no room to draw in shows the centre.
    if (!(span > 0.0))
        return pitchBendCentre (notePerformer);

    return clampToScale (max - roundHalfEven (max * (y - margin) / span), max);
}

int pitchBendValToViewY (int value, double height, double margin, bool notePerformer)
{
    const double max = pitchBendMax (notePerformer);
    const auto y = roundHalfEven ((max - value) / max * (height - 2.0 * margin)) + margin;
    return static_cast<int> (juce::jlimit (-1.0e9, 1.0e9, y));
}

int semitonesToPitchBendNpVal (double semitones)
{
    return clampToScale (roundHalfEven (semitones * 256.0 + 512.0), 1023);
}

int snapPitchBendNpValToDragGrid (int value)
{
    const auto steps = roundHalfEven ((value - 512.0) / 256.0 / 0.05);
    const auto semitones = juce::jlimit (-2.0, 2.0, steps * 0.05);
    return clampToScale (roundHalfEven (semitones * 256.0 + 512.0), 1023);
}

juce::String formatPitchBendTagLabel (int value, bool notePerformer)
{
    if (!notePerformer)
    {
        const auto offset = int64_t{value} - 64;
        return (value >= 65 ? "+" : "") + juce::String (offset);
    }

    const auto semitones = (value - 512.0) / 256.0;

    if (std::abs (semitones) < 0.005)
        return "0";

    const auto hundredths = static_cast<int64_t> (roundHalfEven (semitones * 100.0));
    const auto magnitude = hundredths < 0 ? -hundredths : hundredths;
    const auto sign = hundredths < 0 ? "-" : (semitones > 0 ? "+" : "");
    return sign + juce::String (magnitude / 100) + "." + juce::String (magnitude % 100).paddedLeft ('0', 2);
}
} // namespace orv::midi
