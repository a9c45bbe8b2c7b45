// The fetch reply read into the score: the shape the host sends, each kind
// of damage the reader tolerates, and randomised garbage (mutations of a real
// reply) that must neither crash the reader nor the generator after it.
#include "sd/ScoreLoader.h"
#include "sd/SdLine.h"

#include <gtest/gtest.h>

#include <random>

using namespace sd;

namespace
{
const char* const reply = R"json({
    "barList": [{"barNumber": 1, "length": 1024}, {"barNumber": 2, "length": 768}],
    "staffList": [{"staffNum": 2, "staffBarList": [
        {"barNumber": 1, "chordList": [
            {"name": "Cm7", "chromaticBass": 36, "diatonicBass": 21, "diatonicRoot": 28, "chromaticRoot": 48, "pos": 0,
             "pitchList": [48, 51, 55, 58], "suffixList": ["m", "7"]},
            {"name": "F7(b9)", "chromaticBass": 41, "diatonicBass": 24, "diatonicRoot": 31, "chromaticRoot": 53, "pos": 512,
             "pitchList": [53, 57, 60, 63, 66], "suffixList": ["7", "b9"]}]},
        {"barNumber": 2, "chordList": []}]}]})json";

juce::var parsed (const juce::String& text)
{
    return juce::JSON::parse (text);
}

juce::String summary (const Score& score)
{
    juce::StringArray out;

    for (const auto& bar : score.getBars())
        out.add ("bar " + juce::String (bar.getBarNumber()) + "/" + juce::String (bar.getLength()));

    for (const auto& staff : score.getStaves())
    {
        out.add ("staff " + juce::String (staff.getStaffNum()));

        for (const auto& chord : staff.getChords())
        {
            const auto& tree = chord.asChordTree();
            out.add (tree.getName() + "@" + juce::String (chord.getBarId()) + ":" + juce::String (chord.getPos()) + " bass " + juce::String (chord.getChromaticBass())
                     + " root " + juce::String (tree.getChromaticRoot()) + "/" + juce::String (tree.getDiatonicRoot()) + " [" + tree.getPitchList().toString() + "] ("
                     + tree.getSuffixListText() + ")");
        }
    }

    return out.joinIntoString ("; ");
}
} // namespace

TEST (SdScoreLoader, ReadsBarsStavesAndChordsWithTheirStaffBarsNumber)
{
    Score score;
    ScoreLoader::load (score, parsed (reply));
    EXPECT_EQ (summary (score), "bar 1/1024; bar 2/768; staff 2; Cm7@1:0 bass 36 root 48/28 [48,51,55,58] (m,7); "
                                "F7(b9)@1:512 bass 41 root 53/31 [53,57,60,63,66] (7,b9)");

    // A second load replaces the first.
    ScoreLoader::load (score, parsed (R"({"barList": [{"barNumber": 9, "length": 512}], "staffList": []})"));
    EXPECT_EQ (summary (score), "bar 9/512");
}

TEST (SdScoreLoader, ToleratesDamagedReplies)
{
    const struct
    {
        const char* json;
        const char* expected;
    } table[] = {
        {"null", ""},
        {"[1, 2]", ""},
        {R"("barList")", ""},
        {R"({"barList": 5, "staffList": [{"staffNum": 1}]})", "staff 1"},
        {R"({"barList": [3, {"barNumber": 4, "length": 1024}, null], "staffList": {"staffNum": 1}})", "bar 4/1024"},
        {R"({"staffList": [7, {"staffNum": 3, "staffBarList": [[], {"barNumber": 5, "chordList": ["C", {"name": "C", "pitchList": [48, "x", 52.4, null], "suffixList": ["maj", 7, "huh"]}]}]}]})",
         "staff 3; C@5:0 bass 0 root 0/0 [48,52] (maj)"},
        {R"({"staffList": [{"staffNum": "2", "staffBarList": [{"barNumber": 1.6, "chordList": [{"pos": "256", "pitchList": "48,52"}]}]}]})",
         "staff 2; @2:256 bass 0 root 0/0 [] ()"},
    };

    for (const auto& row : table)
    {
        Score score;
        ScoreLoader::load (score, parsed (row.json));
        EXPECT_EQ (summary (score), row.expected) << row.json;
    }
}

TEST (SdScoreLoader, SurvivesRandomisedGarbageAndTheLineStaysInRange)
{
    std::mt19937 random (7);
    auto pick = [&] (int n)
    { return std::uniform_int_distribution<int> (0, n - 1) (random); };

    std::function<juce::var (int)> garbage = [&] (int depth) -> juce::var
    {
        switch (pick (depth > 2 ? 6 : 8))
        {
            case 0:
                return {};
            case 1:
                return pick (2) == 0;
            case 2:
                return std::numeric_limits<int>::min() + pick (3);
            case 3:
                return juce::var (static_cast<double> (pick (200000) - 100000) / 7.0);
            case 4:
                return juce::String ("x") + juce::String (pick (100));
            case 5:
                return pick (2000) - 1000;
            case 6:
            {
                juce::Array<juce::var> array;
                for (int i = pick (4); i > 0; --i)
                    array.add (garbage (depth + 1));
                return array;
            }
            default:
            {
                auto* object = new juce::DynamicObject();
                const juce::var value (object);
                for (const auto* key : {"barNumber", "length", "pos", "pitchList", "chordList", "staffBarList", "chromaticBass", "chromaticRoot", "diatonicRoot"})
                    if (pick (2) == 0)
                        object->setProperty (key, garbage (depth + 1));
                return value;
            }
        }
    };

    // Replaces, drops or adds one value somewhere in the tree.
    std::function<void (juce::var&, int)> mutate = [&] (juce::var& node, int depth)
    {
        if (auto* object = node.getDynamicObject(); object != nullptr && object->getProperties().size() > 0 && pick (4) != 0)
        {
            auto& properties = object->getProperties();
            const auto index = pick (properties.size());
            const auto name = properties.getName (index);

            if (pick (6) == 0)
                object->removeProperty (name);
            else if (pick (3) == 0 || depth > 8)
                object->setProperty (name, garbage (0));
            else
                mutate (*properties.getVarPointerAt (index), depth + 1);

            return;
        }

        if (auto* array = node.getArray(); array != nullptr && !array->isEmpty() && pick (4) != 0)
        {
            auto& element = array->getReference (pick (array->size()));

            if (pick (3) == 0 || depth > 8)
                element = garbage (0);
            else
                mutate (element, depth + 1);

            return;
        }

        node = garbage (0);
    };

    SdState state;
    SdLine line (state.getTree());
    line.setPitchRange (28, 55);

    for (int run = 0; run < 3000; ++run)
    {
        auto value = parsed (reply);

        for (int m = 1 + pick (4); m > 0; --m)
            mutate (value, 0);

        Score score;
        ScoreLoader::load (score, value);

        for (const auto& staff : score.getStaves())
        {
            line.generate (score, staff);

            for (const auto& staffBar : staff.getStaffBars())
                for (const auto& note : staffBar.getNotes())
                    ASSERT_TRUE (note.getPitch() >= 28 && note.getPitch() <= 55) << "run " << run << ": " << juce::JSON::toString (value, true);
        }
    }
}
