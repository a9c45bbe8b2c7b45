// What Frettle reads from outside and keeps as text: fingerings (round trip,
// pitch rules, garbage), tunings (fallback to standard), chord-symbol tails
// and the chord loader of the host's chord info, with randomised input for
// every parser.
#include "frt/Chord.h"
#include "frt/Fingering.h"
#include "frt/GuitarTuning.h"

#include <gtest/gtest.h>

using namespace frt;

namespace
{
Fingering sampleFingering()
{
    Fingering f ("Bbmaj7/F");
    f.setStringMode (6, StringMode::Muted);
    f.setStringMode (1, StringMode::Open);
    f.setPlayingSpot (5, 1, 1);
    f.setPlayingSpot (4, 3);
    f.setPlayingSpot (3, 2, 4);
    f.setBarreAtFret (1);
    return f;
}

/** Text made of pieces of fingering JSON, numbers and noise. */
juce::String randomText (juce::Random& random)
{
    static const char* const pieces[] = {"{", "}", "[", "]", ",", ":", "\"name\"", "\"stringModes\"", "\"playingSpots\"", "\"barre\"",
                                         "\"fretNumber\"", "\"stringNumber\"", "\"fingerNumber\"", "\"stringMode\"", "\"Open\"",
                                         "\"Muted\"", "-1", "0", "3", "7", "25", "99999999999", "1.5", "null", "true", "\"x\"", " ",
                                         "m", "7", "#", "b", "/", "maj", "sus", "add", "6/9", "min", "\xc3\xa9"};
    juce::String text;
    const auto count = random.nextInt (40);

    for (int i = 0; i < count; ++i)
        text << (random.nextInt (8) == 0 ? juce::String::charToString (static_cast<juce::juce_wchar> (1 + random.nextInt (0x2fff)))
                                         : juce::String::fromUTF8 (pieces[random.nextInt (juce::numElementsInArray (pieces))]));

    return text;
}
} // namespace

TEST (FrettleTextForms, FingeringsRoundTripAndWriteOptionalKeysOnlyWhenSet)
{
    const auto sample = sampleFingering();
    const auto text = sample.toString();
    EXPECT_EQ (Fingering::fromString (text), std::optional<Fingering> (sample));
    EXPECT_TRUE (text.contains ("\"barre\""));

    Fingering plain ("C");
    plain.setPlayingSpot (2, 1);
    plain.setStringMode (1, StringMode::Open);
    const auto plainText = plain.toString();
    EXPECT_EQ (Fingering::fromString (plainText), std::optional<Fingering> (plain));
    EXPECT_FALSE (plainText.contains ("barre"));
    EXPECT_FALSE (plainText.contains ("fingerNumber"));

    // Toggling twice leaves nothing; a barre takes its fret's spots.
    plain.togglePlayingSpot (3, 2);
    plain.togglePlayingSpot (3, 2);
    EXPECT_EQ (plain.getPlayingSpots().size(), 1u);
    plain.clearPlayingSpotsAtFret (1);
    EXPECT_TRUE (plain.getPlayingSpots().empty());
}

TEST (FrettleTextForms, StringPitchesFollowModesSpotsAndTheBarre)
{
    const GuitarTuning standard;
    const auto f = sampleFingering();
    EXPECT_EQ (f.getMidiPitchForStringOp (6, standard), std::nullopt) << "muted";
    EXPECT_EQ (f.getMidiPitchForStringOp (5, standard), std::optional<int> (46)) << "spot at the barre's fret";
    EXPECT_EQ (f.getMidiPitchForStringOp (4, standard), std::optional<int> (53)) << "the spot above the barre";
    EXPECT_EQ (f.getMidiPitchForStringOp (2, standard), std::optional<int> (60)) << "the barre alone";
    EXPECT_EQ (f.getMidiPitchForStringOp (1, standard), std::optional<int> (65)) << "open is no match for a barre";
    EXPECT_EQ (f.getMidiPitches (standard), (std::vector<int>{65, 60, 57, 53, 46}));

    Fingering neither;
    EXPECT_EQ (neither.getMidiPitches (standard), (std::vector<int>{64, 59, 55, 50, 45, 40})) << "no mode, no spot: open";
}

TEST (FrettleTextForms, FingeringTextFromOutsideNeverBreaksTheDiagram)
{
    for (const auto* text : {"", "[]", "5", "\"x\"", "{", "null"})
        EXPECT_FALSE (Fingering::fromString (text).has_value()) << text;

    const auto odd = Fingering::fromString (R"({"name": 5, "stringModes": [{"stringNumber": 9, "stringMode": "Open"},
        {"stringNumber": 2, "stringMode": "Loud"}, 7], "playingSpots": [{"fretNumber": 0, "stringNumber": 1},
        {"fretNumber": 30, "stringNumber": 1}, {"fretNumber": 2, "stringNumber": "3", "fingerNumber": 9}],
        "barre": {"fretNumber": -4}})");
    ASSERT_TRUE (odd.has_value());
    EXPECT_EQ (odd->getName(), "5");
    EXPECT_FALSE (odd->getStringMode (2).has_value());
    ASSERT_EQ (odd->getPlayingSpots().size(), 1u) << "frets 0 and 30 are no spots";
    EXPECT_EQ (odd->getPlayingSpots()[0], (PlayingSpot{2, 3, std::nullopt})) << "finger 9 is no finger";
    EXPECT_FALSE (odd->getBarreOp().has_value());

    juce::Random random (2812);

    for (int i = 0; i < 3000; ++i)
    {
        const auto text = randomText (random);

        if (const auto read = Fingering::fromString (text))
        {
            for (const auto& spot : read->getPlayingSpots())
            {
                EXPECT_TRUE (spot.stringNumber >= 1 && spot.stringNumber <= Fingering::maxStringNumber) << text;
                EXPECT_TRUE (spot.fretNumber >= 1 && spot.fretNumber <= Fingering::maxFretNumber) << text;
            }

            EXPECT_EQ (Fingering::fromString (read->toString()), read) << text;
        }
    }
}

TEST (FrettleTextForms, TuningsThatAreNotSixMidiPitchesReadAsStandard)
{
    const auto standard = GuitarTuning().toString();
    EXPECT_EQ (standard, "64,59,55,50,45,40");

    struct Case
    {
        const char* text;
        const char* read;
    };

    for (const auto& c : {Case{" 62 , 57,54,50,45,38 ", "62,57,54,50,45,38"}, Case{"0,127,0,127,0,127", "0,127,0,127,0,127"},
                          Case{"64,59,55,50,45", nullptr}, Case{"64,59,55,50,45,40,35", nullptr}, Case{"64,59,55,50,45,128", nullptr},
                          Case{"-1,59,55,50,45,40", nullptr}, Case{"a,b,c,d,e,f", nullptr}, Case{"", nullptr},
                          Case{"64,,55,50,45,40", nullptr}, Case{"64,59,55,50,45,40x", nullptr}})
        EXPECT_EQ (GuitarTuning::fromString (c.text).toString(), c.read != nullptr ? juce::String (c.read) : standard) << c.text;

    GuitarTuning tuning;
    tuning.setOpenStringMidiPitch (6, 200);
    tuning.setOpenStringMidiPitch (1, -5);
    tuning.setOpenStringMidiPitch (7, 50);
    EXPECT_EQ (tuning.toString(), "0,59,55,50,45,127") << "pitches stay within 0..127; string 7 does not exist";
    EXPECT_EQ (tuning.getOpenStringMidiPitchLowToHigh (0), 127);
    EXPECT_EQ (tuning.getOpenStringMidiPitchLowToHigh (5), 0);

    for (const auto& preset : getTuningPresets())
        EXPECT_EQ (GuitarTuning::fromString (preset.tuning.toString()), preset.tuning) << preset.label;

    juce::Random random (77);

    for (int i = 0; i < 2000; ++i)
    {
        const auto text = randomText (random);
        const auto read = GuitarTuning::fromString (text);

        for (int string = 1; string <= 6; ++string)
            EXPECT_TRUE (read.getOpenStringMidiPitch (string) >= 0 && read.getOpenStringMidiPitch (string) <= 127) << text;
    }
}

TEST (FrettleTextForms, ChordSymbolTailsGiveTheirSuffixes)
{
    struct Case
    {
        const char* tail;
        const char* suffixes;
    };

    for (const auto& c : {Case{"m7", "min7"}, Case{"minor", "m"}, Case{"min", "m"}, Case{"", "maj"}, Case{"   ", "maj"},
                          Case{"7#11/ab", "7,#11,/"}, Case{"MAJ7", "maj7"}, Case{"m7b5", "min7,b5"}, Case{"sus2/4", "sus2/4"},
                          Case{"6/9", "6/9"}, Case{"add6/9", "add6/9"}, Case{"min7", "min7"}, Case{"7 sus4", "7,sus4"},
                          Case{"(b9)", "b9"}, Case{"qqq", "maj"}, Case{"dim7", "dim7"}, Case{"halfdim", "halfdim"}})
        EXPECT_EQ (ChordSuffixList::fromChordSymbolTail (c.tail).toString(), c.suffixes) << c.tail;

    // Every host string reads back as its own id, and the longest come first.
    const auto& tokens = ChordSuffix::allSibeliusTokenStringsLongestFirst();

    for (size_t i = 1; i < tokens.size(); ++i)
        EXPECT_GE (tokens[i - 1].first.length(), tokens[i].first.length());

    for (int id = 1; id <= ChordSuffix::count; ++id)
        EXPECT_EQ (ChordSuffix::fromSibeliusString (ChordSuffix::toSibeliusString (static_cast<ChordSuffix::Id> (id))),
                   std::optional<ChordSuffix::Id> (static_cast<ChordSuffix::Id> (id)));

    juce::Random random (43);

    for (int i = 0; i < 3000; ++i)
    {
        auto text = randomText (random);

        for (int repeat = random.nextInt (4); repeat > 0; --repeat)
            text += text;

        const auto list = ChordSuffixList::fromChordSymbolTail (text);
        EXPECT_FALSE (list.getSuffixes().empty()) << text;
        EXPECT_LE (list.getSuffixes().size(), static_cast<size_t> (ChordSuffixList::maxRounds)) << text;
        EXPECT_EQ (ChordSuffixList::fromString (list.toString()), list) << text;
    }
}

TEST (FrettleTextForms, ChordInfoLoadsEveryFieldAndReadsSuffixesAfterTheRoot)
{
    Chord chord;
    EXPECT_TRUE (chord.loadFromSibeliusChordInfo (juce::JSON::parse (R"({"success": true, "chordNameAsPlainText": "Bbm7b5/E",
        "name": "Bbm7b5/E", "chromaticRoot": 70, "diatonicRoot": 41, "chromaticBass": "52", "diatonicBass": 30.0,
        "barId": 4, "pos": 256, "suffixList": ["m", "7"], "pitchList": [70, "73", 76.0, "x", null, 80]})")));
    EXPECT_EQ (chord.getName(), "Bbm7b5/E");
    EXPECT_EQ (chord.getTree().getBarId(), 4);
    EXPECT_EQ (chord.getTree().getPos(), 256);
    EXPECT_EQ (chord.getTree().getChromaticRoot(), 70);
    EXPECT_EQ (chord.getTree().getChromaticBass(), 52);
    EXPECT_EQ (chord.getTree().getDiatonicBass(), 30);
    EXPECT_EQ (chord.getMidiPitches(), (std::vector<int>{70, 73, 76, 80}));
    EXPECT_EQ (chord.getSuffixList().toString(), "min7,b5,/") << "the root's flat is no suffix";

    for (const auto* name : {"C", "C#", "Cb", "Ebb", "F#7"})
        EXPECT_FALSE (Chord::tailAfterRoot (name).containsAnyOf ("#")) << name;

    EXPECT_EQ (Chord::tailAfterRoot ("F#7"), "7");
    EXPECT_EQ (Chord::tailAfterRoot ("x7"), "x7");
    EXPECT_FALSE (Chord().loadFromSibeliusChordInfo (juce::var ("Cmaj7")));
}
