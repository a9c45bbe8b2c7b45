#include "orv/actions/TempoCurveActions.h"
#include "orv/actions/TempoActions.h"
#include "orv/score/io/TempoCurveLoader.h"

#include <gtest/gtest.h>

using orv::CurvePoint;
using orv::Poser;
using orv::ReachShape;
using orv::actions::EditTempoCurve;
using orv::actions::EraseTempoCurve;

namespace
{
/** Five bars of 1024 ticks, a start level of 120 and the tempo lane's state. */
class TempoLane : public ::testing::Test
{
protected:
    TempoLane()
    {
        for (int bar = 1; bar <= 5; ++bar)
        {
            score.getOrCreateBar (bar);
            score.setBarLength (bar, 1024);
        }

        score.getOrCreateTempoCurve().setStartLevel (120.0);
        tempo.ensureDefaults();
        setGrid (false, 256, false, ReachShape::Jump);
    }

    void setGrid (bool snapping, int ticks, bool chomp, ReachShape shape)
    {
        auto snap = tempo.getSnapping();
        snap.setEnabled (snapping);
        snap.setTicks (ticks);
        tempo.setChompMode (chomp);
        tempo.setNodeReachShape (shape);
    }

    CurvePoint addPoint (CurvePoint::Type type, int bar, int pos, double val, ReachShape shape = ReachShape::Jump)
    {
        return score.getOrCreateTempoCurve().addOrUpdatePoint (CurvePoint::create (type, bar, pos, val, shape));
    }

    /** A mark whose influence lasts `span` ticks. */
    CurvePoint addMark (int bar, int pos, double val, int span)
    {
        auto mark = addPoint (CurvePoint::Type::M, bar, pos, val);
        mark.setSpanDuration (span);
        mark.setSpanToPoser (score.getRealPoser (bar, pos + span));
        mark.setMuted (false);
        return mark;
    }

    /** The curve as "bar,pos type val shape" entries ("m" after a muted mark's type). */
    juce::String curveText()
    {
        juce::StringArray texts;
        const auto curve = score.getOrCreateTempoCurve();

        for (int i = 0; i < curve.getNumPoints(); ++i)
        {
            const auto point = curve.getPoint (i);
            texts.add (point.getPoser().toString() + " " + CurvePoint::typeToString (point.getType()) + (point.isMuted() ? "m" : "") + " "
                       + juce::String (point.getVal(), 0) + " " + orv::reachShapeToString (point.getReachShape()));
        }

        return texts.joinIntoString (" | ");
    }

    static juce::String json (const juce::var& value) { return juce::JSON::toString (value, true); }
    static juce::String json (const char* text) { return json (juce::JSON::parse (text)); }

    orv::Score score;
    orv::OrvState state;
    orv::OrvTempoState tempo{state.getOrCreateTempoState()};
};
} // namespace

//==============================================================================
TEST_F (TempoLane, ADragOverAMarksInfluenceMutesTheMarkAndKeepsItOnTheCurve)
{
    addMark (2, 0, 90, 512);
    addPoint (CurvePoint::Type::N, 1, 768, 100);

    EditTempoCurve edit (score, tempo);
    edit.begin();
    edit.insertOrUpdateNode (2, 256, 110);
    edit.insertOrUpdateNode (2, 384, 115);

    EXPECT_EQ (curveText(), "1,768 N 100 J | 2,0 Mm 90 J | 2,0 N 90 J | 2,256 N 110 J | 2,384 N 115 J");
    const auto arg = edit.buildWebSocketArg();
    EXPECT_EQ (json (arg["markMutings"]), json (R"([{"barId": 2, "pos": 0, "mode": "mute"}])"));
    EXPECT_EQ (arg["edit"]["coreFrom"]["pos"], juce::var (0)) << "the plain point that took the mark's value is sent";

    // A drag across the muted mark: the plain points it passes go, the mark stays.
    edit.begin();
    edit.insertOrUpdateNode (1, 512, 105);
    edit.insertOrUpdateNode (2, 512, 107);
    EXPECT_EQ (curveText(), "1,512 N 105 J | 2,0 Mm 90 J | 2,512 N 107 J");
    EXPECT_FALSE (edit.buildWebSocketArg().hasProperty ("markMutings")) << "an already muted mark is not muted again";
}

TEST_F (TempoLane, SnappingAndChompPlaceThePointAndItsHolders)
{
    struct Case
    {
        bool snapping;
        int grid;
        bool chomp;
        ReachShape shape;
        int pos;
        const char* curve;
    };

    // A point at 1,0 (100 bpm) gives the chomp holders a value to keep.
    const Case cases[] = {
        {false, 256, false, ReachShape::Jump, 383, "1,0 N 100 J | 1,383 N 140 J"},
        {true, 256, false, ReachShape::Jump, 383, "1,0 N 100 J | 1,256 N 140 J"},
        {true, 256, false, ReachShape::Jump, 384, "1,0 N 100 J | 1,512 N 140 J"},
        {true, 256, false, ReachShape::Ramp, 900, "1,0 N 100 J | 2,0 N 140 R"},
        {true, 1, false, ReachShape::Jump, 383, "1,0 N 100 J | 1,383 N 140 J"},
        {true, 256, true, ReachShape::Jump, 300, "1,0 N 100 J | 1,256 N 140 J | 1,512 N 100 J"},
        {true, 256, true, ReachShape::Ramp, 300, "1,0 N 100 J | 1,256 N 100 J | 1,511 N 140 R | 1,512 N 100 J"},
        {true, 1, true, ReachShape::Jump, 300, "1,0 N 100 J | 1,300 N 140 J | 1,301 N 100 J"},
        {true, 1, true, ReachShape::Ramp, 300, "1,0 N 100 J | 1,300 N 100 J | 1,301 N 140 R | 1,302 N 100 J"},
        {true, 256, true, ReachShape::Ramp, 1000, "1,0 N 100 J | 1,768 N 100 J | 1,1023 N 140 R | 2,0 N 100 J"},
        {false, 256, true, ReachShape::Jump, 300, "1,0 N 100 J | 1,300 N 140 J | 1,301 N 100 J"},
    };

    for (const auto& c : cases)
    {
        score.getOrCreateTempoCurve().clear();
        addPoint (CurvePoint::Type::N, 1, 0, 100);
        setGrid (c.snapping, c.grid, c.chomp, c.shape);

        EditTempoCurve edit (score, tempo);
        edit.begin();
        edit.insertOrUpdateNode (1, c.pos, 140);
        EXPECT_EQ (curveText(), c.curve) << "grid " << c.grid << (c.snapping ? "" : " off") << (c.chomp ? " chomp" : "") << " pos " << c.pos;
    }

    // A position past its bar is normalised first; one past the score draws nothing.
    setGrid (false, 256, false, ReachShape::Jump);
    score.getOrCreateTempoCurve().clear();
    EditTempoCurve edit (score, tempo);
    edit.begin();
    edit.insertOrUpdateNode (1, 1024 + 10, 130);
    edit.insertOrUpdateNode (5, 5000, 130);
    EXPECT_EQ (curveText(), "2,10 N 130 J");
}

TEST_F (TempoLane, AClickKeepsItsNeighboursAndADragBackwardsReplacesWhatItCrosses)
{
    addPoint (CurvePoint::Type::N, 1, 0, 100);
    addPoint (CurvePoint::Type::N, 1, 512, 101);
    addPoint (CurvePoint::Type::P, 2, 0, 102, ReachShape::Ramp);
    addPoint (CurvePoint::Type::N, 3, 0, 103);

    EditTempoCurve edit (score, tempo);
    edit.begin();
    edit.insertOrUpdateNode (1, 600, 110);
    EXPECT_EQ (curveText(), "1,0 N 100 J | 1,512 N 101 J | 1,600 N 110 J | 2,0 P 102 R | 3,0 N 103 J");

    edit.begin();
    edit.insertOrUpdateNode (2, 512, 111);
    edit.insertOrUpdateNode (1, 256, 112);
    EXPECT_EQ (curveText(), "1,0 N 100 J | 1,256 N 112 J | 2,512 N 111 J | 3,0 N 103 J");
    EXPECT_EQ (edit.getAffectedFrom().toString(), "1,256");
    EXPECT_EQ (edit.getAffectedTo().toString(), "2,512");

    // A plain point drawn where a ramp-through point lies takes its place.
    edit.begin();
    addPoint (CurvePoint::Type::P, 4, 0, 104, ReachShape::Ramp);
    edit.insertOrUpdateNode (4, 0, 113);
    EXPECT_EQ (score.getOrCreateTempoCurve().findPointsAtPoser ({4, 0}).size(), 1u);
}

TEST_F (TempoLane, TheEditObjectDescribesTheRangeWithItsAnchors)
{
    score.getOrCreateTransport().setPlayLinePoser ({2, 128});
    addPoint (CurvePoint::Type::N, 1, 0, 100);
    addPoint (CurvePoint::Type::N, 5, 0, 140, ReachShape::Ramp);
    setGrid (true, 256, false, ReachShape::Jump);

    EditTempoCurve edit (score, tempo);
    edit.begin();
    edit.insertOrUpdateNode (2, 0, 110.5);
    edit.insertOrUpdateNode (3, 512, 120.5);
    edit.begin();
    setGrid (true, 256, false, ReachShape::Ramp);
    edit.insertOrUpdateNode (2, 0, 110.5);
    edit.insertOrUpdateNode (2, 768, 111.5);
    edit.insertOrUpdateNode (3, 600, 121.5);
    edit.insertOrUpdateNode (4, 256, 130.5);

    EXPECT_EQ (json (edit.buildWebSocketArg()),
               json (R"({"playLinePoser": {"barId": 2, "pos": 128}, "edit": {
                   "anchorBefore": {"barId": 1, "pos": 0, "val": 100.0},
                   "coreFrom": {"barId": 2, "pos": 0, "val": 110.5, "reachShape": "R"},
                   "coreTo": {"barId": 4, "pos": 256, "val": 130.5, "reachShape": "R"},
                   "anchorAfter": {"barId": 5, "pos": 0, "val": 140.0, "reachShape": "R"},
                   "bars": [{"barId": 2, "nodes": [{"pos": 0, "val": 110.5, "reachShape": "R"},
                                                   {"pos": 768, "val": 111.5, "reachShape": "R"}]},
                            {"barId": 3, "nodes": [{"pos": 512, "val": 121.5, "reachShape": "R"}]},
                            {"barId": 4, "nodes": [{"pos": 256, "val": 130.5, "reachShape": "R"}]}]}})"));
    EXPECT_TRUE (edit.buildWebSocketArg()["edit"]["anchorBefore"]["val"].isDouble());
    EXPECT_TRUE (edit.buildWebSocketArg()["edit"]["coreTo"]["pos"].isInt());

    // No neighbours: both anchors are null; an action that drew nothing sends a null edit.
    score.getOrCreateTempoCurve().clear();
    edit.begin();
    edit.insertOrUpdateNode (3, 0, 99.5);
    EXPECT_EQ (json (edit.buildWebSocketArg()["edit"]),
               json (R"({"anchorBefore": null, "coreFrom": {"barId": 3, "pos": 0, "val": 99.5, "reachShape": "R"},
                         "coreTo": {"barId": 3, "pos": 0, "val": 99.5, "reachShape": "R"}, "anchorAfter": null,
                         "bars": [{"barId": 3, "nodes": [{"pos": 0, "val": 99.5, "reachShape": "R"}]}]})"));
    edit.begin();
    EXPECT_TRUE (edit.buildWebSocketArg()["edit"].isVoid());
    EXPECT_EQ (edit.getMethodName(), "editTempoCurve");
}

//==============================================================================
TEST_F (TempoLane, EraseSendsItsAnchorsOrItsOwnEnds)
{
    score.getOrCreateTransport().setPlayLinePoser ({1, 0});
    addPoint (CurvePoint::Type::N, 1, 0, 100);
    addPoint (CurvePoint::Type::N, 2, 0, 110);
    addMark (2, 512, 90, 0);
    addPoint (CurvePoint::Type::P, 3, 0, 120, ReachShape::Ramp);
    addPoint (CurvePoint::Type::N, 4, 0, 130);

    EraseTempoCurve erase (score);
    erase.eraseZoneByExpandingLimit ({3, 512});
    erase.eraseZoneByExpandingLimit ({1, 512});
    EXPECT_EQ (curveText(), "1,0 N 100 J | 2,512 Mm 90 J | 4,0 N 130 J") << "the mark is muted, not erased";
    EXPECT_EQ (json (erase.buildArg()), json (R"({"playLinePoser": {"barId": 1, "pos": 0},
                                                 "from": {"barId": 1, "pos": 0, "val": 100.0, "boundary": "exclusive"},
                                                 "to": {"barId": 4, "pos": 0, "val": 130.0, "reachShape": "J", "boundary": "exclusive"}})"));
    EXPECT_EQ (json (erase.getArg()), json (erase.buildArg()));

    erase.clear();
    erase.eraseZoneByExpandingLimit ({1, 0});
    erase.eraseZoneByExpandingLimit ({4, 0});
    EXPECT_EQ (json (erase.buildArg()), json (R"({"playLinePoser": {"barId": 1, "pos": 0},
                                                 "from": {"barId": 1, "pos": 0, "val": 100.0, "boundary": "inclusive"},
                                                 "to": {"barId": 4, "pos": 0, "val": 130.0, "reachShape": "J", "boundary": "inclusive"}})"));

    erase.clear();
    erase.eraseZoneByExpandingLimit ({1, 256});
    erase.eraseZoneByExpandingLimit ({1, 512});
    EXPECT_EQ (json (erase.buildArg()), json (R"({"playLinePoser": {"barId": 1, "pos": 0}, "from": null, "to": null})"));
}
