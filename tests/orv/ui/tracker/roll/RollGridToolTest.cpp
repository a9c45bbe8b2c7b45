// The roll's gestures: hit classes, moves and resizes with and without
// snapping, the tuplet conversion, phantom drawing, erasing, selection and
// the lasso across tracks, and the one action each gesture sends.
#include "orv/ui/tracker/roll/RollTestScore.h"
#include "support/MessagePump.h"

using orv::tracker::roll::EditNoteSubMode;
using orv::tracker::roll::RollGridTool;

namespace
{
using Mods = juce::ModifierKeys;

class RollGesture : public RollFixture
{
protected:
    /** Drags the note from a point inside it (pixels from its left) by a tick distance. */
    void dragNote (int staff, int bar, int pos, float fromLeft, int byTicks, bool fromRight = false)
    {
        auto& g = grid (staff);
        const auto bounds = noteAt (staff, bar, pos).getViewBounds (g);
        const auto x = fromRight ? bounds.getRight() - fromLeft : bounds.getX() + fromLeft;
        const auto y = bounds.getCentreY();
        gesture (g, {{x, y}, {x + widthOf (byTicks) / 2.0f, y}, {x + widthOf (byTicks), y}});
    }
};
} // namespace

TEST_F (RollGesture, HitClassesAndSubModesFollowTheEdgeRules)
{
    // 96 ticks is 15 pixels at the default zoom; 1024 ticks 160 pixels.
    make ({{1, 2, 0, 96, 60}, {1, 3, 0, 1024, 60}, {1, 4, 0, 12, 60}});
    auto& g = grid (1);
    const auto narrow = noteAt (1, 2, 0).getViewBounds (g);
    ASSERT_NEAR (narrow.getWidth(), 15.0f, 0.01f);
    const auto y = narrow.getCentreY();

    EXPECT_EQ (g.classifyHit (narrow.getRight() - 5.0f, y), 2) << "5 px inside a 15 px note's right edge is its left edge";
    const auto wide = noteAt (1, 3, 0).getViewBounds (g);
    EXPECT_EQ (g.classifyHit (wide.getX() + 4.0f, y), 2);
    EXPECT_EQ (g.classifyHit (wide.getCentreX(), y), 1);
    EXPECT_EQ (g.classifyHit (wide.getRight() - 4.0f, y), 3);
    EXPECT_EQ (g.classifyHit (wide.getCentreX(), y - 3.0f * g.getKeyViewHeight()), 0) << "another pitch's row";
    EXPECT_EQ (g.classifyHit (wide.getRight() + 30.0f, y), 0);

    const auto tiny = noteAt (1, 4, 0).getViewBounds (g);
    ASSERT_LE (tiny.getWidth(), 3.0f);
    EXPECT_EQ (RollGridTool::subModeFor (tiny, tiny.getX(), g.classifyHit (tiny.getX() + 0.5f, y)), EditNoteSubMode::ResizeEnd)
        << "a note too thin to aim at can only be lengthened";
    EXPECT_EQ (RollGridTool::subModeFor (wide, wide.getCentreX(), 1), EditNoteSubMode::Move);
    EXPECT_EQ (RollGridTool::subModeFor (wide, wide.getX() + 9.0f, 1), EditNoteSubMode::ResizeStart);
    EXPECT_EQ (RollGridTool::subModeFor (wide, wide.getRight() - 9.0f, 1), EditNoteSubMode::ResizeEnd);
}

TEST_F (RollGesture, MovesAndResizesSnapToTheGridAndSendOneActionEach)
{
    make ({{1, 2, 100, 256, 60}, {1, 3, 0, 256, 62}, {1, 4, 0, 512, 64}, {1, 5, 0, 512, 65}, {1, 6, 0, 256, 67}});
    setPointerSnap (256);

    dragNote (1, 2, 100, 20.0f, 200);

    // The end of a 256-tick note moved 300 left stays one step long: nothing changed, nothing is sent.
    auto& g = grid (1);
    const auto end = noteAt (1, 3, 0).getViewBounds (g);
    const juce::Point<float> down (end.getRight() - 3.0f, end.getCentreY());
    g.mouseDown (event (g, down, down, Mods::leftButtonModifier));
    g.mouseDrag (event (g, down.translated (-widthOf (300), 0.0f), down, Mods::leftButtonModifier));
    EXPECT_EQ (noteAt (1, 3, 0).getPreview().dur, 256);
    g.mouseUp (event (g, down, down, Mods()));

    // A release that arrives without the drags before it still ends the move there.
    const auto quick = noteAt (1, 6, 0).getViewBounds (g);
    const juce::Point<float> from (quick.getCentreX(), quick.getCentreY());
    g.mouseDown (event (g, from, from, Mods::leftButtonModifier));
    g.mouseUp (event (g, from.translated (widthOf (256), 0.0f), from, Mods()));

    dragNote (1, 5, 0, 3.0f, -300, true);
    dragNote (1, 4, 0, 3.0f, 600);

    EXPECT_EQ (sent(), juce::StringArray ({"noteSound:W,1,2,0,0,,156,256",   // 100 + 200 snaps to 256
                                           "noteSound:W,1,6,0,0,,256,256",   // released a step on, with no drag reported
                                           "noteSound:W,1,5,0,0,,0,256",     // 512 - 300 snaps to one step
                                           "noteSound:W,1,4,0,0,,256,256"})) // the start stops one step before the end
        << sent().joinIntoString ("\n");

    // The notes show their new played timing until the score answers.
    EXPECT_EQ (noteAt (1, 2, 100).getNote().getCalcSoundPos(), 256);
    EXPECT_FALSE (noteAt (1, 2, 100).isPreviewing());
    EXPECT_EQ (grid (1).getPreviewedNotes().size(), 0u);
}

TEST_F (RollGesture, CtrlDuringADragMovesByExactTicksAndUnsnappedResizesKeepOneTick)
{
    make ({{1, 2, 100, 256, 60}, {1, 3, 0, 100, 62}});
    setPointerSnap (256);

    auto& g = grid (1);
    const auto b = noteAt (1, 2, 100).getViewBounds (g);
    const juce::Point<float> down (b.getX() + 20.0f, b.getCentreY());
    g.mouseDown (event (g, down, down, Mods::leftButtonModifier));
    ctrlHeld = true; // pressed after the press: snapping only
    g.mouseDrag (event (g, down.translated (widthOf (200), 0.0f), down, Mods (Mods::leftButtonModifier | Mods::ctrlModifier)));
    EXPECT_EQ (noteAt (1, 2, 100).getPreview().ticks, 300);
    g.mouseUp (event (g, down.translated (widthOf (200), 0.0f), down, Mods()));

    dragNote (1, 3, 0, 2.0f, 500);
    EXPECT_EQ (sent(), juce::StringArray ({"noteSound:W,1,2,0,0,,200,256", "noteSound:W,1,3,0,0,,99,1"})) << sent().joinIntoString ("\n");
}

TEST_F (RollGesture, PlayedTimingOfTupletsAndTheScoreStartBoundMoves)
{
    // A triplet: 768 sound ticks drawn as 512 timeline ticks.
    make ({{1, 2, 0, 768, 60, false, ", \"hasTuplet\": true, \"tupletLeftNumber\": 3, \"tupletRightNumber\": 2"}, {1, 1, 600, 256, 62}});
    setPointerSnap (0);
    auto& g = grid (1);
    auto& triplet = noteAt (1, 2, 0);
    EXPECT_NEAR (triplet.getViewBounds (g).getWidth(), widthOf (512), 0.01f);

    const auto before = triplet.getViewBounds (g);
    const juce::Point<float> down (before.getCentreX(), before.getCentreY());
    g.mouseDown (event (g, down, down, Mods::leftButtonModifier));
    g.mouseDrag (event (g, down.translated (widthOf (200), 0.0f), down, Mods::leftButtonModifier));
    EXPECT_EQ (triplet.getPreview().ticks, 300) << "200 timeline ticks are 300 sound ticks";
    EXPECT_NEAR (triplet.getViewBounds (g).getX() - before.getX(), widthOf (200), 0.5f) << "and are drawn 200 ticks on";
    g.mouseUp (event (g, down.translated (widthOf (200), 0.0f), down, Mods()));

    // Dragged far left, a note's played start stops at the score's start.
    dragNote (1, 1, 600, 20.0f, -5000);
    EXPECT_EQ (sent(), juce::StringArray ({"noteSound:W,1,2,0,0,,300,768", "noteSound:W,1,1,0,0,,-600,256"})) << sent().joinIntoString ("\n");
}

TEST_F (RollGesture, APressSelectsAloneAcrossTracksAndADragMovesTheWholeSelection)
{
    make ({{1, 2, 0, 256, 60}, {2, 3, 0, 256, 67}});
    setPointerSnap (0);
    auto& a = noteAt (1, 2, 0);
    auto& b = noteAt (2, 3, 0);

    dragNote (1, 2, 0, 20.0f, 0);
    EXPECT_TRUE (a.getNote().isSelected());
    dragNote (2, 3, 0, 20.0f, 0);
    EXPECT_FALSE (a.getNote().isSelected()) << "pressing an unselected note selects it alone, in every grid";
    EXPECT_TRUE (b.getNote().isSelected());
    EXPECT_EQ (grid (1).selectedRollNotesCacheSize(), 0);
    EXPECT_TRUE (sent().isEmpty()) << "a press without a move sends nothing";

    a.getNote().setSelected (true);
    grid (1).updateSelectedRollNotesCache();
    dragNote (2, 3, 0, 20.0f, 64);
    EXPECT_EQ (sent(), juce::StringArray ({"noteSound:W,1,2,0,0,,64,256;W,2,3,0,0,,64,256"})) << "one action moves both";
    EXPECT_EQ (orvana.getEditorContext().getSelectedNotes().size(), 2u) << "the editor's selection cache follows";
}

TEST_F (RollGesture, PhantomNotesAreDrawnMovedAndKeptInsideTheScore)
{
    make ({{1, 3, 512, 256, 64, true}});
    setPhantomSnap (0);
    tracker->getRollTool().activatePhantomTool();
    auto& g = grid (1);

    // A click draws a 1-tick note at the pointer's tick, sent at once as an addition.
    gesture (g, {{xOf (g, 1024 + 600) + 0.01f, yOf (g, 62)}});
    ASSERT_EQ (sent().size(), 1);
    EXPECT_EQ (sent()[0], "noteSound:C,1,2,600,62,1,2,600,1");
    auto& drawn = noteAt (1, 2, 600);
    EXPECT_EQ (drawn.getNote().getVel(), 100);

    // Dragging a new note sets its length (one grid step at least) and its identity.
    setPhantomSnap (128);
    gesture (g, {{xOf (g, 1024 + 200) + 0.01f, yOf (g, 65)}, {xOf (g, 1024 + 200) + widthOf (300), yOf (g, 65)}});
    EXPECT_EQ (sent()[1], "noteSound:C,1,2,128,65,256,2,128,256") << "floored to 128, 300 ticks long snap to 256";

    // A move over the bar line lands in the next bar; the entry names the note the host knows.
    tracker->getRollTool().activatePointerTool();
    setPointerSnap (0);
    dragNote (1, 3, 512, 20.0f, 1024);
    EXPECT_EQ (sent()[2], "noteSound:C,1,3,512,64,256,4,512,256");
    EXPECT_EQ (noteAt (1, 4, 512).getNote().getPhantomIdf().toString(), "4,512,256") << "renewed after the entry was written";

    // Past the score's end the note keeps its last valid place.
    dragNote (1, 4, 512, 20.0f, 1024 * 2);
    const auto last = noteAt (1, 6, 512).getViewBounds (g);
    const juce::Point<float> down (last.getX() + 20.0f, last.getCentreY());
    gesture (g, {down, down.translated (widthOf (2048), 0.0f), down.translated (widthOf (4096), 0.0f)});
    EXPECT_EQ (sent()[4], "noteSound:C,1,6,512,64,256,8,512,256") << sent().joinIntoString ("\n");
}

TEST_F (RollGesture, TheEraserResetsWrittenNotesAndRemovesPhantomNotes)
{
    make ({{1, 2, 0, 256, 60, false, ", \"originalDeltaSr\": 20, \"originalDuration\": 300"}, {1, 3, 0, 256, 64, true}, {2, 3, 0, 256, 67}});
    auto& g = grid (1);
    auto& written = noteAt (1, 2, 0);
    const auto b = written.getViewBounds (g);

    gesture (g, {{b.getCentreX(), b.getCentreY()}}, Mods::rightButtonModifier);
    EXPECT_EQ (sent(), juce::StringArray ({"noteErase:1,2,W,0,0,"}));
    EXPECT_FALSE (written.getNote().soundDiffersFromWritten()) << "plays as written again";
    EXPECT_EQ (orvana.score.getTrack (1).getNoteListSt().getNumChildren(), 2) << "and stays";

    // Ctrl at the press erases too; a drag erases what it crosses.
    written.getNote().setSelected (false);
    g.updateSelectedRollNotesCache();
    const auto p = noteAt (1, 3, 0).getViewBounds (g);
    gesture (g, {{p.getX() - 40.0f, p.getCentreY()}, {p.getCentreX(), p.getCentreY()}}, Mods (Mods::leftButtonModifier | Mods::ctrlModifier));
    EXPECT_EQ (sent()[1], "noteErase:1,3,C,0,64,256");
    EXPECT_EQ (orvana.score.getTrack (1).getNoteListSt().getNumChildren(), 1) << "the phantom note is gone";
    EXPECT_EQ (g.getRollNotes().size(), 1u);

    gesture (g, {{xOf (g, 6000), yOf (g, 60)}}, Mods::rightButtonModifier);
    EXPECT_EQ (sent().size(), 2) << "erasing empty space sends nothing";
}

TEST_F (RollGesture, TheLassoSelectsOverTwoTracksAndUnselectsTheRest)
{
    make ({{1, 2, 0, 256, 60}, {1, 5, 0, 256, 60}, {2, 2, 256, 256, 60}});
    auto& one = grid (1);
    auto& two = grid (2);
    auto& outside = noteAt (1, 5, 0);
    outside.getNote().setSelected (true);
    one.updateSelectedRollNotesCache();
    two.getRollPort().setScrollDocY (one.getRollPort().getScrollDocY());

    // From empty space above-left of the first note down into the second track.
    const juce::Point<float> start (xOf (one, 1024 - 100), yOf (one, 60) - 2.0f * one.getKeyViewHeight());
    const auto inTwo = one.getLocalPoint (&two, juce::Point<float> (xOf (two, 1024 + 300), yOf (two, 60)));
    one.mouseDown (event (one, start, start, Mods::leftButtonModifier));
    one.mouseDrag (event (one, inTwo, start, Mods::leftButtonModifier));
    ASSERT_NE (tracker->getRollTool().getPointerTool().getLasso().getRect().getHeight(), 0.0f);
    EXPECT_TRUE (noteAt (1, 2, 0).getNote().isSelected());
    EXPECT_TRUE (noteAt (2, 2, 256).getNote().isSelected());
    EXPECT_FALSE (outside.getNote().isSelected());

    // Back over the first track only: the second track's note drops out.
    one.mouseDrag (event (one, start.translated (widthOf (300), 3.0f * one.getKeyViewHeight()), start, Mods::leftButtonModifier));
    EXPECT_FALSE (noteAt (2, 2, 256).getNote().isSelected());
    one.mouseUp (event (one, start, start, Mods()));
    EXPECT_FALSE (tracker->getRollTool().getPointerTool().getLasso().isActive());
    EXPECT_TRUE (sent().isEmpty());
}

TEST_F (RollGesture, AReloadDuringADragDropsThePreviewAndSendsNothing)
{
    make ({{1, 2, 0, 256, 60}});
    setPointerSnap (0);
    auto& g = grid (1);
    const auto b = noteAt (1, 2, 0).getViewBounds (g);
    const juce::Point<float> down (b.getCentreX(), b.getCentreY());
    g.mouseDown (event (g, down, down, Mods::leftButtonModifier));
    g.mouseDrag (event (g, down.translated (30.0f, 0.0f), down, Mods::leftButtonModifier));
    ASSERT_EQ (g.getPreviewedNotes().size(), 1u);

    ASSERT_TRUE (orvana.loadText (rollTestPayload ({{1, 2, 0, 256, 60}}), orv::score::io::ScoreLoader::DecodeMode::reload));
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return grid (1).getTrack().getState() == orvana.score.getTrack (1).getState(); }));
    EXPECT_EQ (g.getPreviewedNotes().size(), 0u);
    g.mouseDrag (event (g, down.translated (60.0f, 0.0f), down, Mods::leftButtonModifier));
    g.mouseUp (event (g, down.translated (60.0f, 0.0f), down, Mods()));
    EXPECT_TRUE (sent().isEmpty());
}
