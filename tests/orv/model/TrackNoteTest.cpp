#include "orv/model/Score.h"
#include "orv/model/ScoreIds.h"
#include "orv/pref/TrackStyleList.h"

#include <gtest/gtest.h>

using orv::Note;
using orv::Score;
using orv::Track;

TEST (Note, TupletScaling)
{
    Score score;
    auto note = score.getOrCreateTrack (1).addNote (1, 0, 60, 96, Note::written);

    note.setTuplet (true, 3, 2);
    note.setSoundDurAndUse (96);
    EXPECT_TRUE (note.hasTupletScale());
    EXPECT_EQ (note.getVisualSoundDurTicks(), 64);
    EXPECT_EQ (note.getVisualHeadDurTicks(), 64);
    EXPECT_EQ (note.getVisualTicksForSound (100), 67) << "rounded to nearest";
    EXPECT_EQ (note.soundTicksFromTimelineTicks (64), 96);

    for (auto [left, right] : {std::pair{2, 2}, {0, 3}, {3, 0}, {-3, 2}})
    {
        note.setTuplet (true, left, right);
        EXPECT_FALSE (note.hasTupletScale()) << left << ":" << right;
        EXPECT_EQ (note.getVisualTicksForSound (96), 96);
        EXPECT_EQ (note.soundTicksFromTimelineTicks (96), 96);
    }

    note.setTuplet (false, 3, 2);
    EXPECT_FALSE (note.hasTupletScale()) << "the numbers alone do not make a tuplet";

    note.setTuplet (true, 3, 2);
    EXPECT_EQ (note.getVisualTicksForSound (std::numeric_limits<int>::max()), 1431655765);
}

TEST (Note, PlayedSound)
{
    Score score;
    auto note = score.getOrCreateTrack (2).addNote (4, 256, 62, 128, Note::written);

    EXPECT_EQ (note.getCalcSoundDur(), 128);
    EXPECT_EQ (note.getCalcSoundPos(), 256);
    EXPECT_FALSE (note.soundDiffersFromWritten());

    note.setSoundDeltaAndUseFromPos (240);
    EXPECT_EQ (note.getSoundDelta(), -16);
    EXPECT_EQ (note.getCalcSoundPos(), 240);
    EXPECT_TRUE (note.soundDiffersFromWritten());

    note.setSoundDelta (0, true);
    EXPECT_FALSE (note.soundDiffersFromWritten()) << "a zero delta plays as written";
    note.setSoundDurAndUse (128);
    EXPECT_FALSE (note.soundDiffersFromWritten());
    note.setSoundDurAndUse (100);
    EXPECT_TRUE (note.soundDiffersFromWritten());
    EXPECT_EQ (note.getCalcSoundDur(), 100);

    note.setSoundDeltaAndUseFromPos (200);
    note.resetWrittenSound();
    EXPECT_FALSE (note.soundDiffersFromWritten());
    EXPECT_EQ (note.getCalcSoundDur(), 128);
    EXPECT_EQ (note.getCalcSoundPos(), 256);

    EXPECT_EQ (note.getTrackId(), 2);
    EXPECT_EQ (Note::create (1, 0, 60, 1, Note::written).getTrackId(), -1) << "detached";
}

TEST (Note, TypesAndPhantomIdentity)
{
    Score score;
    auto track = score.getOrCreateTrack (1);

    const auto phantom = track.addNote (4, 256, 62, 128, Note::phantom);
    EXPECT_TRUE (phantom.isPhantom());
    EXPECT_EQ (phantom.getState()[orv::ids::phantomIdf].toString(), "4,256,128");
    EXPECT_EQ (phantom.getPhantomIdf(), Note::PhantomIdf (4, 256, 128));

    const auto written = track.addNote (4, 0, 60, 256, Note::written);
    EXPECT_TRUE (written.isWritten());
    EXPECT_FALSE (written.getState().hasProperty (orv::ids::phantomIdf));

    const auto odd = track.addNote (4, 0, 60, 256, 7);
    EXPECT_EQ (static_cast<int> (odd.getState()[orv::ids::type]), 0);

    EXPECT_FALSE (Note::PhantomIdf::fromString ("4,256").valid);
    EXPECT_FALSE (Note::PhantomIdf::fromString ("4,256,1,2").valid);
    EXPECT_EQ (Note::PhantomIdf::fromString ("-1,0,5"), Note::PhantomIdf (-1, 0, 5));

    track.removeNote (written);
    EXPECT_EQ (track.getNoteList().size(), 2);
}

TEST (Track, MuteTextAndWings)
{
    Score score;
    // Uniqueness of tracks and curves under random operations: ModelInvariantTest.
    auto track = score.getOrCreateTrack (3);
    track.getState().setProperty (orv::ids::mute, "M", nullptr);
    EXPECT_EQ (track.getMute(), Track::Mute::notMuted) << "unknown text";

    // One wing node per side and controller.
    track.addLeftWingNode (7, orv::WingNode::create (1, 0, 80, orv::Node::plain, 1024));
    track.addLeftWingNode (7, orv::WingNode::create (1, 10, 90, orv::Node::plain, 1014));
    track.addRightWingNode (7, orv::WingNode::create (9, 0, 20, orv::Node::Ramp, 0));
    EXPECT_EQ (track.getLeftWingNode (7).getVal(), 90);
    EXPECT_EQ (track.getLeftWingNode (7).getControlNum(), 7);
    EXPECT_EQ (track.getState().getChildWithName (orv::ids::LEFTWINGNODELIST).getNumChildren(), 1);
    EXPECT_EQ (track.getRightWingNode (7).getType(), orv::Node::Ramp);
    EXPECT_FALSE (track.getLeftWingNode (1).isValid());
    track.removeLeftWingNode (7);
    EXPECT_FALSE (track.getLeftWingNode (7).isValid());
    EXPECT_TRUE (track.getRightWingNode (7).isValid());
}

TEST (Track, TrackBarsKnowTheirBarAndClear)
{
    Score score;
    for (int bar = 1; bar <= 4; ++bar)
    {
        score.getOrCreateBar (bar);
        score.setBarLength (bar, 1024);
    }

    // Order and uniqueness under random operations: ModelInvariantTest.
    for (int bar : {3, 1, 4, 3})
        score.getOrCreateTrackBar (2, bar);

    auto trackBar = score.getTrack (2).getTrackBar (3);
    EXPECT_EQ (trackBar.getGlobalPos(), 2048);

    trackBar.getOrCreateNoteList().addNote (3, 0, 60, 10, Note::written);
    trackBar.getOrCreateNodeStripes().appendChild (juce::ValueTree (orv::ids::NODESTRIPE), nullptr);
    trackBar.clear();
    EXPECT_EQ (trackBar.getOrCreateNoteList().size(), 0);
    EXPECT_EQ (trackBar.getOrCreateNodeStripes().getNumChildren(), 0);
}

TEST (Track, NewTracksTakeTheirStyleColour)
{
    orv::preferences::TrackStyleList styles (juce::ValueTree ("TRACKSTYLES"));
    styles.ensureDefaults();

    Score score;
    score.setTrackStyles (styles.getState());
    EXPECT_EQ (score.getOrCreateTrack (1).getColor(), juce::Colour (0xffdd240b)) << "no type yet: default style";

    auto track = score.getTrack (1);
    track.setColor (juce::Colour (0xff010203));
    EXPECT_EQ (score.getOrCreateTrack (1).getColor(), juce::Colour (0xff010203)) << "an existing track keeps its colour";

    Score plain;
    EXPECT_FALSE (plain.getOrCreateTrack (1).hasColor()) << "without styles no colour is invented";
}
