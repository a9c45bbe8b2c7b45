// The stems export product's plug-in substitute: stems from the selection
// kept with the score, their removal, an export rendered stem by stem as
// deferred work with its status messages and audio files, the trigger data,
// and arguments that make no sense.
#include "channel/ChannelFiles.h"
#include "support/SimHarness.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
constexpr const char* plugin = "ORV_Forkel";

using test::object;

class ForkelPluginTest : public ::testing::Test
{
protected:
    ForkelPluginTest()
    {
        auto score = test::makeRichScore();
        score.file = folder.get().getChildFile ("Rich.sib");
        score.productStates["Forkel"] = "<SCORE_STATE exportFolder=\"/kept\"/>";
        score.pluginData.erase ("FK");
        sim = std::make_unique<test::SimHarness> (score, false);
    }

    juce::var call (const juce::String& method, const juce::var& argument) { return sim->engine.call (plugin, method, argument).result; }

    /** Exports and waits until the deferred work is done; the status messages posted. */
    juce::StringArray exportStems (const juce::var& argument)
    {
        lastReply = call ("exportStems", argument);
        EXPECT_TRUE (sim->engine.getDeferredWork().waitUntilIdle (30000));
        juce::StringArray messages;

        for (const auto& line : channel::splitLines (sim->stateFile (channel::hostOutboxFileName).loadFileAsString()))
            if (line.contains ("STEM_EXPORT_STATUS"))
                messages.add (line.fromFirstOccurrenceOf ("|", false, false));

        return messages;
    }

    juce::File exportFolder() const { return folder.get().getChildFile ("stems"); }

    juce::String stemsKept() const { return juce::JSON::toString (sim->host.getScore().pluginData["FK"]["stems"], true); }

    test::TempFolder folder;
    std::unique_ptr<test::SimHarness> sim;
    juce::var lastReply;
};
} // namespace

TEST_F (ForkelPluginTest, StemsFromTheSelectionAreKeptWithTheScore)
{
    const auto added = call ("addStemFromSelection", object ({{"newStemId", 3}}));
    EXPECT_EQ (juce::JSON::toString (added, true), R"({"staffCount": 2, "stemId": 3, "name": "Vln. I|Vc."})");
    EXPECT_EQ (stemsKept(), R"({"3": [1, 2]})");

    sim->host.withState ([] (HostState& state)
                         { state.score.selection = {}; });
    EXPECT_EQ (juce::JSON::toString (call ("addStemFromSelection", object ({{"newStemId", 4}})), true),
               R"({"staffCount": 0, "stemId": 0, "name": ""})");
    EXPECT_EQ (stemsKept(), R"({"3": [1, 2]})");

    EXPECT_EQ (juce::JSON::toString (call ("removeStem", object ({{"stemId", 3}})), true), R"({"stemId": 3})");
    EXPECT_EQ (stemsKept(), "{}");

    // The trigger: the score's folder, then the state the suite stored.
    EXPECT_EQ (sim->host.withState ([this] (const HostState& state)
                                    { return sim->registry.getTriggerData ("FK", state); }),
               folder.get().getFullPathName() + "|<SCORE_STATE exportFolder=\"/kept\"/>");
}

TEST_F (ForkelPluginTest, ExportRendersEachStemAndReportsItsProgress)
{
    call ("addStemFromSelection", object ({{"newStemId", 1}}));
    sim->host.withState ([] (HostState& state)
                         { state.score.selection = {1, 4, {2}}; });
    call ("addStemFromSelection", object ({{"newStemId", 2}}));

    const juce::Array<juce::var> stems{object ({{"id", 1}, {"name", "Vln-I_Vc"}}), object ({{"id", 2}, {"name", "Vc"}}),
                                       object ({{"id", 9}, {"name", "Unknown"}})};
    const auto messages = exportStems (object ({{"exportFolder", exportFolder().getFullPathName()}, {"stemList", stems}, {"sampleRate", "48khz"}, {"bitDepth", "24bit"}, {"bitRate", "Default"}, {"audioFormat", "Aiff"}}));
    EXPECT_EQ (lastReply["success"], juce::var (true));

    const auto first = exportFolder().getChildFile ("Vln-I_Vc.wav");
    const auto second = exportFolder().getChildFile ("Vc.wav");
    EXPECT_EQ (messages, (juce::StringArray{R"({"stemId": "1", "status": "Processing", "file": ""})",
                                            R"({"stemId": "1", "status": "Exported", "file": ")" + first.getFullPathName() + "\"}",
                                            R"({"stemId": "2", "status": "Processing", "file": ""})",
                                            R"({"stemId": "2", "status": "Exported", "file": ")" + second.getFullPathName() + "\"}",
                                            R"({"stemId": "9", "status": "Processing", "file": ""})",
                                            R"({"stemId": "9", "status": "Failed", "file": ""})"}))
        << messages.joinIntoString ("\n");

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();

    for (const auto& file : {first, second})
    {
        std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));
        ASSERT_NE (reader, nullptr) << file.getFullPathName();
        EXPECT_EQ (reader->sampleRate, 48000.0);
        EXPECT_EQ (reader->bitsPerSample, 24u);
        EXPECT_EQ (reader->numChannels, 2u);
        EXPECT_GT (reader->lengthInSamples, 48000);
    }

    // Only the cello plays in the second stem, the violin too in the first: the files differ.
    EXPECT_FALSE (first.hasIdenticalContentTo (second));
}

TEST_F (ForkelPluginTest, Mp3AndNonsenseFailWithoutFiles)
{
    call ("addStemFromSelection", object ({{"newStemId", 1}}));
    const juce::Array<juce::var> stems{object ({{"id", 1}, {"name", "Strings"}})};
    EXPECT_EQ (exportStems (object ({{"exportFolder", exportFolder().getFullPathName()}, {"stemList", stems}, {"audioFormat", "Mp3"}})),
               (juce::StringArray{R"({"stemId": "1", "status": "Processing", "file": ""})", R"({"stemId": "1", "status": "Failed", "file": ""})"}));
    EXPECT_FALSE (exportFolder().exists());

    EXPECT_EQ (call ("exportStems", object ({{"exportFolder", "relative"}, {"stemList", stems}}))["success"], juce::var (false));
    EXPECT_EQ (call ("exportStems", object ({{"exportFolder", exportFolder().getFullPathName()}}))["success"], juce::var (false));

    juce::Random random (31);
    const juce::var junk[] = {juce::var(), juce::var ("text"), juce::var (-1), juce::var (1.0e300), juce::var (juce::Array<juce::var>{1, "x"}),
                              object ({{"id", "1"}}), juce::var (std::numeric_limits<int>::max())};

    for (int round = 0; round < 200; ++round)
    {
        const auto pick = [&]
        { return junk[random.nextInt (static_cast<int> (std::size (junk)))]; };
        call ("addStemFromSelection", object ({{"newStemId", pick()}}));
        call ("removeStem", random.nextBool() ? pick() : object ({{"stemId", pick()}}));
        call ("exportStems", object ({{"exportFolder", random.nextBool() ? pick() : juce::var (exportFolder().getFullPathName())},
                                      {"stemList", juce::Array<juce::var>{object ({{"id", pick()}, {"name", pick()}})}}}));
    }

    ASSERT_TRUE (sim->engine.getDeferredWork().waitUntilIdle (30000));
    EXPECT_EQ (sim->events ("methodFailed").size(), 0);
}
