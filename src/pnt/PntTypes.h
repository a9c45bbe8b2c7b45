#pragma once

#include "state/TreeProps.h"

#include <juce_core/juce_core.h>

#include <map>
#include <optional>

namespace pnt
{
/** How many finger holes the flute has. */
enum class PntFluteType
{
    FiveHole = 0,
    SixHole = 1
};

/** How one hole is fingered. */
enum class PntHolePosition
{
    Open = 0,
    Covered = 1,
    Half = 2
};

/** Which way a transposition goes: to sounding pitch, or to the flutes' F#
    tablature (every flute written as if it were an F#4 flute). */
enum class TransposeDirection
{
    Concert = 0,
    NakaiTab = 1
};

/** Where a transposition into a new staff puts that staff. */
enum class NewPartPlace
{
    Above = 0,
    Below = 1
};

/** The size of a new staff. */
enum class NewPartSize
{
    Normal = 0,
    Small = 1
};

inline constexpr treeprops::EnumTexts<PntFluteType, 2> fluteTypeTexts{{{PntFluteType::FiveHole, "FiveHole"},
                                                                       {PntFluteType::SixHole, "SixHole"}}};
inline constexpr treeprops::EnumTexts<TransposeDirection, 2> directionTexts{{{TransposeDirection::Concert, "Concert"},
                                                                             {TransposeDirection::NakaiTab, "NakaiTab"}}};
inline constexpr treeprops::EnumTexts<NewPartPlace, 2> placeTexts{{{NewPartPlace::Above, "Above"}, {NewPartPlace::Below, "Below"}}};
inline constexpr treeprops::EnumTexts<NewPartSize, 2> sizeTexts{{{NewPartSize::Normal, "Normal"}, {NewPartSize::Small, "Small"}}};

juce::String toString (PntFluteType type);
/** "FiveHole" or "SixHole"; any other text reads as SixHole. */
PntFluteType fluteTypeFromString (const juce::String& text);
/** The gadget's label: "5-hole" or "6-hole". */
juce::String labelOf (PntFluteType type);
/** The holes a flute of the type has. */
int holeCountOf (PntFluteType type);

juce::String toString (TransposeDirection direction);
/** Any text but "Concert" reads as NakaiTab. */
TransposeDirection directionFromString (const juce::String& text);
/** The gadget's label: "Concert" or "Nakai Tab". */
juce::String labelOf (TransposeDirection direction);

juce::String toString (NewPartPlace place);
/** Any text but "Above" reads as Below. */
NewPartPlace placeFromString (const juce::String& text);

juce::String toString (NewPartSize size);
/** Any text but "Normal" reads as Small. */
NewPartSize sizeFromString (const juce::String& text);

/** One fingering: hole index (0 at the top) to its position. Holes without
    an entry are open. The text form always has six characters, one per
    hole 0..5: "1" covered, "H" half, "0" open. */
class PntFingering final
{
public:
    static constexpr int holeCount = 6;

    PntFingering() = default;

    /** Character i sets hole i: "H" half, "1" covered, anything else open.
        Characters beyond the sixth hole are ignored; an empty text gives no holes. */
    static PntFingering fromString (const juce::String& text);

    /** Six characters for holes 0..5 (a five-hole pattern ends in "0"). */
    juce::String toString() const;

    /** Holes outside 0..5 are ignored. */
    void setHolePosition (int hole, PntHolePosition position);
    /** Open for a hole without an entry. */
    PntHolePosition getHolePosition (int hole) const;

    /** How many holes have an entry. */
    int getNumHoles() const { return static_cast<int> (holes.size()); }

    bool operator== (const PntFingering& other) const { return toString() == other.toString(); }
    bool operator!= (const PntFingering& other) const { return !operator== (other); }

private:
    std::map<int, PntHolePosition> holes;
};

/** The flute's key as pitch text ("F#4", "A4", "Bb3"). What the user typed
    is tidied: only the letter is upper-cased (a lower-case "b" is the flat
    sign), an empty text means the F#4 flute, and a key without octave is in
    octave 4. */
class FluteKey final
{
public:
    static constexpr const char* reference = "F#4";

    explicit FluteKey (const juce::String& typed);

    /** The tidied text, e.g. "A4" for "a". */
    const juce::String& toString() const { return text; }

private:
    juce::String text;
};
} // namespace pnt
