#include "../../../../bench/ScorePayloadGenerator.h"
#include "TestOrvana.h"
#include "orv/score/io/PitchBendMapping.h"
#include "orv/score/io/TempoCurveLoader.h"
#include "support/LogCapture.h"
#include "support/RandomRounds.h"
#include "utils/Midi.h"

#include <gtest/gtest.h>

#include <set>

using Mode = orv::score::io::ScoreLoader::DecodeMode;

namespace
{
// What must hold after any load, whatever the payload was.
bool isController (int number)
{
    return number == utils::midi::pitchBendControlNum || (number >= 0 && number <= utils::midi::maxControllerNum);
}

void checkInvariants (orv::Score& score)
{
    const auto notePerformer = score.getOrCreateSoundSet().isNotePerformer();
    int previousBar = std::numeric_limits<int>::min();
    int64_t expectedPosition = 0;

    for (int i = 0; i < score.getNumBars(); ++i)
    {
        const auto bar = score.getBarAt (i);
        ASSERT_TRUE (i == 0 || bar.getId() > previousBar) << "bars sorted and unique";
        ASSERT_EQ (bar.getGlobalPos(), expectedPosition);
        ASSERT_GE (bar.getLength(), 0);
        previousBar = bar.getId();
        expectedPosition += bar.getLength();
    }

    std::set<int> trackIds;

    for (auto track : score.getTracks())
    {
        ASSERT_TRUE (trackIds.insert (track.getId()).second) << "tracks unique";
        std::set<int> controllers;

        for (const auto& curve : track.getCurves())
        {
            const auto controller = curve.getControlNum();
            ASSERT_TRUE (controllers.insert (controller).second) << "one curve per controller";
            ASSERT_TRUE (isController (controller)) << controller;
            const auto maxValue = controller == utils::midi::pitchBendControlNum ? orv::midi::pitchBendMax (notePerformer) : utils::midi::maxControllerValue;

            for (int n = 0; n < curve.getNumNodes(); ++n)
            {
                const auto value = curve.getNode (n).getVal();
                ASSERT_TRUE (value >= 0 && value <= maxValue) << "controller " << controller << ": " << value << ", never a clear node";
                ASSERT_TRUE (n == 0 || curve.getNode (n - 1).getPoser() < curve.getNode (n).getPoser()) << "nodes sorted and unique";
            }
        }

        for (const auto& list : {orv::ids::LEFTWINGNODELIST, orv::ids::RIGHTWINGNODELIST})
            for (const auto& wing : track.getState().getChildWithName (list))
                ASSERT_TRUE (isController (wing[orv::ids::controlNum])) << "a wing of " << wing[orv::ids::controlNum].toString().toStdString();

        const auto trackBars = track.getTrackBarList();

        for (int b = 1; b < trackBars.getNumChildren(); ++b)
            ASSERT_LT (orv::TrackBar (trackBars.getChild (b - 1)).getBarId(), orv::TrackBar (trackBars.getChild (b)).getBarId());
    }

    const auto tempo = score.getOrCreateTempoCurve();

    for (int p = 1; p < tempo.getNumPoints(); ++p)
        ASSERT_TRUE (tempo.getPoint (p - 1).getPoser() <= tempo.getPoint (p).getPoser());

    auto hits = score.getOrCreateHitPointList();

    for (int h = 0; h < hits.size(); ++h)
        ASSERT_TRUE (score.getBar (hits.getHitPoint (h).getBar()).isValid());
}

juce::var hostileValue (juce::Random& rng)
{
    constexpr auto maxInt64 = std::numeric_limits<juce::int64>::max();
    const juce::var values[] = {"text", juce::String (rng.nextInt (20) - 5), rng.nextBool() ? maxInt64 : -maxInt64 - 1,
                                rng.nextBool() ? 1.0e300 : -1.0e300, std::numeric_limits<double>::quiet_NaN(), -rng.nextInt (5000),
                                juce::Array<juce::var>{1, "2", juce::var()}, new juce::DynamicObject(), rng.nextBool(), juce::var(),
                                "~-C" + juce::String (rng.nextInt (200) - 50) + "," + juce::String (rng.nextInt (300) - 100), rng.nextInt (40)};
    return values[rng.nextInt (static_cast<int> (std::size (values)))];
}

// Every slot of the tree: an object property or an array element.
struct Slot
{
    juce::var container;
    juce::Identifier key;
    int index = -1;
};

void collectSlots (const juce::var& value, std::vector<Slot>& slots)
{
    if (auto* object = value.getDynamicObject())
    {
        for (const auto& property : object->getProperties())
        {
            slots.push_back ({value, property.name, -1});
            collectSlots (property.value, slots);
        }
    }
    else if (auto* array = value.getArray())
    {
        for (int i = 0; i < array->size(); ++i)
        {
            slots.push_back ({value, {}, i});
            collectSlots (array->getReference (i), slots);
        }
    }
}

void mutate (juce::var& root, juce::Random& rng)
{
    std::vector<Slot> slots;
    collectSlots (root, slots);

    if (slots.empty())
        return;

    for (int edits = 1 + rng.nextInt (6); --edits >= 0;)
    {
        auto& slot = slots[static_cast<size_t> (rng.nextInt (static_cast<int> (slots.size())))];

        if (slot.index < 0)
        {
            slot.container.getDynamicObject()->setProperty (slot.key, hostileValue (rng));
            continue;
        }

        auto* array = slot.container.getArray();

        if (slot.index >= array->size())
            continue;

        switch (rng.nextInt (4))
        {
            case 0: // reversed: bars, notes and commands going backwards
                std::reverse (array->begin(), array->end());
                break;
            case 1: // repeated
            {
                // A copy: adding a reference into the array it may reallocate would read freed memory.
                const auto copy = array->getReference (slot.index);
                array->add (copy);
            }
            break;
            case 2:
                array->remove (slot.index);
                break;
            default:
                array->set (slot.index, hostileValue (rng));
                break;
        }

        // The slots below a changed array may be gone: collect them again.
        slots.clear();
        collectSlots (root, slots);

        if (slots.empty())
            return;
    }
}
} // namespace

// Payloads of the wrong shape at any level load what they can and leave a
// model whose invariants hold.
TEST (LoaderMutation, HostileValuesKeepTheModelSound)
{
    orvbench::PayloadShape shape;
    shape.staves = 3;
    shape.bars = 8;
    shape.notesPerBar = 4;
    const auto text = orvbench::makeScorePayload (shape);
    juce::Random rng (8080);
    TestOrvana orvana;
    const testsupport::ScopedLogCapture quiet; // the loader names what it drops, once per load

    for (int round = 0; round < testsupport::randomRounds (600); ++round)
    {
        auto payload = utils::json::parse (text);
        mutate (payload, rng);

        orv::score::io::ScoreLoader loader (orvana.score, orvana);
        loader.load (payload, rng.nextBool() ? Mode::load : Mode::reload);
        checkInvariants (orvana.score);

        orv::score::io::TempoCurveLoader::applyRestoreMarkReply (payload["tempoCurve"]["points"], orvana.score);
        checkInvariants (orvana.score);

        if (testing::Test::HasFatalFailure())
        {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

// Very many bars, staves and commands arriving backwards load in O(n log n):
// this finishes in well under a second however the entries are ordered.
TEST (LoaderMutation, BackwardsAndRepeatedEntriesLoad)
{
    // Built as std::string: appending to a juce::String copies it each time.
    std::string bars, staves, commands;

    for (int bar = 20000; bar >= 1; --bar)
        bars += (bar < 20000 ? "," : "") + std::string (R"({"barNumber":)") + std::to_string (bar) + R"(,"length":)" + (bar % 3 == 0 ? "-7" : "100") + "}";

    for (int pos = 5000; pos >= 0; --pos)
        commands += (pos < 5000 ? "," : "") + std::string (R"({"position":)") + std::to_string (pos) + R"(,"text":"~C)" + std::to_string (pos % 128) + R"(,1"})";

    for (int staff = 3000; staff >= 1; --staff)
        staves += (staff < 3000 ? "," : "") + std::string (R"({"header":{"staffNum":)") + std::to_string (staff % 1500) + R"(},"staffBarList":[{"barNumber":)" + std::to_string (staff) + "}]}";

    const auto text = juce::String (R"({"soundSet":"x","barList":[)" + bars + R"(],"staffList":[)" + staves
                                    + R"(,{"header":{"staffNum":1},"staffBarList":[{"barNumber":2,"commandList":[)" + commands + "]}]}]}");

    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (text));
    checkInvariants (orvana.score);
    EXPECT_EQ (orvana.score.getNumBars(), 20000);
    EXPECT_EQ (orvana.score.getTracks().size(), 1500u);
    EXPECT_EQ (orvana.score.getTrack (1).getCurves().size(), 128u);
    EXPECT_EQ (orvana.score.getTotalTicks(), 100 * (20000 - 20000 / 3));
}
