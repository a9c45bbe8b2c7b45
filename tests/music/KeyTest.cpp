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
    EXPECT_EQ (fs.getSignature(), 3);
    EXPECT_EQ (Key::fromName ("Bbm", Key::major).getKeyText(), "Bb") << "only the second character is read";
    EXPECT_EQ (Key::fromName ("Ax", Key::major).getTonicAccidental(), Key::none);

    const auto empty = Key::fromName ({}, Key::minor);
    EXPECT_EQ (empty.getType(), Key::major);
    EXPECT_EQ (empty.getKeyText(), "C");
    EXPECT_EQ (empty.getSignature(), 0);

    // Keys outside the tables have no signature and read no accidentals.
    for (const auto& [name, type] : {std::pair ("D#", Key::major), {"Fb", Key::major}, {"Db", Key::minor}, {"H", Key::major}})
        EXPECT_FALSE (Key::fromName (name, type).getSignature().has_value()) << name;

    EXPECT_EQ (Key::fromName ("D#", Key::major).getAccidentalForNoteName ("F"), 0);
    EXPECT_EQ (Key::fromName ("D", Key::major).getAccidentalForNoteName ("X"), 0);
}

// Each table (all 15 keys of a type) against the scales built on its tonics:
// every note of the key's scale, spelled by transposition, carries exactly the
// accidental the signature gives its letter.
TEST (Key, TablesAgreeWithTheScalesOfTheirKeys)
{
    const auto M = Interval::Major, m = Interval::Minor, P = Interval::Perfect;
    const std::tuple<const std::map<juce::String, int>&, Key::Type, Interval::Type> tables[] = {{Key::keySignaturesMajor(), Key::major, M},
                                                                                                {Key::keySignaturesMinor(), Key::minor, m}};

    for (const auto& [table, type, third] : tables)
    {
        ASSERT_EQ (table.size(), 15u);

        for (const auto& [text, signature] : table)
        {
            const auto key = Key::fromName (text, type);
            ASSERT_EQ (key.getSignature(), signature) << text;
            int sharpsMinusFlats = 0;

            for (const auto& step : {Interval (1, P), Interval (2, M), Interval (3, third), Interval (4, P), Interval (5, P), Interval (6, third), Interval (7, third)})
            {
                const auto note = music::Utils::transposePitchByInterval (Pitch (text + "4"), step);
                const auto accidental = key.getAccidentalForNoteName (Pitch::letterOf (note.getName()));
                EXPECT_EQ (accidental, note.getAccidentals()) << text << " " << note.toString();
                sharpsMinusFlats += accidental;
            }

            EXPECT_EQ (sharpsMinusFlats, signature) << text;
        }
    }
}
