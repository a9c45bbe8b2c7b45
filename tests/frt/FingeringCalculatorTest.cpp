// The fingering search: the cases of the shapes it must accept and reject,
// a hand table of standard chord charts it must find, and for every root and
// suffix in two tunings that each variation sounds exactly the chord's
// classes through its diagram, is playable, is ranked, and comes out the
// same on every run.
#include "frt/FingeringCalculator.h"
#include "../../bench/FrettleChords.h"

#include <gtest/gtest.h>

#include <set>

using namespace frt;
using Calc = FingeringCalculator;

namespace
{
/** Frets from a chart written string 6 to string 1: "x32010". */
Calc::Frets chart (const std::string& text)
{
    Calc::Frets frets;
    frets.values.fill (-1);
    frets.count = static_cast<int> (text.size());

    for (size_t i = 0; i < text.size(); ++i)
        frets.values[i] = text[i] == 'x' ? -1 : text[i] - '0';

    return frets;
}

std::string chartOf (const Calc::Frets& frets)
{
    std::string text;

    for (int i = 0; i < frets.count; ++i)
        text += frets.values[static_cast<size_t> (i)] < 0 ? 'x' : static_cast<char> ('0' + frets.values[static_cast<size_t> (i)]);

    return text;
}

std::vector<Calc::FingeringInfo> candidatesOf (const std::vector<int>& pitches, const FretboardSetup& setup = {})
{
    return Calc (setup).findRankedCandidates (Calc::makeSimpleChord ("chord", pitches));
}

const Calc::FingeringInfo* find (const std::vector<Calc::FingeringInfo>& candidates, const std::string& text)
{
    for (const auto& info : candidates)
        if (chartOf (info.frets) == text)
            return &info;

    return nullptr;
}
} // namespace

TEST (FingeringCalculator, ShapesAreJudgedByTheirSpanMutedInnerStringsAndBarres)
{
    struct Case
    {
        const char* frets;
        bool valid;
    };

    for (const auto& c : {Case{"x32010", true}, Case{"3x2010", false}, Case{"1xxxx5", false}, Case{"x1xxx5", false},
                          Case{"xx1234", true}, Case{"xx1235", false}, Case{"000000", true}, Case{"xxxxx0", true},
                          Case{"x0xxx0", false}, Case{"xxxxxx", true}, Case{"x5558x", true}, Case{"x5559x", false}})
        EXPECT_EQ (Calc::isValid (chart (c.frets)), c.valid) << c.frets;

    struct Fingers
    {
        const char* frets;
        bool barre;
        int barreFret;
        int fingers;
    };

    for (const auto& c : {Fingers{"133211", true, 1, 4}, Fingers{"022100", false, 0, 3}, Fingers{"x02210", false, 0, 3},
                          Fingers{"x13331", true, 1, 4}, Fingers{"011000", false, 0, 2}, Fingers{"x35553", true, 3, 4},
                          Fingers{"000000", false, 0, 0}, Fingers{"x33xxx", true, 3, 1}, Fingers{"355433", true, 3, 4}})
    {
        const auto info = Calc::analyzeFingers (chart (c.frets));
        EXPECT_EQ (info.barre, c.barre) << c.frets;
        EXPECT_EQ (info.barreFret, c.barreFret) << c.frets;
        EXPECT_EQ (info.fingers, c.fingers) << c.frets;
    }

    // A barre on the lowest fret is shown as the barre alone, its spots taken.
    const auto f = Calc::toAppFingering (Calc::analyzeFingers (chart ("133211")), "F");
    EXPECT_EQ (f.getBarreOp(), std::optional<int> (1));
    EXPECT_EQ (f.getPlayingSpots().size(), 3u);
    EXPECT_EQ (f.getMidiPitches (GuitarTuning()), (std::vector<int>{65, 60, 57, 53, 48, 41}));
}

TEST (FingeringCalculator, StandardChartsAreAmongTheVariations)
{
    struct Chart
    {
        const char* name;
        std::vector<int> pitches;
        const char* frets;
    };

    const std::vector<Chart> charts{{"C", {60, 64, 67}, "x32010"}, {"G", {67, 71, 74}, "320003"}, {"D", {62, 66, 69}, "xx0232"}, {"A", {69, 73, 76}, "x02220"}, {"E", {64, 68, 71}, "022100"}, {"Am", {69, 72, 76}, "x02210"}, {"Em", {64, 67, 71}, "022000"}, {"Dm", {62, 65, 69}, "xx0231"}, {"F", {65, 69, 72}, "133211"}};

    for (const auto& c : charts)
    {
        const auto candidates = candidatesOf (c.pitches);
        const auto* found = find (candidates, c.frets);
        ASSERT_NE (found, nullptr) << c.name << " " << c.frets << " among " << candidates.size();
        EXPECT_EQ (found->barre, std::string (c.name) == "F") << c.name;
    }
}

TEST (FingeringCalculator, ChordsThatCannotBeCoveredOrHaveNoPitchesGiveNothing)
{
    EXPECT_TRUE (candidatesOf ({}).empty());
    EXPECT_TRUE (candidatesOf ({60, 61, 62, 63, 64, 65, 66}).empty()) << "seven classes on six strings";
    EXPECT_TRUE (Calc (FretboardSetup()).calculateVariations ("N.C.", {}).empty());

    // A board too short for a window finds nothing either.
    FretboardSetup stub;
    stub.setNumberOfFrets (3);
    EXPECT_TRUE (candidatesOf ({60, 64, 67}, stub).empty());
}

TEST (FingeringCalculator, EveryRootAndSuffixGivesPlayableRankedVariationsOfExactlyItsClasses)
{
    const auto& presets = getTuningPresets();

    for (const auto& tuning : {presets[0].tuning, presets[5].tuning})
    {
        const Calc calculator (tuning.toFretboardSetup());
        int chordsWithVariations = 0;

        for (int root = 0; root < 12; ++root)
        {
            for (int id = 1; id <= ChordSuffix::count; ++id)
            {
                const auto pitches = frettlechords::pitchesOf (root, static_cast<ChordSuffix::Id> (id));
                std::set<int> classes;

                for (const auto pitch : pitches)
                    classes.insert (pitch % 12);

                const auto name = juce::String (root) + ChordSuffix::toSibeliusString (static_cast<ChordSuffix::Id> (id));
                const auto ranked = calculator.findRankedCandidates (Calc::makeSimpleChord (name, pitches));
                const auto variations = calculator.calculateVariations (name, pitches);
                ASSERT_EQ (variations.size(), ranked.size()) << name;
                ASSERT_EQ (variations, calculator.calculateVariations (name, pitches)) << name << ": a second run differs";
                // Triads and four-note chords always have a shape; some six-note ones do not.
                if (!classes.empty() && classes.size() <= 4)
                {
                    EXPECT_FALSE (variations.empty()) << name << " in " << tuning.toString();
                }

                chordsWithVariations += variations.empty() ? 0 : 1;

                for (size_t i = 0; i < variations.size(); ++i)
                {
                    const auto& info = ranked[i];
                    SCOPED_TRACE ((name + " " + chartOf (info.frets) + " in " + tuning.toString()).toStdString());
                    EXPECT_TRUE (Calc::isValid (info.frets));
                    EXPECT_LE (info.fingers, Calc::maxFingers);

                    // The diagram, not the search's frets, must sound the chord.
                    std::set<int> sounded;

                    for (const auto pitch : variations[i].getMidiPitches (tuning))
                        sounded.insert (pitch % 12);

                    EXPECT_EQ (sounded, classes);

                    if (i > 0)
                    {
                        const auto previous = Calc::scoreFingering (ranked[i - 1]), score = Calc::scoreFingering (info);
                        EXPECT_GE (previous, score);

                        if (previous == score)
                        {
                            EXPECT_TRUE (ranked[i - 1].frets < info.frets) << "equal scores keep the frets order, without repeats";
                        }
                    }
                }
            }
        }

        // All but a few six-note chords, "alt" (seven classes) and "nc" have shapes in every key.
        EXPECT_GT (chordsWithVariations, 12 * (ChordSuffix::count - 4)) << tuning.toString();
        EXPECT_LE (chordsWithVariations, 12 * (ChordSuffix::count - 2)) << tuning.toString();
    }
}
