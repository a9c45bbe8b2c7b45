#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <map>

namespace ly
{
/** Where a harp pedal stands; the values are those of the stored text's readers. */
enum class LyPedalPosition
{
    Natural = 0,
    Sharp = 1,
    Flat = 2
};

/** The seven pedals of a pedal harp and where each stands. The text form
    has one character per pedal in kPedals order: "-" natural, "#" sharp,
    "b" flat; a pedal not set is written "-". */
class LyPedaling final
{
public:
    /** The pedal names in their fixed order, left-foot pedals first. */
    static constexpr std::array<const char*, 7> kPedals{"D", "C", "B", "E", "F", "G", "A"};

    /** No pedal set (written as seven "-"). */
    LyPedaling() = default;

    /** Every pedal at the same position. */
    static LyPedaling allAt (LyPedalPosition position);

    /** Reads the first seven characters, character i being pedal i. Any
        character other than "-", "#" or "b" among them gives all pedals
        natural; a shorter text leaves the remaining pedals unset, and
        characters past the seventh are not read. */
    static LyPedaling fromString (const juce::String& text);

    /** Seven characters, one per pedal in kPedals order. */
    juce::String toString() const;

    /** Sets a pedal by name; false (and nothing changes) for a name that is not a pedal. */
    bool setPedalPosition (const juce::String& name, LyPedalPosition position);
    /** A pedal's position; natural when it is not set or the name is not a pedal. */
    LyPedalPosition getPedalPosition (const juce::String& name) const;

    /** The pedal's character in the text form. */
    static char toChar (LyPedalPosition position);

    bool operator== (const LyPedaling& other) const { return positions == other.positions; }
    bool operator!= (const LyPedaling& other) const { return !(*this == other); }

private:
    static bool isPedal (const juce::String& name);

    std::map<juce::String, LyPedalPosition> positions;
};
} // namespace ly
