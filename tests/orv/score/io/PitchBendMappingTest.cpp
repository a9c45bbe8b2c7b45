#include "orv/score/io/PitchBendMapping.h"

#include <gtest/gtest.h>

using namespace orv::midi;

TEST (PitchBendMapping, DecodeStandardScale)
{
    EXPECT_EQ (decodePitchBendCommandText ("~B0,64", false), 64);
    EXPECT_EQ (decodePitchBendCommandText ("~B0,200", false), 127);
    EXPECT_EQ (decodePitchBendCommandText ("~B0,-5", false), 0);
    EXPECT_EQ (decodePitchBendCommandText ("~B0", false), 0) << "the integer after a missing comma is 0";
    EXPECT_EQ (decodePitchBendCommandText ("~C7,100", false), 64) << "no B";
    EXPECT_EQ (decodePitchBendCommandText ("3,~B0, 90", false), 90) << "the comma after the B counts";
}

TEST (PitchBendMapping, DecodeNotePerformerScale)
{
    EXPECT_EQ (decodePitchBendCommandText ("~B0,64", true), 512);
    EXPECT_EQ (decodePitchBendCommandText ("~B127,127", true), 1023);
    EXPECT_EQ (decodePitchBendCommandText ("~B0,56", true), 0);
    EXPECT_EQ (decodePitchBendCommandText ("~B0,55", true), 0);
    EXPECT_EQ (decodePitchBendCommandText ("~B1,56", true), 1) << "7169: 512 + (-1023 / 2), truncated toward zero";
    EXPECT_EQ (decodePitchBendCommandText ("~B0,96", true), 1023);
    EXPECT_EQ (decodePitchBendCommandText ("~B0,68", true), 768);
    EXPECT_EQ (decodePitchBendCommandText ("~B3,64", true), 513) << "8195 -> 513.5, truncated";
    EXPECT_EQ (decodePitchBendCommandText ("~B255,64", true), 575) << "the low byte is masked to 7 bits";
    EXPECT_EQ (decodePitchBendCommandText ("~B,64", true), 512) << "nothing between the B and the comma";
    EXPECT_EQ (decodePitchBendCommandText ("~B64", true), 512) << "no comma";
    EXPECT_EQ (decodePitchBendCommandText ("~N60,0", true), 512) << "no B";
    EXPECT_EQ (decodePitchBendCommandText ("~B0,99999999999", true), 1023);
    EXPECT_EQ (decodePitchBendCommandText ("~B0,-99999999999", true), 0);
}

TEST (PitchBendMapping, LaneMapping)
{
    // A lane 148 high with margins of 10 draws on 128 pixels.
    EXPECT_EQ (viewYToPitchBendVal (10, 148, 10, false), 127);
    EXPECT_EQ (viewYToPitchBendVal (138, 148, 10, false), 0);
    EXPECT_EQ (viewYToPitchBendVal (74, 148, 10, false), 63) << "127 - round (63.5), halves to even";
    EXPECT_EQ (viewYToPitchBendVal (-50, 148, 10, false), 127) << "clamped";
    EXPECT_EQ (viewYToPitchBendVal (500, 148, 10, false), 0);
    EXPECT_EQ (viewYToPitchBendVal (10, 20, 10, true), 512) << "no room: centre";

    EXPECT_EQ (pitchBendValToViewY (127, 148, 10, false), 10);
    EXPECT_EQ (pitchBendValToViewY (0, 148, 10, false), 138);
    EXPECT_EQ (pitchBendValToViewY (1023, 1033, 5, true), 5);
    EXPECT_EQ (pitchBendValToViewY (512, 1033, 5, true), 516);
    EXPECT_EQ (pitchBendValToViewY (124, 73.5, 5, false), 7) << "1.5 rounds to even";
    EXPECT_EQ (pitchBendValToViewY (126, 73.5, 5, false), 5) << "0.5 rounds to even";

    // Both directions agree wherever a pixel holds a value.
    for (int value = 0; value <= 1023; ++value)
        EXPECT_EQ (viewYToPitchBendVal (pitchBendValToViewY (value, 2056, 4, true), 2056, 4, true), value);
}

TEST (PitchBendMapping, NotePerformerSemitones)
{
    EXPECT_EQ (semitonesToPitchBendNpVal (0), 512);
    EXPECT_EQ (semitonesToPitchBendNpVal (1), 768);
    EXPECT_EQ (semitonesToPitchBendNpVal (-2), 0);
    EXPECT_EQ (semitonesToPitchBendNpVal (2), 1023) << "1024 clamped";
    EXPECT_EQ (semitonesToPitchBendNpVal (5), 1023);
    EXPECT_EQ (semitonesToPitchBendNpVal (0.001953125), 512) << "512.5 rounds to even";
    EXPECT_EQ (semitonesToPitchBendNpVal (0.005859375), 514) << "513.5 rounds to even";

    EXPECT_EQ (snapPitchBendNpValToDragGrid (600), 602);
    EXPECT_EQ (snapPitchBendNpValToDragGrid (512), 512);
    EXPECT_EQ (snapPitchBendNpValToDragGrid (1023), 1023);
    EXPECT_EQ (snapPitchBendNpValToDragGrid (0), 0);
    EXPECT_EQ (snapPitchBendNpValToDragGrid (5000), 1023);

    // Every snapped value sits on the 0.05 semitone grid and snaps to itself.
    for (int value = 0; value <= 1023; ++value)
    {
        const auto snapped = snapPitchBendNpValToDragGrid (value);
        EXPECT_EQ (snapPitchBendNpValToDragGrid (snapped), snapped);
        EXPECT_LE (std::abs (snapped - value), 7) << value;
    }
}

TEST (PitchBendMapping, TagLabels)
{
    EXPECT_EQ (formatPitchBendTagLabel (512, true), "0");
    EXPECT_EQ (formatPitchBendTagLabel (768, true), "+1.00");
    EXPECT_EQ (formatPitchBendTagLabel (896, true), "+1.50");
    EXPECT_EQ (formatPitchBendTagLabel (448, true), "-0.25");
    EXPECT_EQ (formatPitchBendTagLabel (513, true), "0") << "0.0039 semitone";
    EXPECT_EQ (formatPitchBendTagLabel (514, true), "+0.01");
    EXPECT_EQ (formatPitchBendTagLabel (544, true), "+0.12") << "0.125 to even";
    EXPECT_EQ (formatPitchBendTagLabel (0, true), "-2.00");

    EXPECT_EQ (formatPitchBendTagLabel (64, false), "0");
    EXPECT_EQ (formatPitchBendTagLabel (65, false), "+1");
    EXPECT_EQ (formatPitchBendTagLabel (74, false), "+10");
    EXPECT_EQ (formatPitchBendTagLabel (52, false), "-12");
}
