#include "music/Key.h"
#include "music/Utils.h"
#include "utils/Midi.h"

#include <gtest/gtest.h>

namespace
{
// Text made mostly of the characters the parsers look at, with some arbitrary
// code points, so that random strings reach every branch.
juce::String randomText (juce::Random& rng)
{
    static const juce::String alphabet ("ABCDEFGHbB#-0123456789 PerMajMinDimAugUnd,~");
    juce::String text;
    const int length = rng.nextInt (24);

    for (int i = 0; i < length; ++i)
    {
        if (rng.nextInt (10) == 0)
            text += static_cast<juce::juce_wchar> (1 + rng.nextInt (0x10FFFF - 1) % 0xD7FF);
        else
            text += alphabet[rng.nextInt (alphabet.length())];
    }

    return text;
}
} // namespace

// Parsing never fails: whatever the text, every result is usable.
TEST (MusicParsing, SurvivesRandomText)
{
    juce::Random rng (20240607);

    for (int round = 0; round < 20000; ++round)
    {
        const auto text = randomText (rng);

        const auto pitch = music::Pitch::fromString (text);
        EXPECT_GE (pitch.getAccidentals(), -3);
        EXPECT_LE (pitch.getAccidentals(), 3);
        juce::ignoreUnused (pitch.toString(), pitch.getMidiNumber(), pitch.getDiatonicNumber());

        const auto interval = music::Interval::fromString (text);
        EXPECT_GE (static_cast<int> (interval.getType()), 0);
        EXPECT_LE (static_cast<int> (interval.getType()), 5);
        juce::ignoreUnused (interval.toString(), interval.getSemitones(), interval.getTypeInHostFormat());

        const auto moved = music::Utils::transposePitchByInterval (pitch, interval);
        juce::ignoreUnused (moved.toString(), music::Interval::fromPitchDistance (pitch, moved));

        const auto key = music::Key::fromName (text, rng.nextBool() ? music::Key::major : music::Key::minor);
        const auto accidental = key.getAccidentalForNoteName (text.substring (0, 1));
        EXPECT_GE (accidental, -1);
        EXPECT_LE (accidental, 1);

        juce::ignoreUnused (utils::midi::controlIdToNum (text), utils::midi::pitchToNoteName (rng.nextInt()));
    }
}
