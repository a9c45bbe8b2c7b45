// The key-change product's plug-in substitute: the selection's key as
// trigger data and after each selection, and the "KV.Apply" requests
// (transposition in both modes, written signatures, inserted signatures,
// playback, garbage).
#include "channel/ChannelFiles.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
/** Four bars for one saxophone in B-flat major, E-flat major from bar 3;
    bar 1 holds Bb4, D5, B4 and A4, each with its staff step. */
ScoreDocument saxInBFlat()
{
    ScoreDocument score;
    score.title = "Keys";

    for (int bar = 1; bar <= 4; ++bar)
        score.bars.push_back ({bar, bar, 1024, "4/4"});

    Staff sax;
    sax.number = 1;
    sax.fullName = "Alto Sax";
    auto& bar1 = sax.getOrCreateBar (1);
    const std::pair<int, int> notes[] = {{70, 41}, {74, 43}, {71, 41}, {69, 40}};

    for (int i = 0; i < 4; ++i)
        bar1.noteGroups.push_back ({i * 256, 256, {Note{notes[i].first, notes[i].second}}});

    // Without its staff step: spelled in the key (E-flat major) when read.
    sax.getOrCreateBar (3).noteGroups.push_back ({0, 256, {Note{63}}});
    score.staves.push_back (sax);
    score.keySignatures = {{1, 0, -2, true}, {3, 0, -3, true}};
    score.selection = {1, 4, {1}};
    return score;
}

struct KeyvanePluginFixture : ::testing::Test
{
    /** Leaves "KV.Apply|data" in the guest outbox and has the engine read it. */
    void apply (const juce::String& data)
    {
        ++guestId;
        const auto outbox = sim.stateFile (channel::guestOutboxFileName);
        outbox.getParentDirectory().createDirectory();
        outbox.appendText ("G" + juce::String (guestId) + ":KV.Apply|" + data + "\r\n", false, false, nullptr);
        EXPECT_EQ (sim.engine.handleGuestRequest(), 1);
    }

    /** "pitch/step" of every note of bar 1, then bar 3. */
    juce::String notes() const { return test::pitchesAndSteps (sim.host.getScore(), 1); }

    juce::String signatures() const
    {
        juce::StringArray texts;

        for (const auto& s : sim.host.getScore().keySignatures)
            texts.add (juce::String (s.bar) + ":" + juce::String (s.fifths) + (s.major ? "M" : "m"));

        return texts.joinIntoString (" ");
    }

    juce::String hostOutbox() const { return sim.stateFile (channel::hostOutboxFileName).loadFileAsString(); }

    test::SimHarness sim{saxInBFlat(), false};
    int guestId = 0;
};
} // namespace

TEST_F (KeyvanePluginFixture, ReportsTheSelectionsKeyAndAfterTheFirstTriggerEachNewOne)
{
    ASSERT_TRUE (sim.host.select ({3, 4, {1}}));
    EXPECT_EQ (hostOutbox(), "") << "no report before the user ran the plug-in";

    ASSERT_TRUE (sim.engine.runProductPlugin ("KV").wasOk());
    EXPECT_TRUE (hostOutbox().contains (R"(KV.USER_TRIGGER|{"srcKeyName": "Eb", "srcKeyIsMajor": true})")) << hostOutbox();

    ASSERT_TRUE (sim.host.select ({2, 2, {1}}));
    EXPECT_TRUE (hostOutbox().contains (R"(KV.UPDATE_SOURCE_KEY|{"srcKeyName": "Bb", "srcKeyIsMajor": true})")) << hostOutbox();
}

TEST_F (KeyvanePluginFixture, IntervalModeMovesEveryNoteByTheIntervalsStepsAndSemitones)
{
    apply (R"({"subAction": "TransposeMusic", "trWrittenSig": "0", "autoPlay": "0", "mode": "I", "itvType": "5", "itvDegree": "1"})");
    // Bb4 -> C5, D5 -> E5, B4 -> C#5, A4 -> B4; Eb4 (read in E-flat) -> F4.
    EXPECT_EQ (notes(), "72/42 76/44 73/42 71/41 65/38");
    EXPECT_EQ (signatures(), "1:-2M 3:-3M") << "written signatures stay";

    apply (R"({"subAction": "TransposeMusic", "trWrittenSig": "1", "autoPlay": "0", "mode": "I", "itvType": "4", "itvDegree": "-2"})");
    // Down a minor third: C5 -> A4, E5 -> C#5, C#5 -> A#4, B4 -> G#4, F4 -> D4.
    EXPECT_EQ (notes(), "69/40 73/42 70/40 68/39 62/36");
    EXPECT_EQ (signatures(), "1:1M 3:0M") << "both signatures lie in the selection: B-flat to G, E-flat to C";
}

TEST_F (KeyvanePluginFixture, KeyModeGoesTheNearerWayAndSignaturesFollowWhenAsked)
{
    apply (R"({"subAction": "TransposeMusic", "trWrittenSig": "1", "autoPlay": "0", "mode": "K", "destKeyName": "G", "destKeyType": "Major"})");
    // B-flat to G: down a minor third, not up a major sixth.
    EXPECT_EQ (notes(), "67/39 71/41 68/39 66/38 60/35");
    EXPECT_EQ (signatures(), "1:1M 3:0M");
}

TEST_F (KeyvanePluginFixture, InsertSignaturePlayAndGarbage)
{
    apply (R"({"subAction": "InsertSignature", "trWrittenSig": "0", "autoPlay": "0", "mode": "K", "destKeyName": "G", "destKeyType": "Major"})");
    EXPECT_EQ (signatures(), "1:1M 3:-3M");

    apply (R"({"subAction": "InsertSignature", "trWrittenSig": "0", "autoPlay": "0", "mode": "I", "itvType": "5", "itvDegree": "1", "destKeyName": "D"})");
    EXPECT_EQ (signatures(), "1:2M 3:-3M") << "the mode of the key in force";

    const auto before = sim.host.getScore();

    for (const auto* garbage : {"", "{", "[1]", R"({"subAction": "TransposeMusic", "mode": "I", "itvType": "", "itvDegree": ""})",
                                R"({"subAction": "TransposeMusic", "mode": "I", "itvType": "5", "itvDegree": "99999999999"})",
                                R"({"subAction": "InsertSignature", "mode": "K", "destKeyName": "H", "destKeyType": "Major"})",
                                R"({"subAction": "TransposeMusic", "mode": "K", "destKeyName": "G#", "destKeyType": "Major"})"})
    {
        apply (garbage);
        EXPECT_TRUE (sim.host.getScore().sameContent (before)) << garbage;
    }

    EXPECT_FALSE (sim.host.getPlaybackState().playing);
    ASSERT_TRUE (sim.host.select ({2, 3, {1}}));
    apply (R"({"subAction": "Play", "trWrittenSig": "0", "autoPlay": "1", "mode": "K", "destKeyName": "C", "destKeyType": "Major"})");
    EXPECT_TRUE (sim.host.getPlaybackState().playing);
    EXPECT_EQ (sim.host.getPlaybackState().bar, 2);
}
