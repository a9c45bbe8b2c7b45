#include "channel/ChannelFiles.h"
#include "control/CommandInterpreter.h"
#include "control/SelectionSpec.h"
#include "score/ScoreJson.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

TEST (Commands, SelectionSpecs)
{
    const auto score = test::makeRichScore();
    Selection s;

    ASSERT_TRUE (parseSelection ({"2-3", "1,3"}, score, s).wasOk());
    EXPECT_EQ (s, (Selection{2, 3, {1, 3}}));
    ASSERT_TRUE (parseSelection ({"4"}, score, s).wasOk());
    EXPECT_EQ (s, (Selection{4, 4, {1, 2, 3}}));
    ASSERT_TRUE (parseSelection ({"all", "3,1-2,2"}, score, s).wasOk());
    EXPECT_EQ (s, (Selection{1, 4, {1, 2, 3}}));
    ASSERT_TRUE (parseSelection ({"none"}, score, s).wasOk());
    EXPECT_TRUE (s.isEmpty());

    for (const auto& bad : {juce::StringArray{"5"}, {"3-2"}, {"1-x"}, {"1", "4"}, {"1", "2-"}, {"-1"}, {}, {"1", "2", "3"}})
        EXPECT_TRUE (parseSelection (bad, score, s).failed()) << bad.joinIntoString (" ");
}

TEST (Commands, DriveTheHost)
{
    test::SimHarness sim;
    CommandInterpreter commands (sim.host, sim.engine, sim.faults, sim.log);

    EXPECT_TRUE (commands.execute ("select 1-2 2").ok);
    EXPECT_EQ (sim.host.getSelection(), (Selection{1, 2, {2}}));
    EXPECT_FALSE (commands.execute ("select 1-9").ok);
    EXPECT_EQ (sim.host.getSelection(), (Selection{1, 2, {2}}));

    EXPECT_TRUE (commands.execute ("trigger orv").ok);
    EXPECT_TRUE (commands.execute ("trigger FK /tmp/stems|<FK_SCORE_STATE  a=\"1\"/>").ok);
    EXPECT_TRUE (commands.execute ("message ORV OPEN").ok);
    EXPECT_FALSE (commands.execute ("trigger XX").ok);
    EXPECT_FALSE (commands.execute ("message ORV").ok);
    EXPECT_EQ (sim.stateFile (channel::hostOutboxFileName).loadFileAsString(),
               "H1:ORV.USER_TRIGGER|1-2;2\r\nH2:FK.USER_TRIGGER|/tmp/stems|<FK_SCORE_STATE  a=\"1\"/>\r\nH3:ORV.OPEN|\r\n");

    auto result = commands.execute ("play 2:256");
    EXPECT_TRUE (result.ok) << result.message;
    EXPECT_TRUE (sim.host.getPlaybackState().playing);
    EXPECT_GE (sim.host.getPlaybackState().tick, 1024 + 256);
    EXPECT_TRUE (commands.execute ("stop").ok);
    EXPECT_FALSE (sim.host.getPlaybackState().playing);
    EXPECT_FALSE (commands.execute ("play 9").ok);
    EXPECT_FALSE (commands.execute ("play 1:x").ok);

    EXPECT_TRUE (commands.execute ("fault delay 30").ok);
    EXPECT_TRUE (commands.execute ("fault close-after 4 clean").ok);
    EXPECT_EQ (commands.execute ("fault").message, "faults: close-after 4 clean, delay 30");
    EXPECT_FALSE (commands.execute ("fault delay soon").ok);
    EXPECT_FALSE (commands.execute ("fault wobble").ok);
    EXPECT_TRUE (commands.execute ("fault clear").ok);
    EXPECT_EQ (sim.faults.get(), FaultSettings{});

    EXPECT_TRUE (commands.execute ("note checkpoint A").ok);
    ASSERT_EQ (sim.events ("note").size(), 1);
    EXPECT_EQ (sim.events ("note")[0]["text"].toString(), "checkpoint A");
    EXPECT_TRUE (commands.execute ("log 3").message.contains ("checkpoint A"));

    EXPECT_TRUE (commands.execute ("").ok);
    EXPECT_TRUE (commands.execute ("# a comment").ok);
    EXPECT_FALSE (commands.execute ("dance").ok);
    EXPECT_FALSE (commands.execute ("wait").ok);
    EXPECT_TRUE (commands.execute ("status").message.contains ("selection: bars 1-2, staves 2"));
    EXPECT_TRUE (commands.execute ("QUIT").quit);
}

TEST (Commands, SaveAndOpenTheScore)
{
    test::SimHarness sim;
    CommandInterpreter commands (sim.host, sim.engine, sim.faults, sim.log);
    const auto file = sim.suite.get().getChildFile ("saved.json");

    sim.host.withState ([] (HostState& s)
                        { s.score.productStates["SD"] = "<STATE/>"; });
    ASSERT_TRUE (commands.execute ("save " + file.getFullPathName()).ok);
    sim.host.replaceScore ({});
    EXPECT_TRUE (sim.host.getScore().bars.empty());

    const auto opened = commands.execute ("open " + file.getFullPathName());
    ASSERT_TRUE (opened.ok) << opened.message;
    auto expected = test::makeRichScore();
    expected.productStates["SD"] = "<STATE/>";
    EXPECT_TRUE (sim.host.getScore() == expected);

    file.replaceWithText ("{\"bars\": 3}");
    const auto bad = commands.execute ("open " + file.getFullPathName());
    EXPECT_FALSE (bad.ok);
    EXPECT_TRUE (bad.message.contains ("bars: expected an array")) << bad.message;
    EXPECT_FALSE (commands.execute ("open " + file.getSiblingFile ("missing.json").getFullPathName()).ok);
    EXPECT_TRUE (sim.host.getScore() == expected);
}

TEST (Commands, SaveToTheScoresFileAndExport)
{
    test::SimHarness sim;
    CommandInterpreter commands (sim.host, sim.engine, sim.faults, sim.log);
    const auto folder = sim.suite.get();

    EXPECT_EQ (commands.execute ("save").toOutputText(), "error: the score has no file yet: save FILE");
    const auto file = folder.getChildFile ("mine.json");
    ASSERT_TRUE (commands.execute ("save " + file.getFullPathName()).ok);
    EXPECT_TRUE (commands.execute ("status").message.contains ("file " + file.getFullPathName()));

    // From now on a plain "save" writes the same file again, through a temporary file.
    sim.host.withState ([] (HostState& s)
                        { s.score.title = "Second draft"; });
    ASSERT_TRUE (commands.execute ("save").ok);
    ScoreDocument back;
    ASSERT_TRUE (scorejson::load (file, back).wasOk());
    EXPECT_EQ (back.title, "Second draft");
    EXPECT_EQ (folder.findChildFiles (juce::File::findFiles, false, "*.json").size(), 1) << "no temporary file left";

    const auto audio = folder.getChildFile ("cello.aiff");
    const auto rendered = commands.execute ("export-audio " + audio.getFullPathName() + " bars=2-3 staves=2 rate=22050 channels=1");
    ASSERT_TRUE (rendered.ok) << rendered.message;
    EXPECT_TRUE (rendered.message.startsWith ("rendered "));
    EXPECT_TRUE (audio.existsAsFile());
    EXPECT_FALSE (commands.execute ("export-audio " + audio.getFullPathName() + " loud=yes").ok);
    EXPECT_FALSE (commands.execute ("export-audio " + audio.getFullPathName() + " bars=7").ok);
    EXPECT_FALSE (commands.execute ("export-audio").ok);

    const auto pdf = folder.getChildFile ("low.pdf");
    const auto printed = commands.execute ("export-pdf " + pdf.getFullPathName() + " Low strings");
    ASSERT_TRUE (printed.ok) << printed.message;
    EXPECT_EQ (printed.message, "printed 2 page(s) to " + pdf.getFullPathName());
    EXPECT_FALSE (commands.execute ("export-pdf " + folder.getChildFile ("x.pdf").getFullPathName() + " Tuba").ok);
    EXPECT_FALSE (folder.getChildFile ("x.pdf").exists());
}

TEST (Faults, CommandSyntax)
{
    FaultState faults;
    bool refused = false;
    int forgotten = 0;
    faults.setRefuseCallback ([&refused] (bool r)
                              { refused = r; });
    faults.setForgetTokensCallback ([&forgotten]
                                    { ++forgotten; });

    // What each fault does is checked against the server (ServerProtocolTest).
    for (const auto* good : {"delay=200", "drop 3", "malformed", "unknown-id 2", "close-after 5", "deny", "no-token-reply on", "refuse"})
        ASSERT_TRUE (faults.apply (good).wasOk()) << good;

    EXPECT_TRUE (refused);
    EXPECT_EQ (faults.get().delayMs, 200);
    EXPECT_EQ (faults.get().malformedEvery, 1);
    EXPECT_TRUE (faults.get().silentOnToken);

    ASSERT_TRUE (faults.apply ("refuse off").wasOk());
    EXPECT_FALSE (refused);
    ASSERT_TRUE (faults.apply ("drop off").wasOk());
    EXPECT_EQ (faults.get().dropEvery, 0);
    ASSERT_TRUE (faults.apply ("forget-tokens").wasOk());
    EXPECT_EQ (forgotten, 1);

    for (const auto* bad : {"", "delay", "delay -5", "drop x", "close-after 2 gently", "deny maybe", "clear all", "forget-tokens now", "delay 1 2"})
        EXPECT_TRUE (faults.apply (bad).failed()) << bad;

    ASSERT_TRUE (faults.apply ("clear").wasOk());
    EXPECT_EQ (faults.get().describe(), "none");
}
