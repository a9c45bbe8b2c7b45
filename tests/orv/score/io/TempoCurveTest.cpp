#include "TestOrvana.h"
#include "orv/score/io/TempoCurveLoader.h"

#include <gtest/gtest.h>

using orv::CurvePoint;
using orv::Poser;
using orv::ReachShape;
using orv::score::io::TempoCurveLoader;

namespace
{
orv::Score& scoreWithBars (TestOrvana& orvana, int bars)
{
    for (int bar = 1; bar <= bars; ++bar)
    {
        orvana.score.getOrCreateBar (bar);
        orvana.score.setBarLength (bar, 1024);
    }

    return orvana.score;
}

CurvePoint point (CurvePoint::Type type, int bar, int pos, double val, ReachShape shape = ReachShape::Jump)
{
    return CurvePoint::create (type, bar, pos, val, shape);
}
} // namespace

TEST (TempoCurve, PointsStayInOrderAndTypesShareAPoser)
{
    TestOrvana orvana;
    auto curve = scoreWithBars (orvana, 4).getOrCreateTempoCurve();

    curve.addOrUpdatePoint (point (CurvePoint::Type::N, 3, 0, 90));
    curve.addOrUpdatePoint (point (CurvePoint::Type::N, 1, 0, 60));
    curve.addOrUpdatePoint (point (CurvePoint::Type::M, 3, 0, 100));
    curve.addOrUpdatePoint (point (CurvePoint::Type::N, 2, 512, 70));
    curve.addOrUpdatePoint (point (CurvePoint::Type::N, 3, 0, 95));

    ASSERT_EQ (curve.getNumPoints(), 4);
    EXPECT_EQ (curve.getPoint (0).getPoser(), Poser (1, 0));
    EXPECT_EQ (curve.getPoint (1).getPoser(), Poser (2, 512));
    EXPECT_EQ (curve.findPointsAtPoser ({3, 0}).size(), 2u);
    EXPECT_EQ (curve.getPoint (2).getVal(), 95.0) << "the plain point at 3,0 was updated";
    EXPECT_TRUE (curve.getPoint (3).isMark());

    EXPECT_EQ (curve.findNodesIncl ({1, 0}, {3, 0}).size(), 4u);
    EXPECT_EQ (curve.findNodesExcl ({1, 0}, {3, 0}).size(), 1u);
}

TEST (TempoCurve, AnchorsSkipMutedMarks)
{
    TestOrvana orvana;
    auto curve = scoreWithBars (orvana, 6).getOrCreateTempoCurve();
    curve.setStartLevel (80);

    const auto first = curve.addOrUpdatePoint (point (CurvePoint::Type::N, 1, 0, 60));
    auto muted = curve.addOrUpdatePoint (point (CurvePoint::Type::M, 2, 0, 200));
    muted.setMuted (true);
    const auto middle = curve.addOrUpdatePoint (point (CurvePoint::Type::N, 3, 0, 90));
    curve.addOrUpdatePoint (point (CurvePoint::Type::M, 4, 0, 120)).setMuted (false);

    EXPECT_EQ (curve.findAnchorBeforePoint (middle).getVal(), 60.0);
    EXPECT_EQ (curve.findAnchorAfterPoint (first).getVal(), 90.0);
    EXPECT_EQ (curve.findAnchorAfterPoint (middle).getVal(), 120.0);
    EXPECT_FALSE (curve.findAnchorBeforePoint (first).isValid());
    EXPECT_EQ (curve.findAnchorBeforePoser ({3, 0}).getVal(), 60.0);
    EXPECT_EQ (curve.findAnchorBeforePoser ({3, 1}).getVal(), 90.0);
    EXPECT_EQ (curve.findAnchorAfterPoser ({1, 0}).getVal(), 90.0);
    EXPECT_FALSE (curve.findAnchorAfterPoser ({4, 0}).isValid());
    EXPECT_FALSE (curve.findAnchorBeforePoser (Poser()).isValid());

    EXPECT_EQ (curve.getValueAtPoser ({0, 5}), 80.0) << "before any point: the start level";
    EXPECT_EQ (curve.getValueAtPoser ({1, 0}), 60.0);
    EXPECT_EQ (curve.getValueAtPoser ({2, 500}), 60.0) << "the muted mark does not count";
    EXPECT_EQ (curve.getValueAtPoser ({3, 0}), 90.0);
    EXPECT_EQ (curve.getValueAtPoser ({6, 1000}), 120.0);
}

TEST (TempoCurve, TempoAtPoserFollowsRamps)
{
    TestOrvana orvana;
    auto& score = scoreWithBars (orvana, 4);
    EXPECT_EQ (score.getTempoAtPoser ({1, 0}), 0.0) << "no curve yet";

    auto curve = score.getOrCreateTempoCurve();
    curve.setStartLevel (100);
    curve.addOrUpdatePoint (point (CurvePoint::Type::N, 2, 0, 120));
    curve.addOrUpdatePoint (point (CurvePoint::Type::P, 3, 0, 60, ReachShape::Ramp));
    curve.addOrUpdatePoint (point (CurvePoint::Type::N, 4, 0, 200, ReachShape::Jump));

    EXPECT_DOUBLE_EQ (score.getTempoAtPoser ({1, 512}), 100.0);
    EXPECT_DOUBLE_EQ (score.getTempoAtPoser ({2, 0}), 120.0);
    EXPECT_DOUBLE_EQ (score.getTempoAtPoser ({2, 256}), 105.0) << "a quarter of the way from 120 to 60";
    EXPECT_DOUBLE_EQ (score.getTempoAtPoser ({2, 512}), 90.0);
    EXPECT_DOUBLE_EQ (score.getTempoAtPoser ({3, 512}), 60.0) << "a jump waits for its point";
    EXPECT_DOUBLE_EQ (score.getTempoAtPoser ({4, 0}), 200.0);

    // Before the first point a ramp starts from the start level at the score's start.
    auto rampFirst = scoreWithBars (orvana, 4).getOrCreateTempoCurve();
    rampFirst.clear();
    rampFirst.setStartLevel (100);
    rampFirst.addOrUpdatePoint (point (CurvePoint::Type::P, 2, 0, 200, ReachShape::Ramp));
    EXPECT_DOUBLE_EQ (score.getTempoAtPoser ({1, 512}), 150.0);

    orv::Score empty;
    empty.getOrCreateTempoCurve().setStartLevel (100);
    EXPECT_EQ (empty.getTempoAtPoser ({1, 0}), 0.0) << "no bars: no tempo";
}

TEST (TempoCurve, PointsFromPayloadObjects)
{
    TestOrvana orvana;
    auto& score = scoreWithBars (orvana, 3);
    const auto read = [&score] (const char* json)
    { return TempoCurveLoader::curvePointFromVar (utils::json::parse (json), score); };

    EXPECT_FALSE (TempoCurveLoader::curvePointFromVar (juce::var (3), score).isValid());
    EXPECT_FALSE (read (R"({"type":"LW","barNum":1,"pos":0,"val":60})").isValid());
    EXPECT_FALSE (read (R"({"type":"RW","barNum":1,"pos":0,"val":60})").isValid());

    const auto plain = read (R"({"type":"N","barNum":2,"barId":9,"pos":128,"val":72,"reachShape":"R"})");
    EXPECT_EQ (plain.getPoser(), Poser (2, 128)) << "barNum wins over barId";
    EXPECT_EQ (plain.getVal(), 72.0);
    EXPECT_EQ (plain.getReachShape(), ReachShape::Ramp);

    const auto mark = read (R"({"type":"M","barId":1,"pos":768,"val":96.5,"spanDuration":512,"label":"Allegro","muted":"M","motionType":"S","reachShape":"R"})");
    EXPECT_TRUE (mark.isMark());
    EXPECT_EQ (mark.getVal(), 96.5);
    EXPECT_EQ (mark.getSpanToPoser(), Poser (2, 256));
    EXPECT_EQ (mark.getLabel(), "Allegro");
    EXPECT_TRUE (mark.isMuted());
    EXPECT_EQ (mark.getMotionType(), CurvePoint::MotionType::S);
    EXPECT_EQ (mark.getReachShape(), ReachShape::Jump) << "marks jump";

    const auto pastTheEnd = read (R"({"type":"M","barId":3,"pos":512,"val":1,"spanDuration":4096})");
    EXPECT_TRUE (pastTheEnd.getSpanToPoser().isClear());
    EXPECT_FALSE (pastTheEnd.getState().hasProperty (orv::ids::spanToPoser)) << "no span end is kept";

    const auto passing = read (R"({"type":"P","barNum":1,"pos":0,"val":"fast","reachShape":"J"})");
    EXPECT_EQ (passing.getReachShape(), ReachShape::Ramp);
    EXPECT_EQ (passing.getVal(), 0.0) << "a value that is no number";

    EXPECT_EQ (read (R"({"type":"Q","barNum":1})").getType(), CurvePoint::Type::N) << "unknown types are plain";
}

TEST (TempoCurve, CurveObjectsAndRestoredMarks)
{
    TestOrvana orvana;
    auto& score = scoreWithBars (orvana, 4);

    TempoCurveLoader::loadCurveObject (utils::json::parse (R"({"startLevel":88,"points":[
        {"type":"N","barNum":3,"pos":0,"val":90},{"type":"LW","barNum":1,"pos":0,"val":1},{"type":"N","barNum":1,"pos":0,"val":60},
        {"type":"N","barNum":2,"pos":0,"val":70},{"type":"N","barNum":2,"pos":100,"val":75},{"type":"N","barNum":2,"pos":0,"val":71}, 12]})"),
                                       score, TempoCurveLoader::ExpandMode::intoCurve);

    auto curve = score.getOrCreateTempoCurve();
    EXPECT_EQ (curve.getStartLevel(), 88.0);
    ASSERT_EQ (curve.getNumPoints(), 4);
    EXPECT_EQ (curve.getPoint (1).getVal(), 71.0) << "the later point at 2,0 updated the earlier";
    EXPECT_EQ (curve.getPoint (3).getVal(), 90.0);

    // A restored mark clears its influence range first, both ends included.
    TempoCurveLoader::loadRestoreMarkPoints (utils::json::parse (R"([{"type":"M","barId":2,"pos":0,"val":100,"spanDuration":1024,"label":"Moderato"}])"), score);
    ASSERT_EQ (curve.getNumPoints(), 2);
    EXPECT_EQ (curve.getPoint (0).getVal(), 60.0);
    EXPECT_TRUE (curve.getPoint (1).isMark());
    EXPECT_EQ (curve.getPoint (1).getLabel(), "Moderato");

    // The reply object form also replaces the hit points.
    TempoCurveLoader::applyRestoreMarkReply (utils::json::parse (R"({"markCurve":[{"type":"N","barNum":4,"pos":0,"val":50}],"hitPointList":[{"id":3,"bar":4,"position":0,"time":5,"label":"End"}]})"), score);
    EXPECT_EQ (curve.getNumPoints(), 3);
    EXPECT_EQ (score.getOrCreateHitPointList().getHitPointWithId (3).getLabel(), "End");

    // A whole curve in a reply replaces the one there.
    TempoCurveLoader::loadCurveObject (utils::json::parse (R"({"startLevel":120,"points":[]})"), score, TempoCurveLoader::ExpandMode::replaceCurve);
    EXPECT_EQ (curve.getNumPoints(), 0);
    EXPECT_EQ (curve.getStartLevel(), 120.0);

    TempoCurveLoader::loadCurveObject (juce::var ("not an object"), score, TempoCurveLoader::ExpandMode::replaceCurve);
    EXPECT_EQ (curve.getStartLevel(), 120.0);
}
