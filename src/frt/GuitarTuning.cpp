#include "frt/GuitarTuning.h"
#include "utils/VarNumbers.h"

namespace frt
{
FretboardSetup::FretboardSetup()
{
    setStandardTuning();
}

void FretboardSetup::setNumberOfStrings (int count)
{
    numberOfStrings = juce::jlimit (1, maxStrings, count);
}

void FretboardSetup::setNumberOfFrets (int count)
{
    numberOfFrets = juce::jmax (0, count);
}

int FretboardSetup::getOpenStringMidiPitch (int stringNumber) const
{
    const auto found = openPitches.find (stringNumber);
    return found != openPitches.end() ? found->second : 0;
}

void FretboardSetup::setOpenStringMidiPitch (int stringNumber, int pitch)
{
    if (stringNumber >= 1 && stringNumber <= maxStrings)
        openPitches[stringNumber] = pitch;
}

void FretboardSetup::setStandardTuning()
{
    numberOfStrings = 6;
    openPitches.clear();

    for (int string = 1; string <= 6; ++string)
        openPitches[string] = standardTuningPitches[static_cast<size_t> (string - 1)];
}

//==============================================================================
GuitarTuning::GuitarTuning() = default;

GuitarTuning GuitarTuning::fromString (const juce::String& text)
{
    const auto tokens = juce::StringArray::fromTokens (text, ",", {});
    GuitarTuning tuning;

    if (tokens.size() != numberOfStrings)
        return {};

    for (int i = 0; i < numberOfStrings; ++i)
    {
        const auto pitch = utils::readInt (tokens[i].trim());

        // A number outside the MIDI range is no pitch: the text is not a tuning.
        if (!pitch.has_value() || *pitch < lowestPitch || *pitch > highestPitch)
            return {};

        tuning.pitches[static_cast<size_t> (i)] = *pitch;
    }

    return tuning;
}

juce::String GuitarTuning::toString() const
{
    juce::StringArray texts;

    for (const auto pitch : pitches)
        texts.add (juce::String (pitch));

    return texts.joinIntoString (",");
}

int GuitarTuning::getOpenStringMidiPitch (int stringNumber) const
{
    if (stringNumber < 1 || stringNumber > numberOfStrings)
        return 0;

    return pitches[static_cast<size_t> (stringNumber - 1)];
}

void GuitarTuning::setOpenStringMidiPitch (int stringNumber, int pitch)
{
    if (stringNumber >= 1 && stringNumber <= numberOfStrings)
        pitches[static_cast<size_t> (stringNumber - 1)] = juce::jlimit (lowestPitch, highestPitch, pitch);
}

int GuitarTuning::getOpenStringMidiPitchLowToHigh (int index) const
{
    return getOpenStringMidiPitch (numberOfStrings - index);
}

FretboardSetup GuitarTuning::toFretboardSetup() const
{
    FretboardSetup setup;

    for (int string = 1; string <= numberOfStrings; ++string)
        setup.setOpenStringMidiPitch (string, getOpenStringMidiPitch (string));

    return setup;
}

const std::vector<TuningPreset>& getTuningPresets()
{
    static const std::vector<TuningPreset> presets = []
    {
        const auto make = [] (const char* label, const char* pitches)
        { return TuningPreset{label, GuitarTuning::fromString (pitches)}; };

        return std::vector<TuningPreset>{make ("Standard\nE A D G B E", "64,59,55,50,45,40"),
                                         make ("Flat (Eb)\nEb Ab Db Gb Bb Eb", "63,58,54,49,44,39"),
                                         make ("Drop D\nD A D G B E", "64,59,55,50,45,38"),
                                         make ("Open G\nD G D G B D", "62,59,55,50,43,38"),
                                         make ("Open D\nD A D F# A D", "62,57,54,50,45,38"),
                                         make ("Drop C\nC G D G B E", "64,59,55,50,43,36")};
    }();

    return presets;
}
} // namespace frt
