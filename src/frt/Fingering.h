#pragma once

#include "frt/GuitarTuning.h"

#include <juce_core/juce_core.h>

#include <map>
#include <optional>
#include <vector>

namespace frt
{
/** How a string sounds apart from its playing spots. */
enum class StringMode
{
    Open,
    Muted
};

/** A finger on a string at a fret. */
struct PlayingSpot
{
    int fretNumber = 1;
    int stringNumber = 1;
    std::optional<int> fingerNumber;

    bool operator== (const PlayingSpot& other) const
    {
        return fretNumber == other.fretNumber && stringNumber == other.stringNumber && fingerNumber == other.fingerNumber;
    }
};

/** A chord diagram: a name, the strings marked open or muted (a string in
    neither mode is absent from the map), the playing spots and an optional
    barre across every string at one fret.

    A string's pitch: none when it is muted; otherwise its open pitch plus
    the highest of its playing spots' frets and the barre's fret (0 when
    there is neither). Strings count from 1 (the highest). */
class Fingering final
{
public:
    static constexpr int maxStringNumber = FretboardSetup::maxStrings;
    static constexpr int maxFretNumber = 24;
    static constexpr int maxFingerNumber = 5;

    Fingering() = default;
    explicit Fingering (juce::String name);

    const juce::String& getName() const { return name; }
    void setName (const juce::String& newName) { name = newName; }

    /** Puts a spot on the string at the fret (replacing one there, finger included). */
    void setPlayingSpot (int stringNumber, int fretNumber, std::optional<int> fingerNumber = std::nullopt);
    /** Removes the spot at the string and fret when there is one, else adds it. */
    void togglePlayingSpot (int stringNumber, int fretNumber);
    /** Removes every spot at the fret. */
    void clearPlayingSpotsAtFret (int fretNumber);
    const std::vector<PlayingSpot>& getPlayingSpots() const { return spots; }

    /** Sets or, with nothing, clears the string's mode. */
    void setStringMode (int stringNumber, std::optional<StringMode> mode);
    std::optional<StringMode> getStringMode (int stringNumber) const;

    void setBarreAtFret (int fretNumber);
    void clearBarre() { barreFret.reset(); }
    /** The barre's fret, when there is a barre. */
    std::optional<int> getBarreOp() const { return barreFret; }

    /** The index of a string in a frets array of six: string 6 is 0, string 1 is 5. */
    static int stringNumberToIndex (int stringNumber) { return GuitarTuning::numberOfStrings - stringNumber; }

    /** The string's pitch in the tuning; nothing for a muted string. */
    std::optional<int> getMidiPitchForStringOp (int stringNumber, const GuitarTuning& tuning) const;
    /** The pitches of strings 1 to 6 in that order, muted strings left out. */
    std::vector<int> getMidiPitches (const GuitarTuning& tuning) const;

    /** The highest and lowest fret a spot or the barre holds; nothing when none does. */
    std::optional<juce::Range<int>> getFrettedRange() const;

    /** {"name", "stringModes": [{"stringNumber", "stringMode"}], "playingSpots":
        [{"fretNumber", "stringNumber", "fingerNumber" when set}], "barre":
        {"fretNumber"} when there is one}. */
    juce::var toVar() const;
    /** The JSON text of toVar(). */
    juce::String toString() const;
    /** Reads the text form; nothing when the text is no JSON object. Entries
        whose string, fret or finger lie outside the diagram's numbers are
        left out. */
    static std::optional<Fingering> fromString (const juce::String& text);

    bool operator== (const Fingering& other) const;
    bool operator!= (const Fingering& other) const { return !(*this == other); }

private:
    juce::String name;
    std::map<int, StringMode> stringModes;
    std::vector<PlayingSpot> spots;
    std::optional<int> barreFret;
};
} // namespace frt
