// The MIDI editor's plug-in substitute: the payload of a region with its
// wings, the trigger text, undo and redo through the host's history, and the
// refresh that ends every edit.
#include "plugins/OrvanaPlugin.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

#include <random>

using namespace hostsim;
using namespace hostsim::orvana;

namespace
{
juce::var argument (const juce::String& dataStr, bool tempoCurve)
{
    auto* object = new juce::DynamicObject();
    const juce::var result (object);
    object->setProperty ("dataStr", dataStr);
    object->setProperty ("includeTempoCurve", tempoCurve);
    return result;
}

juce::String compact (const juce::var& value)
{
    return juce::JSON::toString (value, true);
}

/** Six bars of 4/4, one staff: controller 7 in bars 1, 2 (a ramp), 5 and 6;
    phantom notes from bar 1 to bar 3, from bar 4 to bar 6, and within bar 1. */
ScoreDocument wingScore()
{
    ScoreDocument score;
    score.title = "Wings";

    for (int bar = 1; bar <= 6; ++bar)
        score.bars.push_back ({bar, bar, 1024, "4/4"});

    Staff staff;
    staff.number = 4;
    staff.fullName = "Synth";
    staff.getOrCreateBar (1).midiMessages = {{0, "~C7,50"}, {0, "~N60,100"}, {256, "~N64,90"}, {512, "~N64,0"}};
    staff.getOrCreateBar (2).midiMessages = {{512, "~-C7,60"}};
    staff.getOrCreateBar (3).midiMessages = {{256, "~N60,0"}};
    staff.getOrCreateBar (4).midiMessages = {{768, "~N62,80"}};
    staff.getOrCreateBar (5).midiMessages = {{128, "~C7,70"}};
    staff.getOrCreateBar (6).midiMessages = {{0, "~-C7,20"}, {256, "~N62,0"}};
    score.staves = {staff};
    return score;
}

juce::String outbox (const test::SimHarness& sim)
{
    return sim.stateFile ("hostOutbox.txt").loadFileAsString();
}

/** The data of the last REFRESH in the host outbox, parsed. */
juce::var lastRefresh (const test::SimHarness& sim)
{
    const auto lines = juce::StringArray::fromLines (outbox (sim).trim());

    for (int i = lines.size(); --i >= 0;)
        if (lines[i].contains (":ORV.REFRESH|"))
            return juce::JSON::parse (lines[i].fromFirstOccurrenceOf ("|", false, false));

    return {};
}
} // namespace

TEST (OrvanaPlugin, InitAnswersTheWholeScoreWithTheTriggerRegionActive)
{
    test::SimHarness sim (test::makeRichScore(), false);
    EXPECT_EQ (triggerText (sim.host.getSelection()), "2-3;1,2") << "the trigger carries the selection";

    const auto payload = sim.engine.call (pluginName, "init", argument ("3-4;1", false)).result;
    EXPECT_EQ (compact (payload["activeRegion"]), R"({"barFrom": 3, "barTo": 4})");
    EXPECT_EQ (payload["barList"].size(), 4) << "the whole score is loaded by default";
    EXPECT_EQ (compact (payload["barList"][3]), R"({"barNumber": 4, "externalBarNumber": 10, "length": 1024, "meter": "4/4"})");
    EXPECT_EQ (compact (payload["lastPoser"]), R"({"bar": 4, "pos": 1024})");
    EXPECT_EQ (payload["soundSet"].toString(), "NotePerformer");
    EXPECT_FALSE (payload.hasProperty ("tempoCurve"));
    EXPECT_EQ (compact (payload["hitPointList"]), R"([{"id": 7, "bar": 2, "position": 128, "time": 3500, "label": "Door slam"}])");

    ASSERT_EQ (payload["staffList"].size(), 3) << "every staff";
    const auto cello = payload["staffList"][1];
    EXPECT_EQ (compact (cello["header"]), R"({"staffNum": 2, "fullInstrumentName": "Violoncello", "shortInstrumentName": "Vc.", "styleId": "instrument.strings.cello", "solo": true, "muteMode": "H"})");
    EXPECT_EQ (payload["staffList"][2]["header"]["muteMode"].toString(), "M");

    const auto violinBar = payload["staffList"][0]["staffBarList"][0];
    EXPECT_EQ (compact (violinBar["potList"][0]["noteList"][1]), R"({"pitch": 71, "originalVelocity": 96, "originalDuration": 200, "originalDeltaSr": -12})");
    EXPECT_EQ (compact (violinBar["potList"][1]), R"({"potNum": 1, "position": 256, "duration": 85, "noteList": [{"pitch": 69, "hasTuplet": true, "tupletLeftNumber": 3, "tupletRightNumber": 2}]})");
    EXPECT_EQ (violinBar["commandList"].size(), 3);
    EXPECT_EQ (compact (payload["staffList"][0]["commandNotesWings"]), "[]") << "nothing lies outside the whole score";

    // Without trigger bars the selection is active; the curve comes when asked.
    const auto withCurve = sim.engine.call (pluginName, "init", argument ("", true)).result;
    EXPECT_EQ (compact (withCurve["activeRegion"]), R"({"barFrom": 2, "barTo": 3})");
    EXPECT_EQ (compact (withCurve["tempoCurve"]),
               R"({"startLevel": 96.0, "points": [)"
               R"({"type": "M", "barNum": 1, "pos": 0, "val": 96.0, "motionType": "", "spanDuration": 0, "label": "Andante", "muted": "P"}, )"
               R"({"type": "M", "barNum": 3, "pos": 0, "val": 60.0, "motionType": "S", "spanDuration": 768, "label": "rit.", "muted": "M"}, )"
               R"({"type": "N", "barNum": 2, "pos": 0, "val": 100.0, "reachShape": "J"}, {"type": "P", "barNum": 4, "pos": 0, "val": 120.5}]})");
    EXPECT_EQ (compact (sim.engine.call (pluginName, "requestTempoCurve", {}).result), compact (withCurve["tempoCurve"]));
}

TEST (OrvanaPlugin, PaddedRangeCarriesWingsAndCrossingPhantomNotes)
{
    test::SimHarness sim (wingScore(), false);
    EXPECT_TRUE (sim.engine.runCommand ("orv-padding", {"0"}, "0").ok);

    const auto payload = sim.engine.call (pluginName, "init", argument ("3-4;4", false)).result;
    EXPECT_EQ (payload["barList"].size(), 2);
    const auto staff = payload["staffList"][0];
    EXPECT_EQ (compact (staff["staffBarList"][0]["commandList"]), R"([{"position": 256, "text": "~N60,0"}])");

    // The last value before bar 3 is the ramp in bar 2; the first after bar 4 is in bar 5.
    EXPECT_EQ (compact (staff["wingPairList"]),
               R"([{"controlId": "7", "leftWing": {"val": 60, "ticksDist": 512, "barNum": 2, "pos": 512}, )"
               R"("rightWing": {"val": 70, "ticksDist": 128, "barNum": 5, "pos": 128, "type": "J"}}])");
    // The note from bar 1 closes in bar 3, the note from bar 4 closes in bar 6;
    // the note within bar 1 does not reach the range.
    EXPECT_EQ (compact (staff["commandNotesWings"]),
               R"([{"bar": 1, "pos": 0, "pitch": 60, "vel": 100}, {"bar": 6, "pos": 256, "pitch": 62, "vel": 0}])");

    // One bar of padding takes in bars 2 and 5: their messages are no wings any more.
    EXPECT_TRUE (sim.engine.runCommand ("orv-padding", {"1"}, "1").ok);
    const auto padded = sim.engine.call (pluginName, "init", argument ("3-4;4", false)).result;
    EXPECT_EQ (padded["barList"].size(), 4);
    EXPECT_EQ (compact (padded["staffList"][0]["wingPairList"][0]["leftWing"]), R"({"val": 50, "ticksDist": 1024, "barNum": 1, "pos": 0})");
    EXPECT_EQ (compact (padded["staffList"][0]["wingPairList"][0]["rightWing"]), R"({"val": 20, "ticksDist": 0, "barNum": 6, "pos": 0, "type": "R"})");

    EXPECT_FALSE (sim.engine.runCommand ("orv-padding", {"-1"}, "-1").ok);
    EXPECT_TRUE (sim.engine.runCommand ("orv-padding", {"all"}, "all").ok);
    EXPECT_EQ (sim.engine.call (pluginName, "init", argument ("3-4;4", false)).result["barList"].size(), 6);
}

TEST (OrvanaPlugin, EditsRefreshAndUndoRedoAnswerTheSameRegion)
{
    test::SimHarness sim (test::makeRichScore(), false);
    EXPECT_FALSE (sim.engine.runCommand ("orv-refresh", {}, {}).ok) << "nothing was loaded yet";

    sim.engine.call (pluginName, "init", argument ("2-3;1", true));

    // An edit as the editing methods make it: change the score, then refresh.
    Session session;
    session.activeFirst = 2;
    session.activeLast = 3;
    session.tempoCurveWanted = true;
    const auto outcome = sim.host.edit ("ORV_Orvana.noteVel", sim.engine, [&] (HostAccess& host)
                                        {
                                            host.editScore().staves[1].bars[0].noteGroups[0].notes[0].pitch = 40;
                                            EXPECT_GT (OrvanaSetup::refresh (host, session), 0); });
    ASSERT_TRUE (outcome.changed);

    const auto refreshed = lastRefresh (sim);
    EXPECT_EQ (compact (refreshed["activeRegion"]), R"({"barFrom": 2, "barTo": 3})");
    EXPECT_EQ (int (refreshed["staffList"][1]["staffBarList"][0]["potList"][0]["noteList"][0]["pitch"]), 40);
    EXPECT_TRUE (refreshed.hasProperty ("tempoCurve")) << "the suite asked for the curve; its reload would clear it";

    const auto undone = sim.engine.call (pluginName, "undo", argument ({}, false)).result;
    EXPECT_EQ (compact (undone["activeRegion"]), R"({"barFrom": 2, "barTo": 3})");
    EXPECT_EQ (int (undone["staffList"][1]["staffBarList"][0]["potList"][0]["noteList"][0]["pitch"]), 36);
    EXPECT_FALSE (undone.hasProperty ("tempoCurve"));

    const auto redone = sim.engine.call (pluginName, "redo", argument ({}, false)).result;
    EXPECT_EQ (int (redone["staffList"][1]["staffBarList"][0]["potList"][0]["noteList"][0]["pitch"]), 40);

    // The console's refresh posts the remembered region, now without the curve.
    const auto before = outbox (sim).length();
    EXPECT_TRUE (sim.engine.runCommand ("orv-refresh", {}, {}).ok);
    EXPECT_GT (outbox (sim).length(), before);
    EXPECT_FALSE (lastRefresh (sim).hasProperty ("tempoCurve"));
}

TEST (OrvanaPlugin, TriggerTextsFromAnywhereNameBarsOrNothing)
{
    EXPECT_EQ (barsOfTriggerText ("5-8;13,14"), std::make_pair (5, 8));
    EXPECT_EQ (barsOfTriggerText (" 2 - 2 "), std::make_pair (2, 2));
    for (const auto* text : {"", "8-5;1", "-3", "0-2", "a-b", "1-", "99999999-100000000", "5", ";1-2"})
        EXPECT_FALSE (barsOfTriggerText (text).has_value()) << text;

    // Random text never names an impossible range.
    std::mt19937 random (17);
    const juce::String alphabet ("0123456789-;, xX\n");

    for (int i = 0; i < 5000; ++i)
    {
        juce::String text;
        for (auto n = random() % 16; n > 0; --n)
            text += juce::String::charToString (alphabet[static_cast<int> (random() % static_cast<unsigned> (alphabet.length()))]);

        const auto bars = barsOfTriggerText (text);
        EXPECT_TRUE (!bars || (bars->first >= 1 && bars->second >= bars->first)) << text;
    }

    // Any range names bars of the score, whatever the document.
    test::SimHarness sim (test::makeRichScore(), false);
    const auto payload = sim.engine.call (pluginName, "init", argument ("3-900;1", false)).result;
    EXPECT_EQ (compact (payload["activeRegion"]), R"({"barFrom": 3, "barTo": 4})");
}

TEST (OrvanaPlugin, AnEditMethodOfAPartEndsWithTheRefreshAndUndoesAsOneStep)
{
    test::SimHarness sim (test::makeRichScore(), false);
    sim.engine.call (pluginName, "init", argument ("2-2;2", false));

    // A part registers an editing method the way later parts do.
    auto session = std::make_shared<Session>();
    session->activeFirst = 2;
    session->activeLast = 2;
    PluginSetup setup (sim.registry, "Orvana");
    OrvanaSetup orvana (setup, session);
    orvana.editMethod ("raiseCello", [] (MethodCall& call)
                       {
                           call.host.editScore().findStaff (2)->bars[0].noteGroups[0].notes[0].pitch += 12;
                           return juce::var ("raised"); });

    const auto outcome = sim.engine.call (pluginName, "raiseCello", {});
    ASSERT_TRUE (outcome.known);
    EXPECT_EQ (outcome.result.toString(), "raised");

    const auto refreshed = lastRefresh (sim);
    EXPECT_EQ (compact (refreshed["activeRegion"]), R"({"barFrom": 2, "barTo": 2})");
    EXPECT_EQ (int (refreshed["staffList"][1]["staffBarList"][0]["potList"][0]["noteList"][0]["pitch"]), 48);

    const auto undone = sim.engine.call (pluginName, "undo", argument ({}, false)).result;
    EXPECT_EQ (int (undone["staffList"][1]["staffBarList"][0]["potList"][0]["noteList"][0]["pitch"]), 36);
    EXPECT_FALSE (sim.host.undo().has_value()) << "the edit was one step, and the only one";
}

TEST (OrvanaPlugin, TheKeyTestAnswersSuccessAfterItsDelayOrNever)
{
    test::SimHarness sim (test::makeRichScore(), false);
    const auto answer = [&]
    { return sim.engine.call (pluginName, "testPluginKey", {}); };

    auto outcome = answer();
    EXPECT_EQ (compact (outcome.result), R"({"success": true})");
    EXPECT_EQ (outcome.replyDelayMs, 0) << "at once by default";

    EXPECT_TRUE (sim.engine.runCommand ("orv-test-key", {"2000"}, "2000").ok);
    EXPECT_EQ (answer().replyDelayMs, 2000);

    EXPECT_TRUE (sim.engine.runCommand ("orv-test-key", {"never"}, "never").ok);
    EXPECT_GE (answer().replyDelayMs, keyTestNeverMs) << "held back longer than any session";

    for (const auto* bad : {"", "-5", "60001", "soon", "1e3"})
        EXPECT_FALSE (sim.engine.runCommand ("orv-test-key", {bad}, bad).ok) << bad;

    EXPECT_GE (answer().replyDelayMs, keyTestNeverMs) << "a refused setting changes nothing";
}
