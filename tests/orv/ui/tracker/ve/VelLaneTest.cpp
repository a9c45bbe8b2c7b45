// The velocity lane: the pointer's height as a velocity, the hit window of a
// stick, set and reset gestures over written and phantom notes with the one
// "noteVel" each sends, notes sharing a position, a lane without height, the
// stick index across note changes, and the painted stick height.
#include "orv/ui/tracker/ve/VelLane.h"
#include "gadget/TestMouse.h"
#include "orv/score/io/TestOrvana.h"
#include "orv/ui/tracker/timePort/TimePort.h"

#include <gtest/gtest.h>

#include <cmath>

using orv::Note;
using orv::tracker::ve::VelLane;

namespace
{
/** Sixteen 4/4 bars on staff 1 at a quarter pixel per tick (a quarter note is
    64 pixels, no scroll), and a lane 127 pixels high, so that a pointer at
    y has the velocity 127 - y. */
class VelLaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int bar = 1; bar <= 16; ++bar)
        {
            orvana.score.getOrCreateBar (bar);
            orvana.score.setBarLength (bar, 1024);
        }

        track = orvana.score.getOrCreateTrack (1);
        track.setColor (juce::Colour (0xff20a0e0));
        port.setSize (1000, 300);
        port.setZoomX (0.25f, false);
        port.setScrollDocX (0.0f, false);
        lane = std::make_unique<VelLane> (port, track);
        lane->setSize (1000, 127);
    }

    Note written (int bar, int pos, int potNum, int index)
    {
        auto note = track.addNote (bar, pos, 60 + index, 256, Note::written);
        note.setPotNum (potNum);
        note.setIndex (index);
        note.setSoundVel (0, false);
        return note;
    }

    Note phantom (int bar, int pos, int pitch, int dur, int vel)
    {
        auto note = track.addNote (bar, pos, pitch, dur, Note::phantom);
        note.setVel (vel);
        return note;
    }

    juce::MouseEvent event (juce::Point<float> at, juce::ModifierKeys mods)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), at, mods, juce::MouseInputSource::defaultPressure,
                                 juce::MouseInputSource::defaultOrientation, juce::MouseInputSource::defaultRotation,
                                 juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY, lane.get(), lane.get(), now, at, now, 1,
                                 false);
    }

    /** Presses at the first point, drags through the others, releases at the last. */
    void gesture (std::initializer_list<juce::Point<float>> points, juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier)
    {
        auto it = points.begin();
        lane->extMouseDown (event (*it, mods));

        for (++it; it != points.end(); ++it)
            lane->extMouseDrag (event (*it, mods));

        lane->extMouseUp (event (*(points.end() - 1), mods));
    }

    /** The data texts of the "noteVel" actions sent so far. */
    juce::StringArray sentVelocities() const
    {
        juce::StringArray texts;

        for (const auto& sent : orvana.sentActions)
            if (sent.method == "noteVel")
                texts.add (sent.argument["dataStr"].toString());

        return texts;
    }

    TestOrvana orvana;
    orv::tracker::timePort::TimePort port{orvana};
    orv::Track track;
    std::unique_ptr<VelLane> lane;
};
} // namespace

TEST_F (VelLaneTest, VelocityFollowsThePointerHeightAndAStickIsHitFromItsXToTwentyPixelsRight)
{
    EXPECT_EQ (VelLane::velocityForY (0.0f, 100.0f), 127) << "top";
    EXPECT_EQ (VelLane::velocityForY (100.0f, 100.0f), 0) << "bottom";
    EXPECT_EQ (VelLane::velocityForY (50.0f, 100.0f), 63) << "middle: 127 - round (63.5)";
    EXPECT_EQ (VelLane::velocityForY (-8.0f, 100.0f), 127) << "above the lane";
    EXPECT_EQ (VelLane::velocityForY (140.0f, 100.0f), 0) << "below the lane";
    EXPECT_FALSE (VelLane::velocityForY (10.0f, 0.0f).has_value()) << "a lane without height has no velocities";
    EXPECT_FALSE (VelLane::velocityForY (std::nanf (""), 100.0f).has_value());

    const auto note = written (1, 256, 0, 0);  // x 64
    const auto later = written (1, 512, 1, 0); // x 128
    EXPECT_EQ (lane->findNote (64.0f), note);
    EXPECT_EQ (lane->findNote (84.0f), note) << "x + 20 hits";
    EXPECT_FALSE (lane->findNote (85.0f).isValid()) << "x + 21 misses";
    EXPECT_FALSE (lane->findNote (63.0f).isValid()) << "left of the stick misses";
    EXPECT_EQ (lane->findNote (140.0f), later);

    // Scrolled by a bar: the sticks move with the time axis.
    port.setScrollDocX (256.0f, false);
    EXPECT_EQ (lane->findNote (0.0f), note);
    EXPECT_FALSE (lane->findNote (21.0f).isValid());
}

TEST_F (VelLaneTest, SetAndResetChangeWrittenAndPhantomNotesAndSendOneNoteVelPerGesture)
{
    auto first = written (1, 0, 0, 0);          // x 0
    auto ghost = phantom (1, 256, 62, 128, 50); // x 64
    auto last = written (1, 512, 1, 0);         // x 128

    // Set: a press on the first stick, a drag over the phantom one, then down to the bottom at the last.
    lane->extMouseDown (event ({2.0f, 27.0f}, juce::ModifierKeys::leftButtonModifier));
    EXPECT_EQ (lane->getTool(), VelLane::Tool::set);
    EXPECT_EQ (first.getSoundVel(), 100) << "the model changes at once";
    EXPECT_TRUE (lane->isTagVisible());
    EXPECT_EQ (lane->getTagValue(), 100);
    lane->extMouseDrag (event ({66.0f, 27.0f}, juce::ModifierKeys::leftButtonModifier));
    lane->extMouseDrag (event ({130.0f, 127.0f}, juce::ModifierKeys::leftButtonModifier));
    EXPECT_TRUE (sentVelocities().isEmpty()) << "nothing is sent before mouse up";
    lane->extMouseUp (event ({130.0f, 127.0f}, juce::ModifierKeys::leftButtonModifier));

    EXPECT_TRUE (first.getUseSoundVel());
    EXPECT_EQ (ghost.getVel(), 100);
    EXPECT_FALSE (ghost.getUseSoundVel()) << "a phantom note's velocity is its note-on";
    EXPECT_EQ (last.getSoundVel(), 0);
    EXPECT_EQ (lane->getTool(), VelLane::Tool::idle);
    EXPECT_EQ (lane->getPendingNoteVel(), nullptr);
    ASSERT_EQ (sentVelocities(), juce::StringArray ({"1,1,W,0,0,,T,100;1,1,C,256,62,128,F,100;1,1,W,1,0,,T,0"}));

    // Reset with the right button across all three: the phantom note is left alone and not sent.
    gesture ({{2.0f, 60.0f}, {70.0f, 10.0f}, {132.0f, 60.0f}}, juce::ModifierKeys::rightButtonModifier);
    EXPECT_FALSE (first.getUseSoundVel());
    EXPECT_EQ (first.getSoundVel(), -1);
    EXPECT_EQ (last.getSoundVel(), -1);
    EXPECT_EQ (ghost.getVel(), 100);
    EXPECT_FALSE (lane->isTagVisible()) << "a reset hides the tag";
    ASSERT_EQ (sentVelocities().size(), 2);
    EXPECT_EQ (sentVelocities()[1], "1,1,W,0,0,,F,-1;1,1,W,1,0,,F,-1");

    // Ctrl with the left button resets too; a reset of only a phantom note sends nothing.
    last.setSoundVel (90, true);
    gesture ({{130.0f, 5.0f}}, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::ctrlModifier));
    EXPECT_FALSE (last.getUseSoundVel());
    gesture ({{66.0f, 5.0f}}, juce::ModifierKeys::rightButtonModifier);
    EXPECT_EQ (ghost.getVel(), 100);
    ASSERT_EQ (sentVelocities().size(), 3) << sentVelocities().joinIntoString ("\n");
    EXPECT_EQ (sentVelocities()[2], "1,1,W,1,0,,F,-1");

    // A phantom note set to the bottom keeps a note-on velocity of 1 (0 would end the note).
    gesture ({{66.0f, 127.0f}});
    EXPECT_EQ (ghost.getVel(), 1);
    EXPECT_EQ (sentVelocities()[3], "1,1,C,256,62,128,F,1");

    // A gesture that touches no stick sends nothing.
    gesture ({{400.0f, 20.0f}, {500.0f, 20.0f}});
    EXPECT_EQ (sentVelocities().size(), 4);
}

TEST_F (VelLaneTest, AFastDragSetsEveryStickItPassesAtThePathsHeight)
{
    std::vector<Note> notes;

    for (int i = 0; i < 4; ++i)
        notes.push_back (written (2, i * 64, i, 0)); // x 256, 272, 288, 304

    // One drag step from left of the first stick to right of the last, from the top to the bottom.
    gesture ({{250.0f, 0.0f}, {310.0f, 120.0f}});
    const int expected[] = {127 - 12, 127 - 44, 127 - 76, 127 - 120};

    for (size_t i = 0; i < notes.size(); ++i)
        EXPECT_EQ (notes[i].getSoundVel(), expected[i]) << "stick " << i;

    ASSERT_EQ (sentVelocities().size(), 1);
    EXPECT_EQ (juce::StringArray::fromTokens (sentVelocities()[0], ";", "").size(), 4) << "each note once";
}

TEST_F (VelLaneTest, NotesSharingAPositionChangeTogetherUnlessSomeThereAreSelected)
{
    auto low = written (1, 0, 0, 0);
    auto high = written (1, 0, 0, 1);
    auto otherLow = written (1, 256, 1, 0);
    auto otherHigh = written (1, 256, 1, 1);
    high.setSelected (true);

    gesture ({{2.0f, 27.0f}, {66.0f, 27.0f}});
    EXPECT_FALSE (low.getUseSoundVel()) << "a selection at a position limits the change to it";
    EXPECT_EQ (high.getSoundVel(), 100);
    EXPECT_EQ (otherLow.getSoundVel(), 100) << "without a selection there, the whole position changes";
    EXPECT_EQ (otherHigh.getSoundVel(), 100);
    EXPECT_EQ (sentVelocities(), juce::StringArray ({"1,1,W,0,1,,T,100;1,1,W,1,0,,T,100;1,1,W,1,1,,T,100"}));

    // The map is taken at mouse down: a selection made since counts in the next gesture.
    high.setSelected (false);
    gesture ({{2.0f, 77.0f}});
    EXPECT_EQ (low.getSoundVel(), 50);
    EXPECT_EQ (high.getSoundVel(), 50);
}

TEST_F (VelLaneTest, ALaneWithoutHeightIgnoresGesturesAndTheStickIndexFollowsTheNotes)
{
    auto note = written (1, 0, 0, 0);
    lane->setSize (1000, 0);
    gesture ({{2.0f, 0.0f}, {40.0f, 0.0f}});
    lane->extMouseMove (event ({2.0f, 0.0f}, {}));
    EXPECT_FALSE (note.getUseSoundVel());
    EXPECT_TRUE (sentVelocities().isEmpty());
    EXPECT_EQ (lane->getTool(), VelLane::Tool::idle);
    EXPECT_FALSE (lane->isTagVisible());
    testing_support::paintToImage (*lane); // draws nothing, divides by nothing

    // The index is rebuilt when notes come, go or move, and for a new tree.
    ASSERT_EQ (lane->findNote (2.0f), note);
    auto added = written (1, 768, 1, 0);
    EXPECT_EQ (lane->findNote (194.0f), added) << "a note added after the index was built";
    added.setPos (512);
    EXPECT_FALSE (lane->findNote (194.0f).isValid()) << "a moved note leaves its old place";
    EXPECT_EQ (lane->findNote (130.0f), added);
    track.removeNote (note);
    EXPECT_FALSE (lane->findNote (2.0f).isValid()) << "a removed note";

    auto reloaded = orv::Track::create (1);
    reloaded.addNote (1, 256, 60, 128, Note::written);
    lane->setTrack (reloaded);
    EXPECT_FALSE (lane->findNote (130.0f).isValid());
    EXPECT_TRUE (lane->findNote (66.0f).isValid()) << "the reloaded track's notes";
}

TEST_F (VelLaneTest, SticksStandAsHighAsTheirVelocityAndUnsetOnesAreHollow)
{
    written (1, 0, 0, 0).setSoundVel (100, true); // x 0
    written (1, 256, 1, 0);                       // x 64, no override
    phantom (1, 512, 60, 128, 27);                // x 128

    const auto image = testing_support::paintToImage (*lane);
    const auto colour = track.getColor();
    const auto isStick = [&] (int x, int y)
    { return testing_support::coloursClose (image.getPixelAt (x, y), colour, 40); };

    EXPECT_TRUE (isStick (0, 127 - 95)) << "inside a stick of 100";
    EXPECT_FALSE (isStick (0, 127 - 110)) << "above it";
    EXPECT_FALSE (isStick (65, 80)) << "an unset written note is hollow";
    EXPECT_FALSE (testing_support::coloursClose (image.getPixelAt (64, 80), image.getPixelAt (30, 80), 10)) << "but its outline shows";
    EXPECT_FALSE (testing_support::coloursClose (image.getPixelAt (128, 127 - 20), image.getPixelAt (120, 127 - 20), 10)) << "a phantom stick of 27";
    EXPECT_TRUE (testing_support::coloursClose (image.getPixelAt (128, 127 - 40), image.getPixelAt (120, 127 - 40), 10)) << "ends at its height";
}
