// The walking-bass generator with a fixed random source: the lines of small
// progressions worked out by hand (chords outside the bars among them), the slot table, the link candidates, the
// weighted jump draw and its fall-through, the anchors and avoid lists of
// the passing tones, empty bars, beat rounding, two chords on one beat, and
// 10,000 random progressions that must stay in range and on chord tones.
#include "sd/SdLine.h"
#include "sd/SdScoreBuilder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace sd;
using sdtest::HostChord;
using sdtest::makeScore;
using sdtest::notesOf;

namespace
{
constexpr int e1 = 28;
constexpr int g3 = 55;

struct Line
{
    explicit Line (float randomValue = 0.0f)
    {
        line.setPitchRange (e1, g3);
        line.setRandomSource ([this]
                              { return value; });
        value = randomValue;
    }

    juce::String run (const std::vector<int>& bars, const std::vector<HostChord>& chords)
    {
        score = makeScore (bars, chords);
        line.generate (score, score.getStaves().front());
        return notesOf (score.getStaves().front());
    }

    SdState state;
    SdLine line{state.getTree()};
    Score score;
    float value = 0.0f;
};

const std::vector<int> cMajor{48, 52, 55};
const std::vector<int> gMajor{43, 47, 50};
const std::vector<int> dMinor7{50, 53, 57, 60};
const std::vector<int> g7{43, 47, 50, 53};
} // namespace

TEST (SdLine, SmallProgressionsWalkAsWorkedOutByHand)
{
    const struct
    {
        std::vector<int> bars;
        std::vector<HostChord> chords;
        const char* expected;
    } table[] = {
        // Dm7 -> G7, the jump drawn as Closest (upward for the first chord): D2, the third
        // above it (F2), the passing tone nearest both F2 and the approach, and the
        // approach A2 two semitones above G2; the last chord gets only its bass.
        {{1024, 1024}, {{1, 0, 38, dMinor7}, {2, 0, 43, g7}}, "1:0=38 1:256=41 1:512=38 1:768=45 2:0=43"},
        // C -> G: no tone of C lies within two semitones of G2, so the nearest one (E2)
        // approaches; the passing tone avoids E2 on both sides.
        {{1024, 1024}, {{1, 0, 36, cMajor}, {2, 0, 43, gMajor}}, "1:0=36 1:256=40 1:512=43 1:768=40 2:0=43"},
        // Two beats: bass and approach; one beat: the bass alone.
        {{1024}, {{1, 0, 38, dMinor7}, {1, 512, 43, g7}, {1, 768, 36, cMajor}}, "1:0=38 1:256=45 1:512=43 1:768=36"},
        // Three beats: bass, jump, approach.
        {{768, 768}, {{1, 0, 38, dMinor7}, {2, 0, 43, g7}}, "1:0=38 1:256=41 1:512=45 2:0=43"},
        // Bar 7 is not among the fetched bars; the chord before it keeps only its bass.
        {{1024}, {{1, 0, 36, cMajor}, {7, 0, 43, gMajor}}, "1:0=36"},
        // A chord whose first beat rounds past the last bar has no start note either.
        {{1024}, {{1, 0, 36, cMajor}, {1, 1000, 43, gMajor}}, "1:0=36"},
    };

    Line line;

    for (const auto& row : table)
        EXPECT_EQ (line.run (row.bars, row.chords), row.expected) << row.expected;
}

TEST (SdLine, ZoneSlotsFollowTheBeatCount)
{
    const struct
    {
        int beats;
        size_t grounding, link;
    } table[] = {{0, 1, 0}, {1, 1, 0}, {2, 1, 1}, {3, 2, 1}, {4, 2, 2}, {5, 2, 3}, {8, 2, 6}};

    Line line;

    for (const auto& row : table)
    {
        SdChordSegment segment;
        Note start;
        start.setPitch (40);
        segment.startNote = start;
        segment.duration = row.beats * SdLine::beatTicks + 100; // parts of a beat do not count
        line.line._addZoneSlots (segment);
        EXPECT_EQ (segment.groundingZone.size(), row.grounding) << row.beats << " beats";
        EXPECT_EQ (segment.linkZone.size(), row.link) << row.beats << " beats";
        EXPECT_EQ (segment.getStartPitch(), 40);
    }

    SdChordSegment withoutStart;
    withoutStart.duration = 4 * SdLine::beatTicks;
    line.line._addZoneSlots (withoutStart);
    EXPECT_TRUE (withoutStart.groundingZone.empty() && withoutStart.linkZone.empty());
}

TEST (SdLine, LinkCandidatesLieOneOrTwoSemitonesAwayElseTheNearestTone)
{
    const struct
    {
        std::vector<int> chord;
        int target;
        std::vector<int> expected;
    } table[] = {
        {dMinor7, 43, {41, 45}}, // F2 and A2 round G2; C and D lie further
        {cMajor, 43, {40}},      // only the nearest, E2; G itself is skipped
        {{47, 39}, 43, {47}},    // B2 and Eb2 both four away: the earlier one
        {{43, 55}, 43, {}},      // nothing but the target's own class
        {{42, 44}, 43, {42, 44}},
        {{61}, 30, {37}}, // C# in range nearest to F#1 is C#2, seven away
    };

    Line line;

    for (const auto& row : table)
        EXPECT_EQ (line.line._getLinkNoteCandidatesPitches (row.chord, row.target), row.expected) << row.target;
}

TEST (SdLine, JumpSizeIsDrawnByTheWeights)
{
    Line line;
    line.state.setWeights (0.5f, 1.0f, 1.0f); // total 2.5: Closest below 0.2, Fifth below 0.6

    const std::pair<float, JumpSize> draws[] = {{0.0f, JumpSize::Closest}, {0.19f, JumpSize::Closest}, {0.21f, JumpSize::Fifth}, {0.59f, JumpSize::Fifth}, {0.61f, JumpSize::Octave}, {0.999f, JumpSize::Octave}};

    for (const auto& [value, expected] : draws)
    {
        line.value = value;
        EXPECT_EQ (line.line.calculateJumpSize(), expected) << value;
    }

    line.state.setWeights (0.0f, 0.0f, 0.0f);
    line.value = 0.99f;
    EXPECT_EQ (line.line.calculateJumpSize(), JumpSize::Closest);

    // A damaged file's negative weight counts as 0, not as a shift of the others.
    line.state.setWeights (-5.0f, 1.0f, 0.0f);
    line.value = 0.0f;
    EXPECT_EQ (line.line.calculateJumpSize(), JumpSize::Fifth);
}

TEST (SdLine, JumpTargetsPerSizeAndDirection)
{
    Line line;
    const struct
    {
        int start;
        std::vector<int> chord;
        SdJumpDirection direction;
        JumpSize size;
        int expected;
    } table[] = {
        {36, cMajor, SdJumpDirection::upward, JumpSize::Closest, 40},   // the third above
        {36, cMajor, SdJumpDirection::downward, JumpSize::Closest, 31}, // the last tone below
        {36, cMajor, SdJumpDirection::upward, JumpSize::Fifth, 43},
        {36, cMajor, SdJumpDirection::downward, JumpSize::Fifth, 31},
        {36, cMajor, SdJumpDirection::upward, JumpSize::Octave, 48},
        {36, cMajor, SdJumpDirection::downward, JumpSize::Octave, 36},     // 24 lies below E1: raised back
        {50, {50, 54, 57}, SdJumpDirection::upward, JumpSize::Octave, 50}, // 62 is above G3: back to the start
        {50, {50, 54, 57}, SdJumpDirection::upward, JumpSize::Fifth, 45},  // A3 is above G3: an octave lower
        {40, {48}, SdJumpDirection::upward, JumpSize::Fifth, 40},          // too few tones: no jump
        {40, {48}, SdJumpDirection::upward, JumpSize::Closest, 40},
    };

    for (const auto& row : table)
        EXPECT_EQ (line.line._getJumpNotePitch (row.start, row.chord, row.direction, row.size), row.expected)
            << row.start << " size " << static_cast<int> (row.size) << " direction " << static_cast<int> (row.direction);
}

TEST (SdLine, AJumpBackToTheStartFallsThroughToTheNextSize)
{
    Line line;
    line.state.setWeights (0.0f, 0.0f, 1.0f); // always Octave first

    // D3 an octave up leaves the range and comes back to D3: Closest next gives F#3.
    EXPECT_EQ (line.line._getJumpNotePitchAvoidRepeat (50, {50, 54, 57}, SdJumpDirection::upward), 54);
    // One tone only: Octave and Closest both give the start, and the last try, Fifth, is taken as it is.
    EXPECT_EQ (line.line._getJumpNotePitchAvoidRepeat (50, {50}, SdJumpDirection::upward), 50);

    line.state.setWeights (1.0f, 0.0f, 0.0f);
    // Closest first, and it moves: no fall-through.
    EXPECT_EQ (line.line._getJumpNotePitchAvoidRepeat (36, cMajor, SdJumpDirection::upward), 40);
}

TEST (SdLine, PassingTonesStayNearBothAnchorsAndAvoidTheirNeighbours)
{
    Line line;
    const struct
    {
        std::vector<int> candidates;
        int left, right;
        std::vector<int> avoid;
        std::optional<int> expected;
    } table[] = {
        {cMajor, 40, 40, {40, 40}, 43},       // E2 itself is avoided; G2 is closest
        {cMajor, 40, 40, {}, 40},             // nothing to avoid: E2
        {{52}, 40, 40, {28, 40, 52}, {}},     // every octave avoided: no pitch
        {{52, 48}, 40, 40, {28, 40, 52}, 36}, // E has none left; C2 remains
        {{45, 43}, 44, 44, {}, 45},           // A2 and G2 both one away: the earlier candidate
        {{48}, 42, 43, {}, 48},               // C2 sums 13, C3 11
    };

    for (size_t i = 0; i < std::size (table); ++i)
    {
        const auto& row = table[i];
        EXPECT_EQ (line.line._getClosestToAnchors (row.candidates, row.left, row.right, row.avoid), row.expected) << "row " << i;
    }

    // Equal sums between octaves of one candidate: the lower octave.
    EXPECT_EQ (line.line._getShortestPathAdjacentsMoop (48, 36, 48, {}), 36);
    EXPECT_EQ (line.line._getShortestPathAdjacentsMoop (43, 31, 43, {}), 31);
    EXPECT_EQ (line.line._getShortestPathAdjacentsMoop (43, 31, 43, {31}), 43);
}

TEST (SdLine, EmptyBarsRepeatTheChordBeforeThemButNotBeforeTheFirst)
{
    Line line;
    // Bar 1 comes before any chord: silent. Bar 3 repeats C from its first beat.
    const auto notes = line.run ({1024, 1024, 1024, 1024}, {{2, 0, 36, cMajor}, {4, 0, 43, gMajor}});
    EXPECT_EQ (notes, "2:0=36 2:256=40 2:512=43 2:768=40 3:0=36 3:256=31 3:512=36 3:768=40 4:0=43");
    EXPECT_EQ (line.line.getSegments().size(), 3u);
    EXPECT_EQ (line.line.getSegments()[1].chord.getBarId(), 3);
}

TEST (SdLine, ChordPositionsRoundToTheNearerBeat)
{
    const struct
    {
        int pos;
        juce::String start;
    } table[] = {{0, "1:0"}, {127, "1:0"}, {128, "1:256"}, {383, "1:256"}, {384, "1:512"}, {1000, "2:0"}};

    for (const auto& row : table)
    {
        Line line;
        line.run ({1024, 1024}, {{1, row.pos, 36, cMajor}});
        ASSERT_FALSE (line.line.getSegments().empty());
        // Bar 2 repeats the chord; a start rounded onto its first beat gives way to it.
        const auto& start = line.line.getSegments()[0].startNote;
        ASSERT_TRUE (start.has_value()) << row.pos;
        EXPECT_EQ (juce::String (start->getBarNumber()) + ":" + juce::String (start->getPosition()), row.start) << row.pos;
    }
}

TEST (SdLine, TwoChordsOnOneBeatLeaveOneBassNote)
{
    Line line;
    // C at 0 and G at 100 both round to beat 1: only G sounds there.
    const auto notes = line.run ({1024, 1024}, {{1, 0, 36, cMajor}, {1, 100, 43, gMajor}, {2, 0, 38, dMinor7}});
    EXPECT_TRUE (notes.startsWith ("1:0=43 1:256=")) << notes;
    EXPECT_EQ (notes.indexOf ("1:0=36"), -1) << notes;
}

TEST (SdLine, RandomProgressionsStayInRangeAndOnChordTones)
{
    // Ten thousand progressions of random chords (random qualities, roots,
    // inversions and places, some bars empty) and random weights and draws.
    std::mt19937 random (20261207);
    const std::vector<std::vector<int>> qualities{{0, 4, 7}, {0, 3, 7}, {0, 4, 7, 10}, {0, 3, 7, 10}, {0, 4, 7, 11}, {0, 3, 6, 10}, {0, 4, 8}, {0, 5, 7, 10}, {0, 4, 7, 10, 13}, {0, 7}};
    auto pick = [&] (int n)
    { return std::uniform_int_distribution<int> (0, n - 1) (random); };

    SdState state;
    SdLine line (state.getTree());
    line.setPitchRange (e1, g3);
    line.setRandomSource ([&]
                          { return std::uniform_real_distribution<float> (0.0f, 0.9999f) (random); });

    for (int run = 0; run < 10000; ++run)
    {
        state.setWeights (pick (3) * 0.5f, pick (3) * 0.5f, pick (3) * 0.5f);
        std::vector<int> bars;
        std::vector<HostChord> chords;
        const auto barCount = 1 + pick (6);

        for (int bar = 1; bar <= barCount; ++bar)
        {
            bars.push_back (pick (4) == 0 ? 768 : 1024);

            for (int c = pick (3); c > 0; --c)
            {
                const auto& quality = qualities[static_cast<size_t> (pick (static_cast<int> (qualities.size())))];
                const auto root = 36 + pick (24);
                std::vector<int> pitches;

                for (const auto step : quality)
                    pitches.push_back (root + step);

                const auto bass = pitches[static_cast<size_t> (pick (static_cast<int> (pitches.size())))] - 12 * pick (3);
                chords.push_back ({bar, pick (bars.back()), bass, pitches});
            }
        }

        auto score = makeScore (bars, chords);
        auto staff = score.getStaves().front();
        line.generate (score, staff);

        std::set<std::pair<int, int>> places;
        size_t setSlots = 0;

        for (const auto& segment : line.getSegments())
        {
            std::set<int> classes;

            for (const auto pitch : segment.getChordPitches())
                classes.insert (((pitch % 12) + 12) % 12);

            for (const auto* zone : {&segment.groundingZone, &segment.linkZone})
            {
                for (const auto& slot : *zone)
                {
                    if (!slot.pitch.has_value())
                        continue;

                    ++setSlots;
                    ASSERT_GE (*slot.pitch, e1) << "run " << run;
                    ASSERT_LE (*slot.pitch, g3) << "run " << run;
                    ASSERT_EQ (classes.count (*slot.pitch % 12), 1u) << "run " << run << ": " << *slot.pitch << " is no tone of its chord";
                }
            }
        }

        size_t written = 0;

        for (const auto& staffBar : staff.getStaffBars())
        {
            for (const auto& note : staffBar.getNotes())
            {
                ++written;
                ASSERT_GE (note.getPitch(), e1);
                ASSERT_LE (note.getPitch(), g3);
                ASSERT_EQ (note.getBarNumber(), staffBar.getBarNumber());
                ASSERT_TRUE (places.insert ({note.getBarNumber(), note.getPosition()}).second)
                    << "run " << run << ": two notes at " << note.getBarNumber() << ":" << note.getPosition();
            }
        }

        ASSERT_EQ (written, setSlots) << "run " << run << ": every chosen pitch is written once";
    }
}
