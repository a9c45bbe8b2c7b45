#include "music/Key.h"
#include "music/Utils.h"

#include <gtest/gtest.h>

using music::Interval;
using music::Key;
using music::Pitch;

TEST (Key, FromName)
{
    const auto fs = Key::fromName ("F#", Key::minor);
    EXPECT_EQ (fs.getTonicLetter(), 'F');
    EXPECT_EQ (fs.getTonicAccidental(), Key::sharp);
    EXPECT_EQ (fs.getType(), Key::minor);
    EXPECT_EQ (fs.getKeyText(), "F#");
    EXPECT_EQ (fs.getSignature(), 3);
    EXPECT_EQ (Key::fromName ("Bbm", Key::major).getKeyText(), "Bb") << "only the second character is read";
    EXPECT_EQ (Key::fromName ("Ax", Key::major).getTonicAccidental(), Key::none);

    const auto empty = Key::fromName ({}, Key::minor);
    EXPECT_EQ (empty.getType(), Key::major);
    EXPECT_EQ (empty.getKeyText(), "C");
    EXPECT_EQ (empty.getSignature(), 0);

    EXPECT_EQ (Key().getOrderOfSharps().joinIntoString (""), "FCGDAEB");
    EXPECT_EQ (Key().getOrderOfFlats().joinIntoString (""), "BEADGCF");
}

TEST (Key, KeysOutsideTheTablesHaveNoSignatureAndReadNoAccidentals)
{
    EXPECT_FALSE (Key::fromName ("D#", Key::major).getSignature().has_value());
    EXPECT_FALSE (Key::fromName ("Fb", Key::major).getSignature().has_value());
    EXPECT_FALSE (Key::fromName ("Db", Key::minor).getSignature().has_value());
    EXPECT_FALSE (Key::fromName ("H", Key::major).getSignature().has_value());
    EXPECT_EQ (Key::fromName ("D#", Key::major).getAccidentalForNoteName ("F"), 0);
    EXPECT_EQ (Key::fromName ("D", Key::major).getAccidentalForNoteName ("X"), 0);
}

// Each table (all 15 keys of a type) against the scales built on its tonics:
// every note of the key's scale, spelled by transposition, carries exactly the
// accidental the signature gives its letter.
TEST (Key, TablesAgreeWithTheScalesOfTheirKeys)
{
    const auto checkTable = [] (const std::map<juce::String, int>& table, Key::Type type, const std::vector<Interval>& steps)
    {
        for (const auto& [text, signature] : table)
        {
            const auto key = Key::fromName (text, type);
            ASSERT_EQ (key.getSignature(), signature) << text;

            const Pitch tonic (text + "4");
            int sharpened = 0, flattened = 0;

            for (const auto& step : steps)
            {
                const auto note = music::Utils::transposePitchByInterval (tonic, step);
                const auto letter = Pitch::letterOf (note.getName());
                EXPECT_EQ (key.getAccidentalForNoteName (letter), note.getAccidentals()) << text << " " << letter;
                sharpened += key.getAccidentalForNoteName (letter) > 0 ? 1 : 0;
                flattened += key.getAccidentalForNoteName (letter) < 0 ? 1 : 0;
            }

            EXPECT_EQ (sharpened - flattened, signature) << text;
        }
    };

    const auto steps = [] (std::initializer_list<const char*> texts)
    {
        std::vector<Interval> result;
        for (auto* t : texts)
            result.push_back (Interval::fromString (t));
        return result;
    };

    ASSERT_EQ (Key::keySignaturesMajor().size(), 15u);
    ASSERT_EQ (Key::keySignaturesMinor().size(), 15u);
    checkTable (Key::keySignaturesMajor(), Key::major, steps ({"Per1", "Maj2", "Maj3", "Per4", "Per5", "Maj6", "Maj7"}));
    checkTable (Key::keySignaturesMinor(), Key::minor, steps ({"Per1", "Maj2", "Min3", "Per4", "Per5", "Min6", "Min7"}));
}
