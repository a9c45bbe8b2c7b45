#pragma once

#include <juce_core/juce_core.h>

#include <optional>

namespace hostsim::music
{
/** Letters in staff order: C D E F G A B. */
enum Letter
{
    C = 0,
    D,
    E,
    F,
    G,
    A,
    B
};

/** A pitch as it is written: a letter, an alteration (sharps positive,
    flats negative) and an octave, octave 4 holding middle C. */
struct SpelledPitch
{
    int letter = C;
    int alter = 0;
    int octave = 4;

    /** MIDI note number: C4 is 60, C-1 is 0. */
    int midi() const;

    /** Staff steps from C-1: C4 is 35, B3 is 34 (as the host counts them). */
    int diatonic() const;

    int pitchClass() const;

    /** Letter and accidentals without the octave: "F#", "Bb", "Ebb", "C". */
    juce::String name() const;

    /** With the octave: "F#4", "Bb3", "C-1". */
    juce::String toText() const;

    /** Reads "Eb4", "F#", "Bbb3", "C##-1" (an octave left out is 4); letters
        in either case, "#", "b" and the signs ♯ ♭ for accidentals. */
    static std::optional<SpelledPitch> parse (const juce::String& text);

    /** The pitch written on a staff step (diatonic number) that sounds as the MIDI number. */
    static SpelledPitch onStep (int diatonic, int midi);

    bool operator== (const SpelledPitch& o) const { return letter == o.letter && alter == o.alter && octave == o.octave; }
    bool operator!= (const SpelledPitch& o) const { return !(*this == o); }
};

/** A spelled interval: how many staff steps and how many semitones it
    spans, both signed (a major third up is 2 steps and 4 semitones, a
    perfect fifth down -4 and -7). */
struct Interval
{
    int steps = 0;
    int semitones = 0;

    /** The interval number with its direction: 1 unison, 3 third, -5 fifth down. */
    int number() const;

    /** Perfect-based numbers: unisons, fourths, fifths and their compounds. */
    bool isPerfectBased() const;

    /** Quality by the semitones away from the perfect or major interval of
        the same number: 0 perfect or major, -1 minor (major-based) or
        diminished, +1 augmented, and so on; see `name`. */
    int deviation() const;

    /** "P5", "M3", "m6", "A4", "d5", "AA4", "dd7", with "-" before a
        downward interval: "-m3". */
    juce::String name() const;

    Interval reversed() const { return {-steps, -semitones}; }

    /** Reads the short names above and the long ones: "Maj3", "Min6", "Per5",
        "Dim5", "Aug4", each optionally after "-". */
    static std::optional<Interval> parse (const juce::String& text);

    /** From a number (1 unison, negative downwards, never 0) and a quality
        letter: 'P', 'M', 'm', 'A' or 'd' (augmented or diminished once). */
    static std::optional<Interval> fromQuality (char quality, int number);

    /** The interval the host plug-ins exchange as a zero-based signed degree
        and a type text: "5" perfect or major, "4" minor (major-based
        degrees) or diminished (perfect-based), "6" augmented. */
    static std::optional<Interval> fromHostFormat (const juce::String& type, int zeroBasedDegree);

    /** The interval from one pitch to another, as written. */
    static Interval between (const SpelledPitch& from, const SpelledPitch& to);

    bool operator== (const Interval& o) const { return steps == o.steps && semitones == o.semitones; }
    bool operator!= (const Interval& o) const { return !(*this == o); }
};

/** The pitch an interval away, spelled on the step the interval reaches:
    C4 up a major third is E4, F#4 up a minor third A4, Bb3 down a perfect
    fifth Eb3. */
SpelledPitch transpose (const SpelledPitch& pitch, const Interval& interval);

/** A key: its signature (sharps positive, flats negative, -7..7; beyond
    that counts as seven) and its mode. */
struct Key
{
    int fifths = 0;
    bool major = true;

    /** The tonic, in octave 4. */
    SpelledPitch tonic() const;

    /** The tonic's name: "Eb" for E-flat major, "C" for C minor. */
    juce::String name() const;

    /** "Eb major", "c# minor". */
    juce::String describe() const;

    /** The signature's alteration of a letter: +1, -1 or 0. */
    int alterOf (int letter) const;

    /** The key whose tonic has this name ("Eb", "F#", "c"), if its signature
        has at most seven accidentals. */
    static std::optional<Key> fromName (const juce::String& tonicName, bool major);

    /** A MIDI note spelled in this key. Pitches of the scale take the key's
        spelling; the others follow the harmonic chromatic scale on the
        tonic: flat second, flat third, sharp fourth, flat sixth and flat
        seventh (the raised third, sixth and seventh of minor keys are the
        scale's major intervals). */
    SpelledPitch spell (int midi) const;

    bool operator== (const Key& o) const { return fifths == o.fifths && major == o.major; }
};

/** Which way a transposition to another key goes. */
enum class Direction
{
    nearest, ///< the shorter way; six semitones (a tritone) go up
    up,
    down
};

/** The interval from one key's tonic to another's, within an octave, the
    given way (a unison when both tonics are the same). */
Interval intervalBetweenKeys (const Key& from, const Key& to, Direction direction);

/** A key moved by an interval, if the moved tonic has a key of at most
    seven accidentals in the same mode (G# major does not; Ab major does). */
std::optional<Key> transposeKey (const Key& key, const Interval& interval);
} // namespace hostsim::music
