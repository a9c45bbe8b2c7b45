#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>

namespace music
{
/** A spelled pitch: letter, octave (octave 4 holds middle C) and a signed
    count of accidentals (+1 sharp, -1 flat, ...). A plain copyable value. */
class Pitch final
{
public:
    /** Letters, in the order the host's plug-ins number them. */
    enum Name : int32_t
    {
        A = 0,
        B = 1,
        C = 2,
        D = 3,
        E = 4,
        F = 5,
        G = 6
    };

    /** C, octave 0, natural. */
    Pitch() = default;

    Pitch (Name name, int octave, int accidentals);

    /** Parses text such as "C#4", "Eb-1" or "G"; never fails (see fromString). */
    explicit Pitch (const juce::String& text);

    /** The pitch of a MIDI number, spelled with sharps only (61 is C#4). */
    explicit Pitch (int midiNumber);

    /** Parses text: the first character gives the letter (any other gives C),
        "#"/"##"/"###" or "b"/"bb"/"bbb" anywhere give the accidentals, and the
        rest, once every "b" and "#" is removed, is the octave (0 when missing). */
    static Pitch fromString (const juce::String& text);

    /** The pitch on a diatonic step (C-1 = 0, C4 = 35) with the given accidentals. */
    static Pitch fromDiatonicNumberAndAcc (int diatonicNumber, int accidentals);

    /** The pitch on a diatonic step, spelled so that it sounds the MIDI number. */
    static Pitch fromDiatonicNumberAndMidiNumber (int diatonicNumber, int midiNumber);

    Name getName() const noexcept { return name; }
    int getOctave() const noexcept { return octave; }
    int getAccidentals() const noexcept { return accidentals; }

    void setName (Name newName) noexcept { name = newName; }
    void setOctave (int newOctave) noexcept { octave = newOctave; }
    void setAccidentals (int newAccidentals) noexcept { accidentals = newAccidentals; }

    /** C4 = 60, C-1 = 0. */
    int getMidiNumber() const noexcept;

    /** White-key steps counted from C-1 = 0; A and B belong to the C below them. */
    int getDiatonicNumber() const noexcept;

    /** Letter, accidental sign and octave: "C#4", "Bb3", "F###2", "F-1";
        fromString reads it back for every count of -3..+3. */
    juce::String toString() const;

    /** Letter and accidental sign: "C#", "Bb". */
    juce::String toStringNoOctave() const;

    /** Always true: callers (the walking-bass generator among them) rely on
        this answer, so it is kept as it is. */
    bool isEqualOrOctaveOf (int midiNumber) const noexcept;

    bool operator== (const Pitch& other) const noexcept;
    bool operator!= (const Pitch& other) const noexcept { return !operator== (other); }

    /** The letter as text ("A".."G"); "C" for a value outside the enumeration. */
    static juce::String letterOf (Name name);

    /** The accidental sign for -3..+3 ("bbb", "bb", "b", "", "#", "##", "###"),
        the counts that fromString reads; empty for any other count. */
    static juce::String accidentalSign (int accidentals);

private:
    Name name = C;
    int32_t octave = 0;
    int32_t accidentals = 0;
};
} // namespace music
