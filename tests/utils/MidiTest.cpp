#include "utils/Midi.h"
#include "utils/TextToInt.h"

#include <gtest/gtest.h>

using namespace utils::midi;

TEST (MidiControlNums, HoldsEveryControllerWithItsLabel)
{
    const auto& map = getMidiControlNums();
    ASSERT_EQ (map.size(), 129u);
    EXPECT_EQ (map.begin()->first, -2);
    EXPECT_EQ (map.begin()->second, "B (Pitch Bend)");

    const juce::StringArray labelled{"0 (BankSel MSB)", "1 (Modulation)", "2 (Breath)", "4 (Foot)", "5 (Portamento)", "6 (DataEnt MSB)", "7 (Volume)", "8 (Balance)", "10 (Pan)", "11 (Expression)", "16 (Gen Purp 1)", "17 (Gen Purp 2)", "18 (Gen Purp 3)", "19 (Gen Purp 4)", "32 (BankSel LSB)", "33 (Modulation LSB)", "34 (Breath LSB)", "36 (Foot LSB)", "37 (Porta LSB)", "38 (Data Ent LSB)", "39 (Volume LSB)", "40 (Balance LSB)", "42 (Pan LSB)", "43 (Exp LSB)", "64 (Sustain)", "65 (Porta On/Off)", "66 (Sostenuto)", "67 (Soft Pedal)", "68 (Legato FS)", "69 (Hold 2)", "70 (Sound Var)", "71 (Timber/Harmonic)", "72 (Release Time)", "73 (Attack Time)", "74 (Bightness)", "80 (Gen Purp 5)", "81 (Gen Purp 6)", "82 (Gen Purp 7)", "83 (Gen Purp 8)", "84 (Porta Ctrl)", "91 (ExtEff 1 Depth)", "92 (ExtEff 2 Depth)", "93 (ExtEff 3 Depth)", "94 (ExtEff 4 Depth)", "95 (ExtEff 5 Depth)", "96 (Data Incr)", "97 (Data Decr)", "98 (NRPN LSB)", "99 (NRPN MSB)", "100 (RPN LSB)", "101 (RPN MSB)", "120 (AllSndOff)", "121 (ResetAllCtrl)", "122 (Local Ctrl)", "123 (AllNoteOff)", "124 (Omni Mode Off)", "125 (Omni Mode On)", "126 (Mono Mode On)", "127 (Poly Mode On)"};

    int index = 0;
    int seenLabelled = 0;

    for (const auto& [num, label] : map)
    {
        if (num == -2)
            continue;

        EXPECT_EQ (num, index++);

        if (label.containsChar ('('))
        {
            EXPECT_TRUE (labelled.contains (label)) << label;
            EXPECT_TRUE (label.startsWith (juce::String (num) + " (")) << label;
            ++seenLabelled;
        }
        else
        {
            EXPECT_EQ (label, juce::String (num));
        }
    }

    EXPECT_EQ (seenLabelled, labelled.size());
}

TEST (MidiControlNums, IdentifiersAndNoteNames)
{
    const std::pair<const char*, int> ids[] = {{"B", -2}, {"7", 7}, {"b", 0}, {"", 0}, {"-1", -1}};

    for (const auto& [text, number] : ids)
        EXPECT_EQ (controlIdToNum (text), number) << text;

    for (const auto& [num, label] : getMidiControlNums())
        EXPECT_EQ (controlIdToNum (controlNumToId (num)), num);

    EXPECT_EQ (controlNumToId (-2), "B");
    EXPECT_EQ (controlNumToId (7), "7");

    const std::pair<int, const char*> names[] = {{60, "C4"}, {61, "C#4"}, {0, "C-1"}, {127, "G9"}, {-1, "B-2"}};

    for (const auto& [pitch, name] : names)
        EXPECT_EQ (pitchToNoteName (pitch), name) << pitch;
}

TEST (TextToInt, ReadsLikeJuceButClamps)
{
    constexpr auto max = std::numeric_limits<int>::max(), min = std::numeric_limits<int>::min();
    const std::pair<juce::String, int> cases[] = {{"42", 42}, {"  -17xyz", -17}, {"abc", 0}, {"", 0}, {"+5", 0}, {"2147483647", max}, {"2147483648", max}, {"-2147483648", min}, {"-99999999999999999999999999999", min}, {juce::String::repeatedString ("9", 10000), max}};

    for (const auto& [text, expected] : cases)
        EXPECT_EQ (utils::textToInt (text), expected) << text.substring (0, 40);

    for (int v : {0, 1, -1, 99, -12345, 1 << 30})
        EXPECT_EQ (utils::textToInt (juce::String (v)), juce::String (v).getIntValue());
}
