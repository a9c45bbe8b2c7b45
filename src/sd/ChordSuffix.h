#pragma once

#include "music/Interval.h"

#include <juce_core/juce_core.h>

#include <map>
#include <optional>
#include <vector>

namespace sd
{
/** A chord suffix as the host names it ("m", "7", "b9", "sus4", "/"). */
class ChordSuffix final
{
public:
    /** One id per host suffix string; 0 is no suffix. */
    enum Id : int
    {
        none = 0,
        maj,
        m,
        dim,
        aug,
        five,
        seven,
        maj7,
        dim7,
        halfdim,
        nine,
        maj9,
        dim9,
        eleven,
        maj11,
        dim11,
        thirteen,
        maj13,
        dim13,
        flat5,
        sharp5,
        flat6,
        six,
        flat9,
        sharp9,
        sharp4,
        sharp11,
        flat13,
        add2,
        add4,
        add9,
        add13,
        sixNine,
        add6Nine,
        sus2,
        sus4,
        sus9,
        sus2And4,
        omit3,
        omit5,
        alt,
        nc,
        slash
    };

    static constexpr int count = 42;

    /** Host string to id, for every id from 1 to 42. */
    static const std::map<juce::String, Id>& getSibeliusMap();
    /** The id of a host string; none for a string the host does not use. */
    static Id fromSibeliusString (const juce::String& text);
    /** The host string of an id; empty for none or an id out of range. */
    static juce::String toSibeliusString (Id id);
};

/** A chord's suffixes in the order the host lists them. Its text form joins
    the host strings with kSeparator; reading skips strings it does not know. */
class ChordSuffixList final
{
public:
    static constexpr const char* kSeparator = ",";

    ChordSuffixList() = default;

    static ChordSuffixList fromString (const juce::String& text);
    /** Maps each host string through ChordSuffix::getSibeliusMap(). */
    static ChordSuffixList fromSibeliusStringList (const juce::StringArray& strings);

    juce::String toString() const;
    void addSuffix (ChordSuffix::Id id);
    const std::vector<ChordSuffix::Id>& getIds() const { return ids; }
    bool contains (ChordSuffix::Id id) const;

    /** The chord's intervals above its root, root first, then third, fifth,
        seventh and the further tones, read from the suffixes (see the table
        in ChordSuffix.cpp). No chord ("nc") has none. */
    std::vector<music::Interval> calcIntervals() const;

private:
    std::vector<ChordSuffix::Id> ids;
};
} // namespace sd
