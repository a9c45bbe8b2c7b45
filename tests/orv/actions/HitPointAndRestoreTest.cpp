#include "orv/actions/TempoActions.h"
#include "orv/score/io/TempoCurveLoader.h"

#include <gtest/gtest.h>

using namespace orv::actions;
using orv::Poser;

namespace
{
void addBars (orv::Score& score, int count)
{
    for (int bar = 1; bar <= count; ++bar)
    {
        score.getOrCreateBar (bar);
        score.setBarLength (bar, 1024);
    }
}

juce::String json (const juce::var& value)
{
    return juce::JSON::toString (value, true);
}
juce::String json (const char* text)
{
    return json (juce::JSON::parse (text));
}
} // namespace

TEST (HitPointActions, DataTextsKeepSemicolonsInLabels)
{
    EXPECT_EQ (AddHitPoint::buildDataStr ("Boom; big;", {3, 256}), "Boom; big;;3,256");
    EXPECT_EQ (AddHitPoint::buildDataStr ("Boom", Poser()), "");
    EXPECT_EQ (EditHitPoint::buildDataStr (4, "a;b", Poser()), "4;a;b;");
    EXPECT_EQ (EditHitPoint::buildDataStr (4, "a;b", {5, 0}), "4;a;b;5,0");
    EXPECT_EQ (EditHitPoint::buildDataStr (std::nullopt, "a", {5, 0}), "");
    EXPECT_EQ (DeleteHitPoint::buildDataStr (12), "12");
    EXPECT_EQ (DeleteHitPoint::buildDataStr (std::nullopt), "");

    AddHitPoint add;
    add.prepare ("x;", {1, 0});
    EXPECT_EQ (json (add.getArg()), json (R"({"dataStr": "x;;1,0"})"));
    EXPECT_EQ (add.getMethodName(), "addHitPoint");
}

TEST (HitPointActions, RepliesReplaceTheListAndKeepOpenFormsOpen)
{
    orv::Score score;
    addBars (score, 4);
    auto list = score.getOrCreateHitPointList();
    list.addHitPoint (orv::HitPoint::create (1, 2, 0, 1000, "old"));
    list.getHitPoint (0).setOpen (true);

    applyTempoActionHitPointsReply (juce::JSON::parse (R"({"hitPointList": [
        {"id": 1, "bar": 2, "position": 0, "time": 1100, "label": "renamed"},
        {"id": 2, "bar": 3, "position": 512, "time": 2000, "label": "new"}]})"),
                                    score);
    ASSERT_EQ (list.size(), 2);
    EXPECT_EQ (list.getHitPointWithId (1).getLabel(), "renamed");
    EXPECT_TRUE (list.getHitPointWithId (1).isOpen());
    EXPECT_FALSE (list.getHitPointWithId (2).isOpen());

    applyTempoActionHitPointsReply (juce::JSON::parse (R"([1, 2])"), score);
    applyTempoActionHitPointsReply (juce::JSON::parse (R"({"other": 1})"), score);
    EXPECT_EQ (list.size(), 2) << "a reply without a list changes nothing";

    // The curve actions' replies also carry the whole curve.
    score.getOrCreateTempoCurve().addOrUpdatePoint (orv::CurvePoint::create (orv::CurvePoint::Type::N, 1, 0, 99, orv::ReachShape::Jump));
    applyTempoCurveActionReply (juce::JSON::parse (R"({"hitPointList": [], "tempoCurve": {"startLevel": 90,
        "points": [{"type": "N", "barNum": 2, "pos": 0, "val": 100, "reachShape": "J"}]}})"),
                                score);
    EXPECT_EQ (list.size(), 0);
    ASSERT_EQ (score.getOrCreateTempoCurve().getNumPoints(), 1);
    EXPECT_EQ (score.getOrCreateTempoCurve().getPoint (0).getPoser().toString(), "2,0");
    EXPECT_EQ (score.getOrCreateTempoCurve().getStartLevel(), 90.0);
}

TEST (HitPointActions, TheOpenerWaitsForAHitPointNotYetLoaded)
{
    orv::Score score;
    addBars (score, 4);
    HitPointOpener opener (score);
    opener.open (7);
    EXPECT_TRUE (opener.isWaiting());

    applyTempoActionHitPointsReply (juce::JSON::parse (R"({"hitPointList": [
        {"id": 6, "bar": 2, "position": 0, "time": 1, "label": "a"},
        {"id": 7, "bar": 3, "position": 0, "time": 2, "label": "b"}]})"),
                                    score);
    auto list = score.getOrCreateHitPointList();
    EXPECT_FALSE (list.getHitPointWithId (6).isOpen());
    EXPECT_TRUE (list.getHitPointWithId (7).isOpen());
    EXPECT_FALSE (opener.isWaiting());

    opener.open (6);
    EXPECT_TRUE (list.getHitPointWithId (6).isOpen()) << "a hit point already there opens at once";
}

TEST (RestoreMark, ArgumentAndBothFormsOfTheReply)
{
    EXPECT_EQ (json (RestoreMark::buildArg ({3, 128}, Poser())), json (R"({"playLinePoser": {"barId": 3, "pos": 128}})"));
    EXPECT_EQ (json (RestoreMark::buildArg ({3, 128}, {2, 0})),
               json (R"({"playLinePoser": {"barId": 3, "pos": 128}, "mark": {"barId": 2, "pos": 0}})"));

    orv::Score score;
    addBars (score, 4);
    auto curve = score.getOrCreateTempoCurve();
    curve.addOrUpdatePoint (orv::CurvePoint::create (orv::CurvePoint::Type::N, 2, 0, 90, orv::ReachShape::Jump));
    curve.addOrUpdatePoint (orv::CurvePoint::create (orv::CurvePoint::Type::N, 2, 256, 95, orv::ReachShape::Jump));
    curve.addOrUpdatePoint (orv::CurvePoint::create (orv::CurvePoint::Type::N, 3, 0, 100, orv::ReachShape::Jump));
    const char* mark = R"({"type": "M", "barNum": 2, "pos": 0, "val": 92, "spanDuration": 512, "label": "rit.", "muted": "P"})";

    // As an array: the mark clears its influence range (2,0 to 2,512) and comes back.
    orv::score::io::TempoCurveLoader::applyRestoreMarkReply (juce::JSON::parse (juce::String ("[") + mark + "]"), score);
    ASSERT_EQ (curve.getNumPoints(), 2);
    EXPECT_TRUE (curve.getPoint (0).isMark());
    EXPECT_FALSE (curve.getPoint (0).isMuted());
    EXPECT_EQ (curve.getPoint (1).getPoser().toString(), "3,0");

    // As an object, with the hit points.
    curve.getPoint (0).setMuted (true);
    orv::score::io::TempoCurveLoader::applyRestoreMarkReply (
        juce::JSON::parse (juce::String (R"({"hitPointList": [{"id": 1, "bar": 2, "position": 0, "time": 5, "label": "h"}], "markCurve": [)") + mark + "]}"),
        score);
    EXPECT_FALSE (curve.getPoint (0).isMuted());
    EXPECT_EQ (score.getOrCreateHitPointList().size(), 1);
}
