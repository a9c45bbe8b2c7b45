#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <utility>
#include <vector>

namespace frt
{
/** The chord suffixes the host names, with ids 1..43 (0 is no suffix). */
struct ChordSuffix
{
    enum Id
    {
        none = 0,
        maj,
        m,
        dim,
        aug,
        five,
        seven,
        maj7,
        min7,
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
        sus2Sus4,
        omit3,
        omit5,
        alt,
        nc,
        slash
    };

    static constexpr int count = 43;

    /** The host's string of an id ("maj7", "min7", "/"); empty for none or an unknown id. */
    static juce::String toSibeliusString (Id id);
    /** The id of a host string, its extra spellings included ("minor" and
        "min" read as "m", "m7" as "min7"); nothing for any other text. */
    static std::optional<Id> fromSibeliusString (const juce::String& text);
    /** Every host string with its id, the longest first (equal lengths in table order). */
    static const std::vector<std::pair<juce::String, Id>>& allSibeliusTokenStringsLongestFirst();

private:
    ChordSuffix() = delete;
};

/** A chord's suffixes in order. Its text form joins the host strings with kSeparator. */
class ChordSuffixList final
{
public:
    static constexpr const char* kSeparator = ",";
    /** How many suffixes a chord-symbol tail may give at most. */
    static constexpr int maxRounds = 63;

    ChordSuffixList() = default;
    explicit ChordSuffixList (std::vector<ChordSuffix::Id> ids)
        : suffixes (std::move (ids))
    {
    }

    /** Reads the text after a chord symbol's root ("maj7", "m7b5", "7#11/Ab"):
        trimmed and lower-cased, each round takes the longest host string the
        text starts with, or skips one character when none matches; at most
        maxRounds rounds. A tail that gives nothing is "maj". */
    static ChordSuffixList fromChordSymbolTail (const juce::String& text);

    /** Reads the text form; unknown entries are left out. */
    static ChordSuffixList fromString (const juce::String& text);
    juce::String toString() const;

    void addSuffix (ChordSuffix::Id id) { suffixes.push_back (id); }
    const std::vector<ChordSuffix::Id>& getSuffixes() const { return suffixes; }

    bool operator== (const ChordSuffixList& other) const { return suffixes == other.suffixes; }

private:
    std::vector<ChordSuffix::Id> suffixes;
};
} // namespace frt
