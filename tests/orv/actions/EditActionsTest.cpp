// The edit actions' data texts, built from the model as the views leave it,
// and the mute and solo buttons that change the model before telling the host.
#include "orv/actions/CurveActions.h"
#include "orv/actions/NoteActions.h"
#include "orv/actions/TrackActions.h"
#include "orv/model/ScoreIds.h"
#include "orv/score/io/TestOrvana.h"

#include <gtest/gtest.h>

using namespace orv;
using namespace orv::actions;

namespace
{
Track trackWithNodes (Score& score, int staff, int controlNum, std::initializer_list<std::tuple<int, int, int, Node::Type>> nodes)
{
    auto track = score.getOrCreateTrack (staff);
    auto curve = track.getOrCreateCurve (controlNum);

    for (const auto& [bar, pos, val, type] : nodes)
        curve.addNode (bar, pos, val, type);

    return track;
}

juce::String dataStrOf (const TestOrvana::SentAction& sent)
{
    return sent.argument.getProperty ("dataStr", "<none>").toString();
}
} // namespace

TEST (OrvEditActions, MuteSoloAndTrackPropertyTexts)
{
    TestOrvana orvana;
    auto& score = orvana.score;
    score.getOrCreateTrack (1);
    auto two = score.getOrCreateTrack (2);
    auto three = score.getOrCreateTrack (3);

    EXPECT_EQ (StaffMute::buildStaffMuteDataStr (three, Track::Mute::muted), "3,M");
    EXPECT_EQ (StaffMute::buildStaffMuteDataStr (three, Track::Mute::halfMuted), "3,H");
    EXPECT_EQ (StaffMute::buildStaffMuteDataStr (three, Track::Mute::notMuted), "3,N");
    EXPECT_EQ (StaffSolo::buildStaffSoloDataStr (two, true, score), "2;T;1,2,3");

    // A track without "id" still has its place in the list.
    score.getState().getChildWithName (ids::TRACKLIST).appendChild (juce::ValueTree (ids::TRACK), nullptr);
    EXPECT_EQ (StaffSolo::buildStaffSoloDataStr (two, false, score), "2;F;1,2,3,-1");

    two.setName ("Violin I");
    two.setShortName ("Vln. I");
    EXPECT_EQ (SetTrackProps::buildSetTrackPropsDataStr (two), "staffIndex:2|name:Violin I|shortName:Vln. I");
    EXPECT_EQ (SetTrackProps::buildSetTrackPropsDataStr (three), "staffIndex:3|name:|shortName:");
}

TEST (OrvEditActions, MuteAndSoloButtonsChangeTheModelThenSendWithoutAHandler)
{
    TestOrvana orvana;
    auto track = orvana.score.getOrCreateTrack (3);
    orvana.score.getOrCreateTrack (5);

    track.setMute (Track::Mute::halfMuted);
    toggleMute (orvana, track);
    EXPECT_EQ (track.getMute(), Track::Mute::muted);
    toggleMute (orvana, track);
    EXPECT_EQ (track.getMute(), Track::Mute::notMuted);
    toggleMute (orvana, track);
    EXPECT_EQ (track.getMute(), Track::Mute::muted);

    toggleSolo (orvana, track);
    EXPECT_TRUE (track.getSolo());

    track.setName ("Flute | solo: 1");
    sendTrackProps (orvana, track);

    ASSERT_EQ (orvana.sentActions.size(), 5u);
    const std::vector<std::pair<juce::String, juce::String>> expected{
        {"staffMute", "3,M"}, {"staffMute", "3,N"}, {"staffMute", "3,M"}, {"staffSolo", "3;T;3,5"}, {"setTrackProps", "staffIndex:3|name:Flute | solo: 1|shortName:"}};

    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ (orvana.sentActions[i].method, expected[i].first);
        EXPECT_EQ (dataStrOf (orvana.sentActions[i]), expected[i].second);
        EXPECT_FALSE (orvana.sentActions[i].hasResponseHandler) << "the host's REFRESH reloads";
    }
}

TEST (OrvEditActions, CurveEditTextsNameTheRangeItsNeighboursAndItsNodesByBar)
{
    TestOrvana orvana;

    // One node, no neighbours.
    auto single = trackWithNodes (orvana.score, 1, 7, {{5, 0, 64, Node::plain}});
    EditCurve edit (single, 7);
    edit.begin();
    edit.expandAffectedRange ({5, 0});
    EXPECT_EQ (edit.buildCurveEditPayload(), "7;1;;5,0,64,0;5,0,64,0;;5:0,64,0");

    // A drag across a bar line with ramps, neighbours on both sides.
    auto track = trackWithNodes (orvana.score, 2, 11,
                                 {{4, 768, 10, Node::Ramp}, {5, 0, 64, Node::Jump}, {5, 480, 100, Node::Ramp}, {6, 0, 90, Node::plain}, {7, 128, 20, Node::Ramp}});
    EditCurve drag (track, 11);
    drag.begin();
    drag.expandAffectedRange ({6, 0});
    drag.expandAffectedRange ({5, 0});
    drag.expandAffectedRange ({5, 480});
    EXPECT_EQ (drag.buildCurveEditPayload(), "11;2;4,768,10,1;5,0,64,0;6,0,90,0;7,128,20;5:0,64,0|480,100,1#6:0,90,0");

    // A range with no node in it carries the controller and staff only.
    drag.begin();
    drag.expandAffectedRange ({5, 600});
    drag.expandAffectedRange ({5, 700});
    EXPECT_EQ (drag.buildCurveEditPayload(), "11;2;");

    // Pitch bend is named "B"; begin() forgets the earlier gesture's range.
    auto bend = trackWithNodes (orvana.score, 3, -2, {{2, 256, 700, Node::Ramp}});
    EditCurve bendEdit (bend, -2);
    bendEdit.expandAffectedRange ({1, 0});
    bendEdit.begin();
    EXPECT_EQ (bendEdit.buildCurveEditPayload(), "B;3;");
    bendEdit.expandAffectedRange ({2, 256});
    bendEdit.send (orvana.getProductActionSender());
    ASSERT_EQ (orvana.sentActions.size(), 1u);
    EXPECT_EQ (orvana.sentActions[0].method, "editCurve");
    EXPECT_EQ (dataStrOf (orvana.sentActions[0]), "B;3;;2,256,700,1;2,256,700,1;;2:256,700,1");

    // A gesture as a lane runs it: one edit from mouse down to mouse up, sent once.
    PendingEdit<EditCurve> gesture;
    gesture.beginIfNone (single, 7).expandAffectedRange ({5, 0});
    gesture.beginIfNone (single, 7).expandAffectedRange ({5, 0});
    gesture.sendAndDrop (orvana.getProductActionSender());
    gesture.sendAndDrop (orvana.getProductActionSender());
    EXPECT_EQ (gesture.get(), nullptr);
    ASSERT_EQ (orvana.sentActions.size(), 2u);
    EXPECT_EQ (dataStrOf (orvana.sentActions[1]), "7;1;;5,0,64,0;5,0,64,0;;5:0,64,0");
}

TEST (OrvEditActions, EraseNamesTheNodesTheGestureErasedNotTheSurvivingNeighbours)
{
    TestOrvana orvana;
    auto track = trackWithNodes (orvana.score, 1, 7,
                                 {{1, 0, 10, Node::plain}, {2, 0, 20, Node::plain}, {2, 512, 30, Node::Ramp}, {3, 0, 40, Node::plain}});
    auto curve = track.getCurve (7);

    // The lane widens the zone and removes what lies in it as it goes.
    EraseCurve erase (track, 7);
    erase.begin();
    for (const auto& poser : {Poser (1, 900), Poser (2, 600)})
    {
        erase.expandEraseZone (poser);
        for (const auto& node : curve.findNodesIncl ({1, 900}, poser))
        {
            erase.recordErasedNode (node);
            curve.removeNode (node);
        }
    }

    ASSERT_EQ (curve.getNumNodes(), 2);
    EXPECT_EQ (erase.buildErasePayload(), "7;1;2,0,20:1:2,512,30:1");
    erase.send (orvana.getProductActionSender());
    ASSERT_EQ (orvana.sentActions.size(), 1u);
    EXPECT_EQ (orvana.sentActions[0].method, "eraseCurve");

    // Nodes still in the zone (not yet removed) count as erased too.
    EraseCurve pending (track, 7);
    pending.expandEraseZone ({3, 0});
    EXPECT_EQ (pending.buildErasePayload(), "7;1;3,0,40:1:3,0,40:1");

    // A gesture that erased nothing: the host must change nothing.
    pending.begin();
    pending.expandEraseZone ({2, 100});
    pending.expandEraseZone ({2, 200});
    EXPECT_EQ (pending.buildErasePayload(), "7;1;");
    EXPECT_FALSE (pending.buildEraseInterval().isSet());
}

TEST (OrvEditActions, NoteTextsForWrittenAndPhantomNotes)
{
    TestOrvana orvana;
    auto track = orvana.score.getOrCreateTrack (1);
    auto written = track.addNote (4, 0, 60, 256, Note::written);
    written.setPotNum (0);
    written.setIndex (1);
    written.setSoundVel (96, true);
    auto phantom = track.addNote (4, 256, 62, 128, Note::phantom);
    phantom.setVel (80);
    auto plain = track.addNote (5, 0, 64, 512, Note::written);
    plain.setPotNum (2);
    plain.setIndex (0);

    NoteVel vel;
    vel.begin();
    vel.addAffectedNoteState (written);
    vel.addAffectedNoteState (phantom);
    vel.addAffectedNoteState (written);
    vel.addAffectedNoteState (plain);
    EXPECT_EQ (vel.buildVelocityPayload(), "1,4,W,0,1,,T,96;1,4,C,256,62,128,F,80;1,5,W,2,0,,F,0");

    // A triplet note resized: its played sound is sent in sound ticks; the
    // phantom note moved past its bar keeps its identity.
    written.setTuplet (true, 3, 2);
    written.setSoundDurAndUse (96);
    written.setSoundDeltaAndUseFromPos (-32);
    phantom.setBar (5);
    phantom.setPos (64);
    phantom.setDur (192);

    NoteSound sound;
    sound.addNote (written);
    sound.addNote (phantom);
    sound.addNote (plain);
    EXPECT_EQ (sound.getDataString(), "W,1,4,0,1,,-32,96;C,1,4,256,62,128,5,64,192;W,1,5,2,0,,F,F");

    NoteErase erase;
    erase.rebuildFromSelection (orvana.score.getTracks());
    EXPECT_TRUE (erase.isEmpty());
    written.setSelected (true);
    phantom.setSelected (true);
    erase.rebuildFromSelection (orvana.score.getTracks());
    EXPECT_EQ (erase.getDataString(), "1,4,W,0,1,;1,4,C,256,62,128");
}
