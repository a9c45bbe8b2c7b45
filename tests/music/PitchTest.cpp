#include "music/Pitch.h"
#include "utils/Midi.h"

#include <gtest/gtest.h>

using music::Pitch;

TEST (Pitch, MidiAndDiatonicNumbers)
{
    EXPECT_EQ (Pitch ("C4").getMidiNumber(), 60);
    EXPECT_EQ (Pitch ("C4").getDiatonicNumber(), 35);
    EXPECT_EQ (Pitch ("B3").getMidiNumber(), 59);
    EXPECT_EQ (Pitch ("B3").getDiatonicNumber(), 34);
    EXPECT_EQ (Pitch ("Cb4").getMidiNumber(), 59);
    EXPECT_EQ (Pitch ("Cb4").getDiatonicNumber(), 35);
    EXPECT_EQ (Pitch ("B#3").getMidiNumber(), 60);
    EXPECT_EQ (Pitch ("A4").getMidiNumber(), 69);
    EXPECT_EQ (Pitch ("C-1").getMidiNumber(), 0);
    EXPECT_EQ (Pitch ("C-1").getDiatonicNumber(), 0);
    EXPECT_EQ (Pitch().toString(), "C0");

    // A letter outside the enumeration counts as offset 0 and step 7.
    Pitch odd (static_cast<Pitch::Name> (9), 4, 1);
    EXPECT_EQ (odd.getMidiNumber(), 61);
    EXPECT_EQ (odd.getDiatonicNumber(), 35);
}

TEST (Pitch, FromMidiNumberSpellsWithSharps)
{
    EXPECT_EQ (Pitch (61).toString(), "C#4");
    EXPECT_EQ (Pitch (0).toString(), "C-1");
    EXPECT_EQ (Pitch (70).toString(), "A#4");
    EXPECT_EQ (Pitch (127).toString(), "G9");

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

TEST (Pitch, ParsesText)
{
    const Pitch cs4 ("C#4");
    EXPECT_EQ (cs4.getName(), Pitch::C);
    EXPECT_EQ (cs4.getAccidentals(), 1);
    EXPECT_EQ (cs4.getOctave(), 4);

    const Pitch eb ("Eb-1");
    EXPECT_EQ (eb.getName(), Pitch::E);
    EXPECT_EQ (eb.getAccidentals(), -1);
    EXPECT_EQ (eb.getOctave(), -1);

    EXPECT_EQ (Pitch ("G"), Pitch (Pitch::G, 0, 0));
    EXPECT_EQ (Pitch ("Bbb3"), Pitch (Pitch::B, 3, -2));
    EXPECT_EQ (Pitch ("F###2"), Pitch (Pitch::F, 2, 3));
    EXPECT_EQ (Pitch ("Abbb5"), Pitch (Pitch::A, 5, -3));
    EXPECT_EQ (Pitch ("X5"), Pitch (Pitch::C, 5, 0));
    EXPECT_EQ (Pitch (juce::String()), Pitch());
    EXPECT_EQ (Pitch ("c4").getName(), Pitch::C) << "lower-case letters are not letters";
    EXPECT_EQ (Pitch ("D99999999999").getOctave(), std::numeric_limits<int>::max());
}

TEST (Pitch, WritesText)
{
    EXPECT_EQ (Pitch (Pitch::B, 3, -1).toString(), "Bb3");
    EXPECT_EQ (Pitch (Pitch::F, -1, 0).toString(), "F-1");
    EXPECT_EQ (Pitch (Pitch::G, 2, 2).toStringNoOctave(), "G##");
    EXPECT_EQ (Pitch (Pitch::D, 2, -2).toStringNoOctave(), "Dbb");
    EXPECT_EQ (Pitch (Pitch::D, 2, 3).toString(), "D2") << "counts beyond two write no sign";
    EXPECT_EQ (Pitch (Pitch::D, 2, -3).toString(), "D2");
}

TEST (Pitch, TextRoundTripsForEverySpelling)
{
    for (int name = Pitch::A; name <= Pitch::G; ++name)
        for (int octave = -3; octave <= 10; ++octave)
            for (int acc = -2; acc <= 2; ++acc)
            {
                const Pitch p (static_cast<Pitch::Name> (name), octave, acc);
                EXPECT_EQ (Pitch::fromString (p.toString()), p) << p.toString();
            }
}

TEST (Pitch, DiatonicConstruction)
{
    EXPECT_EQ (Pitch::fromDiatonicNumberAndAcc (35, 0), Pitch ("C4"));
    EXPECT_EQ (Pitch::fromDiatonicNumberAndAcc (41, -1), Pitch ("Bb4"));
    EXPECT_EQ (Pitch::fromDiatonicNumberAndAcc (0, 1), Pitch ("C#-1"));
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
    const Pitch c4 ("C4");
    for (int m : {-5, 0, 60, 61, 72, 127, 1000})
        EXPECT_TRUE (c4.isEqualOrOctaveOf (m));
}
