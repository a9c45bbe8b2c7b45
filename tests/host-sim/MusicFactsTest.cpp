// The simulator's own music facts, checked against tables written out by hand.
#include "music/ChordReader.h"

#include <gtest/gtest.h>

using namespace hostsim::music;

namespace
{
SpelledPitch pitch (const juce::String& text)
{
    const auto parsed = SpelledPitch::parse (text);
    EXPECT_TRUE (parsed.has_value()) << text;
    return parsed.value_or (SpelledPitch{});
}

Interval interval (const char* name)
{
    const auto parsed = Interval::parse (name);
    EXPECT_TRUE (parsed.has_value()) << name;
    return parsed.value_or (Interval{});
}

juce::String names (const std::vector<Interval>& tones)
{
    juce::StringArray list;

    for (const auto& tone : tones)
        list.add (tone.name());

    return list.joinIntoString (" ");
}

juce::String names (const std::vector<SpelledPitch>& pitches)
{
    juce::StringArray list;

    for (const auto& p : pitches)
        list.add (p.toText());

    return list.joinIntoString (" ");
}
} // namespace

TEST (MusicFacts, PitchesReadAndCount)
{
    const struct
    {
        const char* text;
        int midi, diatonic;
        const char* written;
    } table[] = {
        {"C4", 60, 35, "C4"},
        {"B3", 59, 34, "B3"},
        {"Cb4", 59, 35, "Cb4"},
        {"B#3", 60, 34, "B#3"},
        {"f#4", 66, 38, "F#4"},
        {"Eb-1", 3, 2, "Eb-1"},
        {"A4", 69, 40, "A4"},
        {"Bbb3", 57, 34, "Bbb3"},
        {"G", 67, 39, "G4"},
        {"C##5", 74, 42, "C##5"},
    };

    for (const auto& row : table)
    {
        const auto p = pitch (row.text);
        EXPECT_EQ (p.midi(), row.midi) << row.text;
        EXPECT_EQ (p.diatonic(), row.diatonic) << row.text;
        EXPECT_EQ (p.toText(), row.written) << row.text;
    }

    EXPECT_EQ (SpelledPitch::onStep (35, 61).toText(), "C#4");
    EXPECT_EQ (SpelledPitch::onStep (36, 61).toText(), "Db4");
    EXPECT_EQ (pitch (juce::String::fromUTF8 ("E\xe2\x99\xad"
                                              "3"))
                   .toText(),
               "Eb3");

    for (const auto* bad : {"", "H4", "C4x", "Cb#", "C123", "#4"})
        EXPECT_FALSE (SpelledPitch::parse (bad).has_value()) << bad;
}

TEST (MusicFacts, IntervalsByNameStepsAndSemitones)
{
    const struct
    {
        const char* name;
        int steps, semitones;
    } table[] = {
        {"P1", 0, 0},
        {"m2", 1, 1},
        {"A2", 1, 3},
        {"d3", 2, 2},
        {"M3", 2, 4},
        {"P4", 3, 5},
        {"A4", 3, 6},
        {"d5", 4, 6},
        {"P5", 4, 7},
        {"m6", 5, 8},
        {"d7", 6, 9},
        {"M7", 6, 11},
        {"P8", 7, 12},
        {"m9", 8, 13},
        {"A9", 8, 15},
        {"P11", 10, 17},
        {"M13", 12, 21},
        {"-m3", -2, -3},
        {"-M6", -5, -9},
        {"AA4", 3, 7},
        {"dd7", 6, 8},
        {"-A4", -3, -6},
    };

    for (const auto& row : table)
    {
        const auto i = interval (row.name);
        EXPECT_EQ (i.steps, row.steps) << row.name;
        EXPECT_EQ (i.semitones, row.semitones) << row.name;
        EXPECT_EQ (i.name(), row.name);
    }

    EXPECT_EQ (interval ("Maj3"), interval ("M3"));
    EXPECT_EQ (interval ("-Per5"), interval ("-P5"));
    EXPECT_EQ (interval ("Dim5"), interval ("d5"));
    EXPECT_EQ (interval ("Aug4"), interval ("A4"));

    for (const auto* bad : {"P3", "M5", "m4", "X3", "M0", "", "3", "MM3", "Ad4", "Und3"})
        EXPECT_FALSE (Interval::parse (bad).has_value()) << bad;

    // The host plug-ins' form: a zero-based signed degree and a type text.
    EXPECT_EQ (Interval::fromHostFormat ("5", 2), interval ("M3"));
    EXPECT_EQ (Interval::fromHostFormat ("4", 4), interval ("d5"));
    EXPECT_EQ (Interval::fromHostFormat ("6", 3), interval ("A4"));
    EXPECT_EQ (Interval::fromHostFormat ("5", -4), interval ("-P5"));
    EXPECT_EQ (Interval::fromHostFormat ("5", 0), interval ("P1"));
    EXPECT_FALSE (Interval::fromHostFormat ("7", 2).has_value());

    const struct
    {
        const char *from, *to, *name;
    } distances[] = {
        {"C4", "E4", "M3"},
        {"C4", "F#4", "A4"},
        {"C4", "Gb4", "d5"},
        {"E4", "C4", "-M3"},
        {"C4", "C#4", "A1"},
        {"B3", "C4", "m2"},
    };

    for (const auto& row : distances)
        EXPECT_EQ (Interval::between (pitch (row.from), pitch (row.to)).name(), row.name) << row.from << " " << row.to;
}

TEST (MusicFacts, TranspositionSpellsOnTheReachedStep)
{
    const struct
    {
        const char *from, *by, *to;
    } table[] = {
        {"C4", "M3", "E4"},
        {"Bb3", "-P5", "Eb3"},
        {"E4", "M3", "G#4"},
        {"Eb4", "A4", "A4"},
        {"C4", "-m2", "B3"},
        {"Db4", "M7", "C5"},
        {"G#4", "M3", "B#4"},
        {"Cb4", "-M2", "Bbb3"},
        {"A3", "M9", "B4"},
    };

    for (const auto& row : table)
        EXPECT_EQ (transpose (pitch (row.from), interval (row.by)).toText(), row.to) << row.from << " + " << row.by;
}

TEST (MusicFacts, KeysTheirTonicsAndSignatures)
{
    const char* const majors[] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C", "G", "D", "A", "E", "B", "F#", "C#"};
    const char* const minors[] = {"Ab", "Eb", "Bb", "F", "C", "G", "D", "A", "E", "B", "F#", "C#", "G#", "D#", "A#"};

    for (int fifths = -7; fifths <= 7; ++fifths)
    {
        const auto index = static_cast<size_t> (fifths + 7);
        EXPECT_EQ ((Key{fifths, true}).name(), majors[index]);
        EXPECT_EQ ((Key{fifths, false}).name(), minors[index]);
        EXPECT_EQ (Key::fromName (majors[index], true), (Key{fifths, true}));
        EXPECT_EQ (Key::fromName (minors[index], false), (Key{fifths, false}));
    }

    EXPECT_EQ ((Key{-3, true}).describe(), "Eb major");
    EXPECT_EQ ((Key{4, false}).describe(), "c# minor");
    EXPECT_EQ (Key::fromName ("c#", false), (Key{4, false}));

    for (const auto* missing : {"D#", "Fb", "G#", "B#", ""})
        EXPECT_FALSE (Key::fromName (missing, true).has_value()) << missing;

    EXPECT_EQ ((Key{-1, true}).alterOf (B), -1);
    EXPECT_EQ ((Key{2, true}).alterOf (F), 1);
    EXPECT_EQ ((Key{-3, true}).alterOf (A), -1);

    for (int letter = C; letter <= B; ++letter)
    {
        EXPECT_EQ ((Key{12, true}).alterOf (letter), 1) << "beyond seven counts as seven";
        EXPECT_EQ ((Key{-30, false}).alterOf (letter), -1);
        EXPECT_EQ ((Key{0, false}).alterOf (letter), 0);
    }
}

TEST (MusicFacts, PitchesSpelledInAKey)
{
    // Scale pitches as the key writes them; the others as the harmonic
    // chromatic scale on the tonic: b2, b3, #4, b6, b7 (and in minor the
    // raised third, sixth and seventh).
    const struct
    {
        Key key;
        const char* fromC4; // the spellings of MIDI 60 to 71
    } table[] = {
        {{0, true}, "C4 Db4 D4 Eb4 E4 F4 F#4 G4 Ab4 A4 Bb4 B4"},
        {{2, true}, "C4 C#4 D4 Eb4 E4 F4 F#4 G4 G#4 A4 Bb4 B4"},
        {{-1, true}, "C4 Db4 D4 Eb4 E4 F4 Gb4 G4 Ab4 A4 Bb4 B4"},
        {{0, false}, "C4 C#4 D4 D#4 E4 F4 F#4 G4 G#4 A4 Bb4 B4"},
        {{-3, true}, "C4 Db4 D4 Eb4 Fb4 F4 Gb4 G4 Ab4 A4 Bb4 Cb5"},
        {{6, true}, "B#3 C#4 D4 D#4 E4 E#4 F#4 G4 G#4 A4 A#4 B4"},
        {{-3, false}, "C4 Db4 D4 Eb4 E4 F4 F#4 G4 Ab4 A4 Bb4 B4"},
    };

    for (const auto& row : table)
    {
        juce::StringArray spelled;

        for (int midi = 60; midi < 72; ++midi)
        {
            const auto p = row.key.spell (midi);
            EXPECT_EQ (p.midi(), midi) << row.key.describe();
            spelled.add (p.toText());
        }

        EXPECT_EQ (spelled.joinIntoString (" "), row.fromC4) << row.key.describe();
    }

    EXPECT_EQ ((Key{-6, true}).spell (59).toText(), "Cb4");
    EXPECT_EQ ((Key{0, true}).spell (0).toText(), "C-1");
    EXPECT_EQ ((Key{0, true}).spell (127).toText(), "G9");
}

TEST (MusicFacts, IntervalsBetweenKeysAndMovedKeys)
{
    const Key c{0, true};
    EXPECT_EQ (intervalBetweenKeys (c, {-3, true}, Direction::nearest).name(), "m3");
    EXPECT_EQ (intervalBetweenKeys (c, {3, true}, Direction::nearest).name(), "-m3");
    EXPECT_EQ (intervalBetweenKeys (c, {3, true}, Direction::up).name(), "M6");
    EXPECT_EQ (intervalBetweenKeys (c, {6, true}, Direction::nearest).name(), "A4");
    EXPECT_EQ (intervalBetweenKeys (c, {-6, true}, Direction::nearest).name(), "d5");
    EXPECT_EQ (intervalBetweenKeys (c, {1, true}, Direction::down).name(), "-P4");
    EXPECT_EQ (intervalBetweenKeys ({-2, true}, {2, true}, Direction::nearest).name(), "M3");
    EXPECT_EQ (intervalBetweenKeys ({5, true}, c, Direction::nearest).name(), "m2");

    EXPECT_EQ (transposeKey (c, interval ("m3")), (Key{-3, true}));
    EXPECT_EQ (transposeKey ({3, true}, interval ("M2")), (Key{5, true}));
    EXPECT_EQ (transposeKey ({-3, false}, interval ("M2")), (Key{-1, false}));
    EXPECT_FALSE (transposeKey ({4, true}, interval ("M3")).has_value()) << "G# major has no signature";
}

TEST (MusicFacts, ChordSymbolsReadAsTheirTones)
{
    const struct
    {
        const char *text, *root, *bass, *tones, *suffixes;
    } table[] = {
        {"C", "C", "", "P1 M3 P5", "maj"},
        {"Cm", "C", "", "P1 m3 P5", "m"},
        {"Cmaj7", "C", "", "P1 M3 P5 M7", "maj maj7"},
        {"C\xce\x94"
         "7",
         "C", "", "P1 M3 P5 M7", "maj maj7"},
        {"C7", "C", "", "P1 M3 P5 m7", "maj 7"},
        {"C-7", "C", "", "P1 m3 P5 m7", "m 7"},
        {"F#m7b5", "F#", "", "P1 m3 d5 m7", "m 7 b5"},
        {"B\xc3\xb8"
         "7",
         "B", "", "P1 m3 d5 m7", "halfdim"},
        {"Bdim7", "B", "", "P1 m3 d5 d7", "dim dim7"},
        {"C+", "C", "", "P1 M3 A5", "aug"},
        {"Csus4", "C", "", "P1 P4 P5", "sus4"},
        {"C7sus4", "C", "", "P1 P4 P5 m7", "sus4 7"},
        {"Csus2", "C", "", "P1 M2 P5", "sus2"},
        {"C6", "C", "", "P1 M3 P5 M6", "maj 6"},
        {"C6/9", "C", "", "P1 M3 P5 M6 M9", "maj 6/9"},
        {"C9", "C", "", "P1 M3 P5 m7 M9", "maj 9"},
        {"Cmaj9", "C", "", "P1 M3 P5 M7 M9", "maj maj9"},
        {"Cm11", "C", "", "P1 m3 P5 m7 M9 P11", "m 11"},
        {"C13", "C", "", "P1 M3 P5 m7 M9 M13", "maj 13"},
        {"Cm13", "C", "", "P1 m3 P5 m7 M9 P11 M13", "m 13"},
        {"G7(b9)", "G", "", "P1 M3 P5 m7 m9", "maj 7 b9"},
        {"G7(#5)", "G", "", "P1 M3 A5 m7", "maj 7 #5"},
        {"Bb7(b9,#11)/D", "Bb", "D", "P1 M3 P5 m7 m9 A11", "maj 7 b9 #11 /"},
        {"C7alt", "C", "", "P1 M3 m7 m9 A9 A11 m13", "maj 7 alt"},
        {"Cadd9", "C", "", "P1 M3 P5 M9", "maj add9"},
        {"C5", "C", "", "P1 P5", "5"},
        {"Cm(maj7)", "C", "", "P1 m3 P5 M7", "m maj7"},
        {"Ebm6", "Eb", "", "P1 m3 P5 M6", "m 6"},
        {"C/E", "C", "E", "P1 M3 P5", "maj /"},
        {"Db13#11", "Db", "", "P1 M3 P5 m7 M9 A11 M13", "maj 13 #11"},
    };

    for (const auto& row : table)
    {
        const auto chord = readChord (juce::String::fromUTF8 (row.text));
        ASSERT_TRUE (chord.has_value()) << row.text;
        EXPECT_EQ (chord->root.name(), row.root) << row.text;
        EXPECT_EQ (chord->bass ? chord->bass->name() : juce::String(), row.bass) << row.text;
        EXPECT_EQ (names (chord->tones), row.tones) << row.text;
        EXPECT_EQ (chord->suffixes.joinIntoString (" "), row.suffixes) << row.text;
    }

    const auto slash = readChord ("Bb7(b9,#11)/D");
    EXPECT_EQ (names (slash->pitches (3)), "Bb3 D4 F4 Ab4 Cb5 E5");
    EXPECT_EQ (slash->midiPitches (3), (std::vector<int>{58, 62, 65, 68, 71, 76}));
    EXPECT_EQ (slash->bassNote (2).toText(), "D2");
    EXPECT_EQ (readChord ("G7")->bassNote (2).toText(), "G2");
    EXPECT_EQ (names (readChord ("Ebm6")->pitches (4)), "Eb4 Gb4 Bb4 C5");
    EXPECT_EQ (readChord ("Csus4")->quality, Chord::Quality::suspended4);
    EXPECT_EQ (readChord ("Bdim7")->quality, Chord::Quality::diminished);

    const auto none = readChord ("N.C.");
    ASSERT_TRUE (none.has_value());
    EXPECT_TRUE (none->isNoChord());
    EXPECT_TRUE (none->tones.empty());
    EXPECT_EQ (none->suffixes, juce::StringArray ("nc"));

    for (const auto* bad : {"", "H7", "Cx", "C7foo", "/E", "m7", "C/H", "7"})
        EXPECT_FALSE (readChord (bad).has_value()) << bad;
}

TEST (MusicFacts, ChordReaderSurvivesGarbage)
{
    juce::Random random (77);
    const juce::String alphabet = juce::String::fromUTF8 ("ABCDEFGbm#/()+-,0123456789 ajdsugilt\xce\x94\xc3\xb8\xc2\xb0");

    for (int round = 0; round < 3000; ++round)
    {
        juce::String text;

        for (int i = 0, n = random.nextInt (14); i < n; ++i)
            text << juce::String::charToString (alphabet[random.nextInt (alphabet.length())]);

        const auto chord = readChord (text);

        if (!chord || chord->isNoChord())
            continue;

        ASSERT_FALSE (chord->tones.empty()) << text;
        EXPECT_EQ (chord->tones.front(), interval ("P1")) << text;

        for (size_t i = 1; i < chord->tones.size(); ++i)
            EXPECT_LE (chord->tones[i - 1].steps, chord->tones[i].steps) << text;

        EXPECT_EQ (chord->pitches (4).size(), chord->tones.size());
    }
}
