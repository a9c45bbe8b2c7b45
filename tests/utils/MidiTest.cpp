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

TEST (MidiControlNums, IdentifierText)
{
    EXPECT_EQ (controlIdToNum ("B"), -2);
    EXPECT_EQ (controlNumToId (-2), "B");
    EXPECT_EQ (controlIdToNum ("7"), 7);
    EXPECT_EQ (controlNumToId (7), "7");
    EXPECT_EQ (controlIdToNum ("b"), 0);
    EXPECT_EQ (controlIdToNum (""), 0);
    EXPECT_EQ (controlIdToNum ("-1"), -1);

    for (const auto& [num, label] : getMidiControlNums())
        EXPECT_EQ (controlIdToNum (controlNumToId (num)), num);
}

TEST (MidiControlNums, NoteNames)
{
    EXPECT_EQ (pitchToNoteName (60), "C4");
    EXPECT_EQ (pitchToNoteName (61), "C#4");
    EXPECT_EQ (pitchToNoteName (0), "C-1");
    EXPECT_EQ (pitchToNoteName (127), "G9");
    EXPECT_EQ (pitchToNoteName (-1), "B-2");
}

TEST (TextToInt, ReadsLikeJuceButClamps)
{
    EXPECT_EQ (utils::textToInt ("42"), 42);
    EXPECT_EQ (utils::textToInt ("  -17xyz"), -17);
    EXPECT_EQ (utils::textToInt ("abc"), 0);
    EXPECT_EQ (utils::textToInt (""), 0);
    EXPECT_EQ (utils::textToInt ("+5"), 0);
    EXPECT_EQ (utils::textToInt ("2147483647"), 2147483647);
    EXPECT_EQ (utils::textToInt ("2147483648"), 2147483647);
    EXPECT_EQ (utils::textToInt ("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ (utils::textToInt ("-99999999999999999999999999999"), std::numeric_limits<int>::min());
    EXPECT_EQ (utils::textToInt (juce::String::repeatedString ("9", 10000)), 2147483647);

    for (int v : {0, 1, -1, 99, -12345, 1 << 30})
        EXPECT_EQ (utils::textToInt (juce::String (v)), juce::String (v).getIntValue());
}
