// The tempo lane's methods of the Orvana plug-in: hit points by their texts,
// drawn tempo points replaced between anchors, marks muted and restored but
// never deleted, each one undo step ending with the refresh.
#include "../support/RandomRounds.h"
#include "host/TempoMap.h"
#include "plugins/OrvanaPlugin.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace hostsim;
using namespace hostsim::orvana;

namespace
{
juce::var parse (const char* text)
{
    return juce::JSON::parse (text);
}

juce::var dataStr (const juce::String& text)
{
    auto* object = new juce::DynamicObject();
    const juce::var result (object);
    object->setProperty ("dataStr", text);
    return result;
}

/** Four bars at 120 bpm: marks at 2,0 (a ritardando over 512 ticks) and 4,0,
    drawn points at 1,512 and 2,256, one hit point. */
ScoreDocument tempoScore()
{
    ScoreDocument score;

    for (int bar = 1; bar <= 4; ++bar)
        score.bars.push_back ({bar, bar, 1024, "4/4"});

    score.tempoStart = 120.0;
    score.tempoMarks = {{2, 0, 90.0, "rit.", "S", 512, false}, {4, 0, 100.0, "a tempo", "", 0, false}};
    score.tempoPoints = {{1, 512, 110.0, ReachShape::jump}, {2, 256, 95.0, ReachShape::jump}};
    score.hitPoints = {{3, 3, 0, 0, "Boom"}};
    return score;
}

juce::String pointsText (const ScoreDocument& score)
{
    juce::StringArray texts;
    for (const auto& point : score.tempoPoints)
        texts.add (juce::String (point.bar) + "," + juce::String (point.position) + "=" + juce::String (point.bpm, 1)
                   + (point.shape == ReachShape::ramp ? "R" : "J"));
    return texts.joinIntoString (" ");
}

juce::String mutedText (const ScoreDocument& score)
{
    juce::StringArray texts;
    for (const auto& mark : score.tempoMarks)
        texts.add (mark.muted ? "M" : "P");
    return texts.joinIntoString ("");
}

bool outboxContains (const test::SimHarness& sim, const juce::String& text)
{
    const auto deadline = juce::Time::getMillisecondCounter() + 20000;

    while (juce::Time::getMillisecondCounter() < deadline)
    {
        if (sim.stateFile ("hostOutbox.txt").loadFileAsString().contains (text))
            return true;
        juce::Thread::sleep (20);
    }
    return false;
}

class OrvanaTempoEdits : public ::testing::Test
{
protected:
    OrvanaTempoEdits()
    {
        sim.engine.call (pluginName, "init", parse (R"({"dataStr": "", "includeTempoCurve": true})"));
    }

    juce::var call (const char* method, const juce::var& argument)
    {
        auto outcome = sim.engine.call (pluginName, method, argument);
        EXPECT_TRUE (outcome.known) << method;
        return outcome.result;
    }

    ScoreDocument score() const { return sim.host.getScore(); }

    test::SimHarness sim{tempoScore(), false};
};
} // namespace

TEST_F (OrvanaTempoEdits, HitPointsFollowTheirTextsAndTheTempoMap)
{
    const auto reply = call ("addHitPoint", dataStr ("Door; slam;2,512"));
    ASSERT_EQ (score().hitPoints.size(), 2u);
    const auto added = score().hitPoints[0];
    EXPECT_EQ (added.id, 4) << "the next free id";
    EXPECT_EQ (added.label, "Door; slam");
    EXPECT_EQ (added.timeMillis, juce::roundToInt (TempoMap (score()).tickToMillis (1024 + 512)));
    EXPECT_EQ (reply["hitPointList"].size(), 2);
    EXPECT_TRUE (reply["tempoCurve"].isObject());
    EXPECT_TRUE (outboxContains (sim, ":ORV.RE_ADD_HIT_POINT|4")) << "posted once the reply is out";

    call ("editHitPoint", dataStr ("4;x;y;5,x"));
    EXPECT_EQ (score().hitPoints[0].label, "x;y") << "the label runs to the last ';', a tail that is no poser moves nothing";
    call ("editHitPoint", dataStr ("4;a;b;"));
    EXPECT_EQ (score().hitPoints[0].label, "a;b");
    EXPECT_EQ (score().hitPoints[0].bar, 2);
    call ("editHitPoint", dataStr ("4;c;4,0"));
    EXPECT_EQ (score().hitPoints[1].id, 4) << "moved behind the hit point of bar 3";
    EXPECT_EQ (score().hitPoints[1].label, "c");

    call ("deleteHitPoint", dataStr ("3"));
    ASSERT_EQ (score().hitPoints.size(), 1u);
    EXPECT_EQ (score().hitPoints[0].id, 4);

    const std::pair<const char*, std::vector<const char*>> garbage[] = {
        {"addHitPoint", {"", ";", "x;", "x;1", "x;1,", "x;a,0", "x;9,0", "x;1,99999", "x;1,-5", "x;1,0,0"}},
        {"editHitPoint", {"", "4", "4;", "x;a;", "5;a;", "99999999999;x;", "-;;"}},
        {"deleteHitPoint", {"", "x", "5", "99999999999", "4;"}},
    };

    for (const auto& [method, texts] : garbage)
        for (const auto* text : texts)
            call (method, dataStr (text));

    ASSERT_EQ (score().hitPoints.size(), 1u) << "no garbage text changes the hit points";
    EXPECT_EQ (score().hitPoints[0].label, "c");
}

TEST_F (OrvanaTempoEdits, AnEditReplacesThePointsBetweenItsAnchorsAndMutesMarks)
{
    call ("editTempoCurve", parse (R"({"playLinePoser": {"barId": 1, "pos": 0},
        "markMutings": [{"barId": 2, "pos": 0, "mode": "mute"}],
        "edit": {"anchorBefore": {"barId": 1, "pos": 512, "val": 110.0},
                 "coreFrom": {"barId": 2, "pos": 0, "val": 90.0, "reachShape": "J"},
                 "coreTo": {"barId": 3, "pos": 0, "val": 70.5, "reachShape": "R"},
                 "anchorAfter": {"barId": 4, "pos": 0, "val": 100.0, "reachShape": "J"},
                 "bars": [{"barId": 2, "nodes": [{"pos": 0, "val": 90.0, "reachShape": "J"}, {"pos": 512, "val": 80.0, "reachShape": "J"}]},
                          {"barId": 3, "nodes": [{"pos": 0, "val": 70.5, "reachShape": "R"}, {"pos": 9999, "val": 1.0, "reachShape": "J"}]},
                          {"barId": 4, "nodes": [{"pos": 512, "val": 50.0, "reachShape": "J"}]}]}})"));

    EXPECT_EQ (pointsText (score()), "1,512=110.0J 2,0=90.0J 2,512=80.0J 3,0=70.5R") << "2,256 replaced; nothing outside the anchors";
    EXPECT_EQ (mutedText (score()), "MP");
    EXPECT_EQ (score().tempoMarks.size(), 2u);

    // Undo brings the curve back in one step.
    call ("undo", parse (R"({"includeTempoCurve": true})"));
    EXPECT_EQ (pointsText (score()), "1,512=110.0J 2,256=95.0J");
    EXPECT_EQ (mutedText (score()), "PP");

    // A drag to the end of the score: no anchor after.
    call ("editTempoCurve", parse (R"({"playLinePoser": {"barId": 1, "pos": 0}, "edit": {"anchorBefore": {"barId": 2, "pos": 256, "val": 95.0},
        "anchorAfter": null, "bars": [{"barId": 4, "nodes": [{"pos": 512, "val": 50.0, "reachShape": "J"}]}]}})"));
    EXPECT_EQ (pointsText (score()), "1,512=110.0J 2,256=95.0J 4,512=50.0J");
    EXPECT_EQ (mutedText (score()), "PP") << "marks are never touched without a muting";
}

TEST_F (OrvanaTempoEdits, EraseRemovesDrawnPointsAndMutesMarksInItsBounds)
{
    call ("eraseTempoCurve", parse (R"({"playLinePoser": {"barId": 1, "pos": 0}, "from": null, "to": null})"));
    EXPECT_EQ (pointsText (score()), "1,512=110.0J 2,256=95.0J");
    EXPECT_FALSE (sim.host.undo().has_value()) << "nothing erased, no step";

    call ("eraseTempoCurve", parse (R"({"playLinePoser": {"barId": 1, "pos": 0},
        "from": {"barId": 1, "pos": 512, "val": 110.0, "boundary": "exclusive"},
        "to": {"barId": 4, "pos": 0, "val": 100.0, "reachShape": "J", "boundary": "exclusive"}})"));
    EXPECT_EQ (pointsText (score()), "1,512=110.0J");
    EXPECT_EQ (mutedText (score()), "MP");

    call ("eraseTempoCurve", parse (R"({"playLinePoser": {"barId": 1, "pos": 0},
        "from": {"barId": 1, "pos": 512, "val": 110.0, "boundary": "inclusive"},
        "to": {"barId": 4, "pos": 0, "val": 100.0, "reachShape": "J", "boundary": "inclusive"}})"));
    EXPECT_EQ (pointsText (score()), "");
    EXPECT_EQ (mutedText (score()), "MM");
    EXPECT_EQ (score().tempoMarks.size(), 2u);
}

TEST_F (OrvanaTempoEdits, RestoreMarkUnmutesTheGivenOrTheNearestMarkBeforeThePlayLine)
{
    call ("editTempoCurve", parse (R"({"playLinePoser": {"barId": 1, "pos": 0}, "markMutings": [{"barId": 2, "pos": 0, "mode": "mute"},
        {"barId": 4, "pos": 0, "mode": "mute"}], "edit": null})"));
    ASSERT_EQ (mutedText (score()), "MM");

    // No mark given: the nearest muted one at or before the play line (3,0 -> the mark of bar 2).
    const auto reply = call ("restoreMark", parse (R"({"playLinePoser": {"barId": 3, "pos": 0}})"));
    EXPECT_EQ (mutedText (score()), "PM");
    EXPECT_EQ (pointsText (score()), "1,512=110.0J") << "the drawn point over its influence goes";
    ASSERT_EQ (reply["markCurve"].size(), 1);
    EXPECT_EQ (reply["markCurve"][0]["label"].toString(), "rit.");
    EXPECT_EQ (reply["markCurve"][0]["muted"].toString(), "P");

    call ("restoreMark", parse (R"({"playLinePoser": {"barId": 1, "pos": 0}, "mark": {"barId": 4, "pos": 0}})"));
    EXPECT_EQ (mutedText (score()), "PP");
    EXPECT_EQ (call ("restoreMark", parse (R"({"playLinePoser": {"barId": 4, "pos": 0}})"))["markCurve"].size(), 0);
}

TEST_F (OrvanaTempoEdits, GarbageArgumentsLeaveAPlayableCurve)
{
    std::mt19937 random (19);
    const char* pieces[] = {"{", "}", "[", "]", "\"barId\"", "\"pos\"", "\"val\"", "\"edit\"", "\"from\"", "\"to\"", "\"mark\"",
                            "\"markMutings\"", "\"bars\"", "\"nodes\"", ":", ",", "1", "-3", "2.5", "null", "\"mute\"", "\"R\"", "1e400"};
    for (int round = 0; round < testsupport::randomRounds (300); ++round)
    {
        juce::String text;
        for (int i = 0, n = 1 + static_cast<int> (random() % 30); i < n; ++i)
            text << pieces[random() % std::size (pieces)];

        for (const auto* method : {"editTempoCurve", "eraseTempoCurve", "restoreMark"})
            call (method, juce::JSON::parse (text));
    }

    // Whatever the text, the curve stays playable and no mark is lost.
    const auto after = score();
    EXPECT_EQ (after.tempoMarks.size(), 2u);

    for (size_t i = 0; i < after.tempoPoints.size(); ++i)
    {
        const auto& point = after.tempoPoints[i];
        ASSERT_NE (after.findBar (point.bar), nullptr);
        EXPECT_TRUE (point.position >= 0 && point.position <= 1024);
        EXPECT_TRUE (std::isfinite (point.bpm) && point.bpm > 0.0);

        if (i > 0)
        {
            const auto& previous = after.tempoPoints[i - 1];
            EXPECT_LT (std::make_pair (previous.bar, previous.position), std::make_pair (point.bar, point.position));
        }
    }
}
