#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <map>
#include <vector>

namespace frt
{
/** The open-string pitches of standard tuning, strings 1 (highest) to 6. */
inline constexpr std::array<int, 6> standardTuningPitches{64, 59, 55, 50, 45, 40};

/** The fretboard the fingering search works on: how many strings and frets,
    and the open pitch of each string (1 = the highest). Six strings and 20
    frets unless told otherwise; more strings only serve measurements. */
class FretboardSetup final
{
public:
    static constexpr int maxStrings = 8;

    FretboardSetup();

    int getNumberOfStrings() const { return numberOfStrings; }
    int getNumberOfFrets() const { return numberOfFrets; }
    /** Clamped to 1..maxStrings. */
    void setNumberOfStrings (int count);
    void setNumberOfFrets (int count);

    /** The open pitch of a string; 0 for a string the board does not have. */
    int getOpenStringMidiPitch (int stringNumber) const;
    void setOpenStringMidiPitch (int stringNumber, int pitch);

    /** Six strings tuned 64, 59, 55, 50, 45, 40 (strings 1 to 6). */
    void setStandardTuning();

private:
    int numberOfStrings = 6;
    int numberOfFrets = 20;
    std::map<int, int> openPitches;
};

/** The six open-string pitches of a guitar, by string number (1 = the
    highest). Its text form is the six numbers joined with ",". Every pitch
    stays within 0..127. */
class GuitarTuning final
{
public:
    static constexpr int numberOfStrings = 6;
    static constexpr int lowestPitch = 0;
    static constexpr int highestPitch = 127;

    /** Standard tuning. */
    GuitarTuning();

    /** The tuning of a text of exactly six whole numbers within 0..127
        joined with ","; standard tuning for any other text. */
    static GuitarTuning fromString (const juce::String& text);
    juce::String toString() const;

    /** The open pitch of string 1..6; 0 for any other number. */
    int getOpenStringMidiPitch (int stringNumber) const;
    /** Sets string 1..6, clamping the pitch into 0..127; other strings are ignored. */
    void setOpenStringMidiPitch (int stringNumber, int pitch);
    /** From the lowest string up: index 0 is string 6, index 5 string 1. */
    int getOpenStringMidiPitchLowToHigh (int index) const;

    /** A six-string fretboard of this tuning and the standard 20 frets. */
    FretboardSetup toFretboardSetup() const;

    bool operator== (const GuitarTuning& other) const { return pitches == other.pitches; }
    bool operator!= (const GuitarTuning& other) const { return !(*this == other); }

private:
    std::array<int, numberOfStrings> pitches = standardTuningPitches;
};

/** A tuning the options drawer offers: its label (a name, a line break,
    then the open strings from string 6 to string 1) and its pitches. */
struct TuningPreset
{
    juce::String label;
    GuitarTuning tuning;
};

/** Standard, Flat (Eb), Drop D, Open G, Open D and Drop C. */
const std::vector<TuningPreset>& getTuningPresets();
} // namespace frt
