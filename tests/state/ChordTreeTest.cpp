// The "CHORD" tree: its pitch list's text form, and the tree surviving a
// round trip through a state file, where every property comes back as text.
#include "state/ChordTree.h"

#include <gtest/gtest.h>

TEST (ChordPitchList, TextFormRoundTripsAndSkipsWhatIsNoNumber)
{
    EXPECT_EQ (ChordPitchList ({60, 64, 67, 70}).toString(), "60,64,67,70");
    EXPECT_EQ (ChordPitchList().toString(), "");

    const std::pair<const char*, std::vector<int>> cases[] = {
        {"60,64,67", {60, 64, 67}},
        {" 48 , 52,55 ", {48, 52, 55}},
        {"", {}},
        {"60,,67", {60, 67}},
        {"60,x,67,7b", {60, 67}},
        {"-1,128", {-1, 128}},
    };

    for (const auto& [text, pitches] : cases)
        EXPECT_EQ (ChordPitchList::fromString (text).getPitches(), pitches) << text;
}

TEST (ChordTree, ReadsBackWhatItWroteAlsoAfterAFileRoundTrip)
{
    ChordTree chord;
    chord.setName ("C7/G");
    chord.setPlace (12, 512);
    chord.setRoot (60, 35);
    chord.setBass (55, 39);
    chord.setPitchList (ChordPitchList ({60, 64, 67, 70}));
    chord.setSuffixListText ("6");

    const auto xml = chord.getTree().createXml();
    ASSERT_NE (xml, nullptr);
    const ChordTree read (juce::ValueTree::fromXml (*xml));

    EXPECT_TRUE (read.getTree().hasType (ChordTree::type));
    EXPECT_EQ (read.getName(), "C7/G");
    EXPECT_EQ (read.getBarId(), 12);
    EXPECT_EQ (read.getPos(), 512);
    EXPECT_EQ (read.getChromaticRoot(), 60);
    EXPECT_EQ (read.getDiatonicRoot(), 35);
    EXPECT_EQ (read.getChromaticBass(), 55);
    EXPECT_EQ (read.getDiatonicBass(), 39);
    EXPECT_EQ (read.getPitchList(), ChordPitchList ({60, 64, 67, 70}));
    EXPECT_EQ (read.getSuffixListText(), "6");
    EXPECT_TRUE (read.getTree().isEquivalentTo (chord.getTree()));
}
