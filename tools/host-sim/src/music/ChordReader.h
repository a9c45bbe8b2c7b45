#pragma once

#include "music/Spelling.h"

#include <vector>

namespace hostsim::music
{
/** A chord symbol as read from its text: "Cmaj7", "F#m7b5", "Bb7(b9,#11)/D", "N.C.". */
struct Chord
{
    enum class Quality
    {
        major,
        minor,
        diminished,
        augmented,
        halfDiminished,
        suspended2,
        suspended4,
        power,
        none ///< "N.C.": no chord
    };

    juce::String text;
    Quality quality = Quality::major;
    SpelledPitch root;                ///< octave 4
    std::optional<SpelledPitch> bass; ///< the slash bass, when the text names one (octave 3)
    std::vector<Interval> tones;      ///< above the root, root first, in chord order (third, fifth, seventh, ninth, ...)

    /** The chord's suffixes in the host's vocabulary, in reading order:
        "maj", "m", "dim", "aug", "halfdim", "5", "sus2", "sus4", "sus2/4",
        "6", "6/9", "7", "maj7", "dim7", "9", "maj9", "11", "13", ..., the
        alterations ("b5", "#5", "b6", "b9", "#9", "#4", "#11", "b13"), the
        added tones ("add2", "add4", "add9", "add13"), "omit3", "omit5",
        "alt", "nc" for no chord and "/" for a slash bass. */
    juce::StringArray suffixes;

    bool isNoChord() const { return quality == Quality::none; }

    /** The chord's pitches, spelled, the root in the given octave. */
    std::vector<SpelledPitch> pitches (int rootOctave) const;

    /** The same as MIDI numbers. */
    std::vector<int> midiPitches (int rootOctave) const;

    /** The lowest note: the slash bass, else the root, in the given octave. */
    SpelledPitch bassNote (int octave) const;
};

/** Reads a chord symbol: a root (A-G with "#", "b", "♯" or "♭"), then the
    quality ("maj", "M", "Δ", "^", "m", "min", "mi", "-", "dim", "o", "°",
    "aug", "+", "ø"), the size ("5", "6", "6/9", "69", "7", "9", "11",
    "13"), the changes in any order ("sus", "sus2", "sus4", "add2", "add4",
    "add6", "add9", "add11", "add13", "omit3", "omit5", "no3", "no5",
    "alt", and alterations "b5", "#5", "+5", "-5", "b6", "b9", "#9", "#4",
    "#11", "+11", "b13"), optionally in brackets and separated by commas,
    and a slash bass ("/E", "/Bb"). "N.C." and "NC" mean no chord.
    Anything else is not a chord symbol: nullopt. */
std::optional<Chord> readChord (const juce::String& text);
} // namespace hostsim::music
