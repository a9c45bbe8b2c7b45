#include "music/Pitch.h"
#include "utils/Midi.h"

#include <gtest/gtest.h>

using music::Pitch;

// The anchors of the numbering; the whole-range tests here and in
// TransposeTest only check pitches against each other.
TEST (Pitch, MidiAndDiatonicNumbers)
{
    const std::tuple<const char*, int, int> cases[] = {{"C4", 60, 35}, {"B3", 59, 34}, {"Cb4", 59, 35}, {"B#3", 60, 34}, {"A4", 69, 40}, {"C-1", 0, 0}};

    for (const auto& [text, midi, diatonic] : cases)
    {
        EXPECT_EQ (Pitch (text).getMidiNumber(), midi) << text;
        EXPECT_EQ (Pitch (text).getDiatonicNumber(), diatonic) << text;
    }

    EXPECT_EQ (Pitch().toString(), "C0");

    // A letter outside the enumeration counts as offset 0 and step 7.
    Pitch odd (static_cast<Pitch::Name> (9), 4, 1);
    EXPECT_EQ (odd.getMidiNumber(), 61);
    EXPECT_EQ (odd.getDiatonicNumber(), 35);
}

TEST (Pitch, FromMidiNumberSpellsWithSharps)
{
    for (int m = -40; m <= 200; ++m)
    {
        const Pitch p (m);
        EXPECT_EQ (p.getMidiNumber(), m) << m;
        EXPECT_GE (p.getAccidentals(), 0);
        EXPECT_LE (p.getAccidentals(), 1);

        if (m >= 0 && m <= 127)
        {
            EXPECT_EQ (p.toString(), utils::midi::pitchToNoteName (m)) << m;
        }
    }
}

TEST (Pitch, Text)
{
    const std::pair<const char*, Pitch> parsed[] = {
        {"C#4", {Pitch::C, 4, 1}}, {"Eb-1", {Pitch::E, -1, -1}}, {"G", {Pitch::G, 0, 0}}, {"Bbb3", {Pitch::B, 3, -2}}, {"F###2", {Pitch::F, 2, 3}}, {"Abbb5", {Pitch::A, 5, -3}}, {"X5", {Pitch::C, 5, 0}}, {"", {}}, {"c4", {Pitch::C, 4, 0}}, // lower-case letters are not letters
    };

    for (const auto& [text, expected] : parsed)
        EXPECT_EQ (Pitch (text), expected) << text;

    EXPECT_EQ (Pitch ("D99999999999").getOctave(), std::numeric_limits<int>::max());

    EXPECT_EQ (Pitch (Pitch::F, -1, 0).toString(), "F-1");
    EXPECT_EQ (Pitch (Pitch::G, 2, 2).toStringNoOctave(), "G##");
    EXPECT_EQ (Pitch (Pitch::D, 2, -2).toStringNoOctave(), "Dbb");
    EXPECT_EQ (Pitch (Pitch::F, 2, 3).toString(), "F###2");
    EXPECT_EQ (Pitch (Pitch::B, -1, -3).toString(), "Bbbb-1");
    EXPECT_EQ (Pitch (Pitch::D, 2, 4).toString(), "D2") << "no sign for a count the parser cannot read";
    EXPECT_EQ (Pitch (Pitch::D, 2, -4).toString(), "D2");
}

// Every count of accidentals the parser reads, on every letter (B and its
// flats share the letter "b" in upper and lower case) and across octaves
// below zero, writes a text that reads back as the same pitch.
TEST (Pitch, TextRoundTripOverEveryAccidentalTheParserReads)
{
    int checked = 0;

    for (int name = Pitch::A; name <= Pitch::G; ++name)
        for (int octave = -3; octave <= 10; ++octave)
            for (int acc = -3; acc <= 3; ++acc)
            {
                const Pitch p (static_cast<Pitch::Name> (name), octave, acc);
                const auto text = p.toString();
                ASSERT_EQ (Pitch::fromString (text), p) << text;
                ASSERT_EQ (Pitch::fromString (text).getMidiNumber(), p.getMidiNumber()) << text;
                ASSERT_EQ (p.toStringNoOctave(), text.dropLastCharacters (juce::String (octave).length())) << text;
                ++checked;
            }

    EXPECT_EQ (checked, 7 * 14 * 7);
}

TEST (Pitch, DiatonicConstruction)
{
    EXPECT_EQ (Pitch::fromDiatonicNumberAndAcc (41, -1), Pitch ("Bb4"));
    EXPECT_EQ (Pitch::fromDiatonicNumberAndAcc (-1, 0), Pitch (Pitch::B, -2, 0)) << "below C-1 still lands on a letter";

    // Respelling on a staff step: MIDI 61 on the D step is Db, on the B step B##.
    EXPECT_EQ (Pitch::fromDiatonicNumberAndMidiNumber (36, 61), Pitch ("Db4"));
    EXPECT_EQ (Pitch::fromDiatonicNumberAndMidiNumber (34, 61), Pitch ("B##3"));

    for (int d = -20; d < 100; ++d)
    {
        const auto natural = Pitch::fromDiatonicNumberAndAcc (d, 0);
        EXPECT_EQ (natural.getDiatonicNumber(), d);

        for (int offset = -3; offset <= 3; ++offset)
        {
            const auto respelled = Pitch::fromDiatonicNumberAndMidiNumber (d, natural.getMidiNumber() + offset);
            EXPECT_EQ (respelled.getAccidentals(), offset);
            EXPECT_EQ (respelled.getDiatonicNumber(), d);
        }
    }
}

TEST (Pitch, EqualOrOctaveAnswersTrueForAnything)
{
    for (int m : {-5, 0, 60, 61, 72, 127, 1000})
        EXPECT_TRUE (Pitch ("C4").isEqualOrOctaveOf (m));
}
