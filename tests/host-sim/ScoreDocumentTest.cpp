#include "music/ChordReader.h"
#include "score/ScoreGenerator.h"
#include "score/ScoreJson.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

#include <map>

using namespace hostsim;

namespace
{
juce::File scoresDir()
{
    return juce::File (HOST_SIM_TEST_SCORES_DIR);
}

/** The rich score's JSON with one field replaced, for the error cases. */
juce::String richJsonWith (const juce::String& from, const juce::String& to)
{
    const auto text = scorejson::toJson (test::makeRichScore());
    EXPECT_TRUE (text.contains (from)) << from;
    return text.replace (from, to);
}
} // namespace

TEST (ScoreDocument, RoundTripKeepsEveryField)
{
    const auto score = test::makeRichScore();
    const auto text = scorejson::toJson (score);

    ScoreDocument back;
    const auto result = scorejson::parse (text, back);
    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
    EXPECT_TRUE (back == score);
    EXPECT_EQ (scorejson::toJson (back), text);

    // Spot checks that the comparison itself sees the fields.
    EXPECT_EQ (back.staves[0].bars[0].noteGroups[0].notes[1].playedOffset, -12);
    EXPECT_FALSE (back.staves[0].bars[0].noteGroups[0].notes[0].playedVelocity.has_value());
    EXPECT_EQ (back.staves[0].bars[0].noteGroups[1].notes[0].tuplet, (Tuplet{3, 2}));

    auto changed = back;
    changed.staves[0].bars[0].midiMessages[1].text = "~C7,91";
    EXPECT_FALSE (changed == score);
}

TEST (ScoreDocument, ErrorsNameTheOffendingFieldAndLeaveTheDocumentAlone)
{
    struct Case
    {
        juce::String from, to, expectedPath;
    };

    const Case cases[] = {
        {"\"number\": 2, \"externalNumber\": 2", "\"number\": 5, \"externalNumber\": 2", "bars[1].number"},
        {"\"length\": 768", "\"length\": 0", "bars[2].length"},
        {"\"meter\": \"3/4\"", "\"meter\": \"3-4\"", "bars[2].meter"},
        {"{\"pitch\": 67}", "{\"pitch\": 128}", "staves[0].bars[0].noteGroups[0].notes[0].pitch"},
        {"{\"pitch\": 67}", "{\"pitch\": \"G4\"}", "staves[0].bars[0].noteGroups[0].notes[0].pitch"},
        {"\"mute\": \"halfMuted\"", "\"mute\": \"loud\"", "staves[1].mute"},
        {"{\"bar\": 2, \"noteGroups\"", "{\"bar\": 9, \"noteGroups\"", "staves[1].bars[0].bar"},
        {"{\"staff\": 1, \"bar\": 1, \"position\": 0, \"name\": \"Cmaj7\"}", "{\"staff\": 4, \"bar\": 1, \"position\": 0, \"name\": \"Cmaj7\"}", "chordSymbols[0].staff"},
        {"\"fifths\": -3", "\"fifths\": -8", "keySignatures[0].fifths"},
        {"\"shape\": \"ramp\"", "\"shape\": \"curve\"", "tempoPoints[1].shape"},
        {"\"selection\": {\"firstBar\": 2, \"lastBar\": 3", "\"selection\": {\"firstBar\": 3, \"lastBar\": 2", "selection.lastBar"},
        {"\"staves\": [2, 3]", "\"staves\": [2, 7]", "parts[1].staves[1]"},
        {"\"version\": 1", "\"version\": 2", "version"},
        {R"({"id": 4,)", R"({"id": 1,)", "items[1].id"},
        {R"("kind": "glissando")", R"("kind": "")", "items[1].kind"},
        {R"("kind": "glissando", "staff": 2)", R"("kind": "glissando", "staff": 9)", "items[1].staff"},
        {R"("kind": "glissando", "staff": 2, "bar": 2)", R"("kind": "glissando", "staff": 2, "bar": 12)", "items[1].bar"},
        {R"("text": "gliss.")", R"("text": "gliss.", "properties": [1])", "items[1].properties"},
        {R"({"firstBar": 2, "barCount": 1}])", R"({"firstBar": 3, "barCount": 1}])", "pages[0].systems"},
        {R"("systemCount": 2, "systems")", R"("systemCount": 3, "systems")", "pages[0].systemCount"},
        {R"({"firstBar": 3, "barCount": 2, "systemCount": 1)", R"({"firstBar": 3, "barCount": 3, "systemCount": 1)", "pages[1].barCount"},
        {R"({"firstBar": 3, "barCount": 2, "systemCount": 1, "systems": [{"firstBar": 3, "barCount": 2}])",
         R"({"firstBar": 2, "barCount": 2, "systemCount": 1, "systems": [{"firstBar": 2, "barCount": 2}])", "pages[1].firstBar"},
        {R"("pluginData": {)", R"("pluginData": 5, "x": {)", "pluginData"},
    };

    for (const auto& c : cases)
    {
        ScoreDocument out;
        out.title = "untouched";
        const auto result = scorejson::parse (richJsonWith (c.from, c.to), out);
        EXPECT_TRUE (result.failed()) << c.to;
        EXPECT_TRUE (result.getErrorMessage().startsWith (c.expectedPath + ":")) << result.getErrorMessage();
        EXPECT_EQ (out.title, "untouched");
    }

    ScoreDocument out;
    EXPECT_TRUE (scorejson::parse ("{\"title\": \"no bars\"}", out).getErrorMessage().startsWith ("bars:"));
    EXPECT_TRUE (scorejson::parse ("[1, 2]", out).failed());
    EXPECT_TRUE (scorejson::parse ("", out).failed());
}

TEST (ScoreDocument, SurvivesGarbageAndMutatedDocuments)
{
    const auto valid = scorejson::toJson (test::makeRichScore());
    juce::Random random (4242);
    const char alphabet[] = "{}[]\":,0123456789-.eE tnrufals\\";

    for (int round = 0; round < 400; ++round)
    {
        auto text = valid;

        // Mutate a few characters, cut the text, or both.
        for (int i = 0, n = 1 + random.nextInt (6); i < n; ++i)
        {
            const auto at = random.nextInt (text.length());
            const auto c = alphabet[random.nextInt (static_cast<int> (sizeof (alphabet)) - 1)];
            text = text.substring (0, at) + juce::String::charToString (static_cast<juce::juce_wchar> (c)) + text.substring (at + 1);
        }

        if (random.nextInt (4) == 0)
            text = text.substring (0, random.nextInt (text.length()));

        ScoreDocument out;

        if (scorejson::parse (text, out).wasOk())
        {
            // Whatever was accepted must be a document the writer can reproduce.
            ScoreDocument again;
            ASSERT_TRUE (scorejson::parse (scorejson::toJson (out), again).wasOk());
            EXPECT_TRUE (again == out);
        }
    }

    for (int round = 0; round < 200; ++round)
    {
        juce::String text;

        for (int i = 0, n = random.nextInt (300); i < n; ++i)
            text << juce::String::charToString (static_cast<juce::juce_wchar> (alphabet[random.nextInt (static_cast<int> (sizeof (alphabet)) - 1)]));

        ScoreDocument out;
        scorejson::parse (text, out);
    }

    ScoreDocument out;
    EXPECT_TRUE (scorejson::parse ("{\"bars\": [{\"number\": 1, \"length\": 99999999999999999999999}]}", out).failed());
    EXPECT_TRUE (scorejson::parse (juce::String::repeatedString ("[", 100000), out).failed());
}

TEST (ScoreDocument, DemoScoresLoadAndCarryWhatTheyPromise)
{
    ScoreDocument lead;
    const auto leadResult = scorejson::load (scoresDir().getChildFile ("lead-sheet.json"), lead);
    ASSERT_TRUE (leadResult.wasOk()) << leadResult.getErrorMessage();
    EXPECT_GE (lead.chordSymbols.size(), 8u);
    EXPECT_GE (lead.keySignatures.size(), 3u) << "the lead sheet changes key and comes back";
    int slashed = 0, altered = 0;

    for (const auto& chord : lead.chordSymbols)
    {
        const auto read = music::readChord (chord.name);
        ASSERT_TRUE (read.has_value()) << chord.name;
        slashed += read->bass ? 1 : 0;
        altered += read->suffixes.joinIntoString (" ").containsAnyOf ("#b") || read->suffixes.contains ("alt") ? 1 : 0;
    }

    EXPECT_GE (slashed, 4);
    EXPECT_GE (altered, 8);

    ScoreDocument orchestra;
    const auto orchestraResult = scorejson::load (scoresDir().getChildFile ("orchestral.json"), orchestra);
    ASSERT_TRUE (orchestraResult.wasOk()) << orchestraResult.getErrorMessage();
    EXPECT_GE (orchestra.staves.size(), 18u);
    EXPECT_LE (orchestra.staves.size(), 24u);

    std::map<juce::juce_wchar, int> kinds; // controller, pitch-bend and phantom-note messages
    int noteOffs = 0;

    for (const auto& staff : orchestra.staves)
        for (const auto& bar : staff.bars)
            for (const auto& m : bar.midiMessages)
            {
                ++kinds[m.text.trimCharactersAtStart ("~-")[0]];
                noteOffs += m.text.contains ("N") && m.text.endsWith (",0") ? 1 : 0;
            }

    EXPECT_GT (kinds['C'], 10);
    EXPECT_GT (kinds['B'], 3);
    EXPECT_GT (kinds['N'], 4);
    EXPECT_EQ (kinds['N'], 2 * noteOffs) << "every phantom note is closed";
    EXPECT_FALSE (orchestra.tempoMarks.empty() || orchestra.tempoPoints.empty() || orchestra.hitPoints.empty());

    for (const auto* score : {&lead, &orchestra})
    {
        ScoreDocument again;
        ASSERT_TRUE (scorejson::parse (scorejson::toJson (*score), again).wasOk());
        EXPECT_TRUE (again == *score);
    }
}

TEST (ScoreDocument, GeneratorMakesTheAskedSizesDeterministically)
{
    const auto score = ScoreGenerator::generate (7, 13, 5);
    ASSERT_EQ (score.staves.size(), 7u);
    ASSERT_EQ (score.bars.size(), 13u);
    EXPECT_EQ (score.countNotes(), 7u * 13u * 5u);
    EXPECT_EQ (score.totalTicks(), 13 * 1024);

    for (const auto& staff : score.staves)
    {
        ASSERT_EQ (staff.bars.size(), 13u);

        for (const auto& bar : staff.bars)
        {
            ASSERT_EQ (bar.noteGroups.size(), 5u);
            EXPECT_LT (bar.noteGroups.back().position + bar.noteGroups.back().duration, 1025);
        }
    }

    EXPECT_TRUE (ScoreGenerator::generate (7, 13, 5) == score);
    EXPECT_FALSE (ScoreGenerator::generate (7, 13, 5, 2) == score);
    EXPECT_EQ (ScoreGenerator::generate (1, 1, 0).countNotes(), 0u);

    ScoreDocument back;
    ASSERT_TRUE (scorejson::parse (scorejson::toJson (score), back).wasOk());
    EXPECT_TRUE (back == score);
}

TEST (ScoreDocument, PositionsKeysAndMeters)
{
    const auto score = test::makeRichScore();
    EXPECT_EQ (score.barStartTick (3), 2048);
    EXPECT_EQ (score.barStartTick (9), -1);
    EXPECT_EQ (score.totalTicks(), 1024 * 3 + 768);
    EXPECT_EQ (score.tickToBarPosition (2048 + 767), std::make_pair (3, 767));
    EXPECT_EQ (score.tickToBarPosition (2048 + 768), std::make_pair (4, 0));
    EXPECT_EQ (score.tickToBarPosition (1 << 30), std::make_pair (4, 1024));

    ASSERT_NE (score.keyAt (2, 500), nullptr);
    EXPECT_EQ (score.keyAt (2, 500)->getKeyName(), "Eb");
    EXPECT_EQ (score.keyAt (4, 0)->getKeyName(), "B");
    EXPECT_EQ ((KeySignature{1, 0, 6, true}).getKeyName(), "F#");
    EXPECT_EQ ((KeySignature{1, 0, -7, false}).getKeyName(), "Ab");

    EXPECT_EQ (parseMeter ("6/8"), std::make_pair (6, 8));
    EXPECT_FALSE (parseMeter ("0/4").has_value());
    EXPECT_FALSE (parseMeter ("4/").has_value());
    EXPECT_FALSE (parseMeter ("x/4").has_value());
    EXPECT_FALSE (parseMeter ("44").has_value());
}

TEST (ScoreDocument, ItemsSystemsAndPluginDataAreSeenAndKept)
{
    const auto score = test::makeRichScore();
    const auto text = scorejson::toJson (score);
    EXPECT_TRUE (text.contains (R"("systems": [{"firstBar": 1, "barCount": 1}, {"firstBar": 2, "barCount": 1}])"));
    EXPECT_TRUE (text.contains (R"("kind": "harpPedalDiagram")") || text.contains (R"("kind": "glissando")"));
    EXPECT_TRUE (text.contains (R"("pluginData": {)"));

    const std::vector<std::function<void (ScoreDocument&)>> changes{
        [] (ScoreDocument& s)
        { s.items[0].properties = juce::JSON::parse (R"({"frets": [0, 3, 2, 0, 1, 0]})"); },
        [] (ScoreDocument& s)
        { s.items[1].duration = 511; },
        [] (ScoreDocument& s)
        { s.items[2].staff = 1; },
        [] (ScoreDocument& s)
        { s.pages[0] = Page{1, 2, {{1, 2}}}; },
        [] (ScoreDocument& s)
        { s.pluginData["FK"] = juce::JSON::parse (R"({"stems": {"1": [1]}, "nextId": 3})"); },
        [] (ScoreDocument& s)
        { s.pluginData.erase ("LV"); },
    };

    for (size_t i = 0; i < changes.size(); ++i)
    {
        auto changed = score;
        changes[i](changed);
        EXPECT_FALSE (changed == score) << "change " << i;
        EXPECT_FALSE (changed.sameContent (score)) << "change " << i;

        ScoreDocument back;
        ASSERT_TRUE (scorejson::parse (scorejson::toJson (changed), back).wasOk());
        EXPECT_TRUE (back == changed) << "change " << i;
    }

    // Where the document lives, its selection and stored states are not its content.
    auto moved = score;
    moved.file = juce::File ("/tmp/elsewhere.json");
    EXPECT_TRUE (moved == score);
    moved.selection = {};
    moved.productStates.clear();
    EXPECT_TRUE (moved.sameContent (score));
    EXPECT_FALSE (moved == score);

    // A layout written with system counts only is split evenly.
    ScoreDocument old;
    ASSERT_TRUE (scorejson::parse (R"({"bars": [{"number": 1, "length": 1024}, {"number": 2, "length": 1024}, {"number": 3, "length": 1024}],
                                       "pages": [{"firstBar": 1, "barCount": 3, "systemCount": 2}]})",
                                   old)
                     .wasOk());
    EXPECT_EQ (old.pages[0].systems, (std::vector<System>{{1, 2}, {3, 1}}));
}

TEST (ScoreDocument, LayoutAndItemHelpers)
{
    EXPECT_EQ (Page::withEvenSystems (1, 10, 3).systems, (std::vector<System>{{1, 4}, {5, 3}, {8, 3}}));
    EXPECT_EQ (Page::withEvenSystems (5, 2, 3).systems, (std::vector<System>{{5, 1}, {6, 1}})) << "no system without bars";
    EXPECT_EQ (Page::withEvenSystems (1, 4, 0).systems, (std::vector<System>{{1, 4}}));
    EXPECT_TRUE (Page::withEvenSystems (3, 9, 4).checkSystems().isEmpty());
    EXPECT_FALSE ((Page{1, 4, {{1, 2}, {4, 1}}}).checkSystems().isEmpty()) << "a gap";
    EXPECT_FALSE ((Page{1, 4, {{1, 2}, {3, 3}}}).checkSystems().isEmpty()) << "beyond the page";
    EXPECT_FALSE ((Page{1, 4, {}}).checkSystems().isEmpty());

    auto score = test::makeRichScore();
    EXPECT_EQ (score.systemOfBar (2), std::make_pair (0, 1));
    EXPECT_EQ (score.systemOfBar (4), std::make_pair (1, 0));
    EXPECT_FALSE (score.systemOfBar (5).has_value());

    EXPECT_EQ (score.addItem ({99, itemkind::fingeringDiagram, 1, 1, 512, 0, "A4", {}}), 6) << "ids continue after the highest";
    EXPECT_TRUE (score.removeItem (4));
    EXPECT_FALSE (score.removeItem (4));
    EXPECT_EQ (score.addItem ({0, itemkind::text, 1, 2, 0, 0, "later", {}}), 7);
    EXPECT_EQ (score.findItem (6)->text, "A4");
    EXPECT_EQ (score.findItem (4), nullptr);

    juce::StringArray found;

    for (const auto* item : score.itemsIn ({}, 1, 1, 2))
        found.add (item->text);

    EXPECT_EQ (found, (juce::StringArray{"Cmaj7", "A4", "later"})) << "in score order";
    EXPECT_EQ (score.itemsIn (itemkind::fingeringDiagram, 0, 1, 4).size(), 1u);
    EXPECT_EQ (score.itemsIn ({}, 0, 4, 4).size(), 1u) << "staff 0 asks for every staff";

    auto unlaid = ScoreGenerator::generate (1, 30, 0);
    unlaid.pages.clear();
    const auto layout = unlaid.layoutOrDefault (3);
    ASSERT_EQ (layout.size(), 3u);
    EXPECT_EQ (layout[0].systems, (std::vector<System>{{1, 4}, {5, 4}, {9, 4}}));
    EXPECT_EQ (layout[2].firstBar, 25);
    EXPECT_EQ (layout[2].systems.size(), 2u);
    EXPECT_TRUE (layout[2].checkSystems().isEmpty());
}
