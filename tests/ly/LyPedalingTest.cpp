// The pedal model: its text form (round trips, the fallback for foreign
// characters, only seven pedals read) and the enumerations' texts.
#include "ly/LyPedaling.h"
#include "ly/LyState.h"

#include <gtest/gtest.h>

using namespace ly;

TEST (LyPedaling, EveryTextOfTheThreeSignsRoundTrips)
{
    const char signs[] = {'-', '#', 'b'};

    for (int code = 0; code < 3 * 3 * 3 * 3 * 3 * 3 * 3; ++code)
    {
        juce::String text;

        for (int i = 0, rest = code; i < 7; ++i, rest /= 3)
            text << signs[rest % 3];

        const auto pedaling = LyPedaling::fromString (text);
        ASSERT_EQ (pedaling.toString(), text);

        for (int i = 0; i < 7; ++i)
            ASSERT_EQ (LyPedaling::toChar (pedaling.getPedalPosition (LyPedaling::kPedals[static_cast<size_t> (i)])), text[i]) << text;
    }
}

TEST (LyPedaling, ReadsSevenPedalsAndFallsBackToNaturalOnForeignCharacters)
{
    const auto allNatural = LyPedaling::allAt (LyPedalPosition::Natural);

    struct Case
    {
        const char* text;
        const char* expected;
    };

    const Case cases[] = {
        {"--x----", "-------"},   // one foreign character: every pedal natural
        {"#######x", "#######"},  // an eighth character is not read, whatever it is
        {"--bb--b##", "--bb--b"}, // nine valid characters: the first seven
        {"#b", "#b-----"},        // shorter: the rest unset, written natural
        {"", "-------"},
        {"B------", "-------"}, // signs are case-sensitive
        {"bbb bbb", "-------"},
    };

    for (const auto& c : cases)
        EXPECT_EQ (LyPedaling::fromString (c.text).toString(), c.expected) << c.text;

    EXPECT_EQ (LyPedaling::fromString ("--x----"), allNatural) << "the fallback sets all seven pedals";
    EXPECT_NE (LyPedaling::fromString ("#b"), allNatural) << "a short text leaves pedals unset";
    EXPECT_EQ (LyPedaling::fromString ("#b").getPedalPosition ("C"), LyPedalPosition::Flat);
    EXPECT_EQ (LyPedaling::fromString ("#b").getPedalPosition ("A"), LyPedalPosition::Natural);
}

TEST (LyPedaling, SetsOnlyTheSevenPedalsByName)
{
    LyPedaling pedaling;
    EXPECT_TRUE (pedaling.setPedalPosition ("B", LyPedalPosition::Flat));
    EXPECT_TRUE (pedaling.setPedalPosition ("F", LyPedalPosition::Sharp));
    EXPECT_FALSE (pedaling.setPedalPosition ("H", LyPedalPosition::Sharp));
    EXPECT_FALSE (pedaling.setPedalPosition ("Bb", LyPedalPosition::Sharp));
    EXPECT_EQ (pedaling.toString(), "--b-#--");
    EXPECT_EQ (pedaling.getPedalPosition ("H"), LyPedalPosition::Natural);
}

TEST (LyPedaling, BeamsAndLineTextsFallBack)
{
    EXPECT_EQ (beamsFromString ("Beams2"), LyBeams::Beams2);
    EXPECT_EQ (beamsFromString ("Beams5"), LyBeams::Beams5);
    EXPECT_EQ (toString (beamsFromString ("Beams3")), "Beams3");

    for (const auto* unknown : {"", "Beams6", "beams2", "2", "Beams2 "})
        EXPECT_EQ (beamsFromString (unknown), LyBeams::Beams4) << unknown;

    EXPECT_EQ (lineTypeFromString ("Gliss"), LyLineType::Gliss);
    EXPECT_EQ (toString (lineTypeFromString ("Wavy")), "Wavy");

    for (const auto* unknown : {"", "wavy", "Zigzag", "1"})
        EXPECT_EQ (lineTypeFromString (unknown), LyLineType::Straight) << unknown;
}
