#include "support/SimHarness.h"

#include "score/ScoreJson.h"

#include <gtest/gtest.h>

#include <thread>

namespace hostsim::test
{
juce::Result RecordingLauncher::launch (const juce::File& executable)
{
    std::lock_guard<std::mutex> lock (mutex);

    if (failing)
        return juce::Result::fail ("launch refused by the test");

    launched.push_back (executable);
    return juce::Result::ok();
}

int RecordingLauncher::getLaunchCount() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return static_cast<int> (launched.size());
}

TempFolder::TempFolder()
    : folder (juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("host-sim-test-" + juce::Uuid().toString()))
{
    folder.createDirectory();
}

TempFolder::~TempFolder()
{
    folder.deleteRecursively();
}

juce::var object (std::initializer_list<std::pair<const char*, juce::var>> properties)
{
    auto* made = new juce::DynamicObject();
    const juce::var result (made);

    for (const auto& [name, value] : properties)
        made->setProperty (name, value);

    return result;
}

ScoreDocument loadDemoScore (const char* name)
{
    ScoreDocument score;
    const auto loaded = scorejson::load (juce::File (HOST_SIM_TEST_SCORES_DIR).getChildFile (name), score);
    EXPECT_TRUE (loaded.wasOk()) << loaded.getErrorMessage();
    return score;
}

juce::String pitchesAndSteps (const ScoreDocument& score, int staffNumber)
{
    juce::StringArray texts;

    if (const auto* staff = score.findStaff (staffNumber))
        for (const auto& bar : staff->bars)
            for (const auto& group : bar.noteGroups)
                for (const auto& note : group.notes)
                    texts.add (juce::String (note.pitch) + "/" + juce::String (note.diatonicPitch.value_or (-1)));

    return texts.joinIntoString (" ");
}

ScoreDocument makeRichScore()
{
    ScoreDocument score;
    score.title = "Rich \"test\" score";
    score.soundSet = "NotePerformer";
    score.tempoStart = 96.0;
    score.bars = {{1, 1, 1024, "4/4"}, {2, 2, 1024, "4/4"}, {3, 3, 768, "3/4"}, {4, 10, 1024, "4/4"}};

    Staff violin;
    violin.number = 1;
    violin.fullName = "Violin I";
    violin.shortName = "Vln. I";
    violin.styleId = "instrument.strings.violin";
    auto& vb1 = violin.getOrCreateBar (1);
    Note plain;
    plain.pitch = 67;
    Note shaped;
    shaped.pitch = 71;
    shaped.diatonicPitch = 41;
    shaped.playedVelocity = 96;
    shaped.playedDuration = 200;
    shaped.playedOffset = -12;
    vb1.noteGroups.push_back ({0, 256, {plain, shaped}});
    Note triplet;
    triplet.pitch = 69;
    triplet.tuplet = Tuplet{3, 2};
    vb1.noteGroups.push_back ({256, 85, {triplet}});
    vb1.midiMessages = {{0, "~C7,100"}, {512, "~-C7,90"}, {768, "~B0,64"}};
    violin.getOrCreateBar (3).midiMessages = {{0, "~N60,100"}, {256, "~N60,0"}};

    Staff cello;
    cello.number = 2;
    cello.fullName = "Violoncello";
    cello.shortName = "Vc.";
    cello.styleId = "instrument.strings.cello";
    cello.mute = MuteMode::halfMuted;
    cello.solo = true;
    cello.getOrCreateBar (2).noteGroups.push_back ({0, 1024, {Note{36}}});

    Staff empty;
    empty.number = 3;
    empty.fullName = "Percussion";
    empty.mute = MuteMode::muted;

    score.staves = {violin, cello, empty};
    score.chordSymbols = {{1, 1, 0, "Cmaj7"}, {1, 2, 512, "G7(b9)"}};
    score.keySignatures = {{1, 0, -3, true}, {3, 0, 2, false}};
    score.tempoMarks = {{1, 0, 96.0, "Andante", "", 0, false}, {3, 0, 60.0, "rit.", "S", 768, true}};
    score.tempoPoints = {{2, 0, 100.0, ReachShape::jump}, {4, 0, 120.5, ReachShape::ramp}};
    score.hitPoints = {{7, 2, 128, 3500, "Door slam"}};
    score.parts = {{"Violin I", {1}}, {"Low strings", {2, 3}}};
    score.pages = {Page::withEvenSystems (1, 2, 2), Page{3, 2, {{3, 2}}}};
    score.items = {{1, itemkind::chordDiagram, 1, 1, 0, 0, "Cmaj7", juce::JSON::parse (R"({"frets": [-1, 3, 2, 0, 1, 0], "barre": null})")},
                   {4, itemkind::glissando, 2, 2, 256, 512, "gliss.", {}},
                   {5, itemkind::text, 0, 4, 0, 0, juce::String::fromUTF8 ("a tempo \xc2\xb7 dolce"), juce::JSON::parse (R"({"style": "expression", "size": 1.5})")}};
    score.selection = {2, 3, {1, 2}};
    score.productStates["FK"] = "<FK_SCORE_STATE exportFolder=\"/tmp/x\"/>";
    score.pluginData["FK"] = juce::JSON::parse (R"({"stems": {"1": [1, 2], "2": [3]}, "nextId": 3})");
    score.pluginData["LV"] = juce::var ("plain text");
    return score;
}

SimHarness::SimHarness (ScoreDocument score, bool startServer)
    : host (std::move (score), log)
    , channel (suite.get(), FileChannel::defaultHostVersion, launcher, log)
    , engine (host, registry, log, &channel, FileChannel::defaultHostVersion)
    , server (engine, tokens, faults, log)
{
    registerAllPlugins (registry);
    faults.setRefuseCallback ([this] (bool refuse)
                              { server.setRefusing (refuse); });
    faults.setForgetTokensCallback ([this]
                                    { tokens.forgetAll(); });

    if (startServer)
        server.start (0);
}

SimHarness::~SimHarness()
{
    server.stop();
}

juce::Array<juce::var> SimHarness::events (const juce::String& kind) const
{
    juce::Array<juce::var> matching;

    for (const auto& e : log.getRecentEvents())
        if (e.getProperty ("event", {}).toString() == kind)
            matching.add (e);

    return matching;
}

bool SimHarness::waitForEvents (const juce::String& kind, int count, int timeoutMs) const
{
    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    while (events (kind).size() < count)
    {
        if (juce::Time::getMillisecondCounter() > deadline)
            return false;

        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }

    return true;
}
} // namespace hostsim::test
