#include "orv/model/Score.h"
#include "orv/model/ScoreIds.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using orv::Poser;
using orv::Score;

namespace
{
// A deliberately plain model of what the score must hold.
struct Reference
{
    std::map<int, int> barLengths;                                // bar -> length
    std::map<int, std::map<std::pair<int, int>, int>> curveNodes; // controller -> poser -> value
    std::map<int, std::set<int>> trackBars;                       // staff -> bars
    std::vector<int> trackOrder;
};

void checkAgainstReference (Score& score, const Reference& ref, int staff)
{
    // Bars: sorted, the same lengths, positions summed from the start.
    ASSERT_EQ (score.getNumBars(), static_cast<int> (ref.barLengths.size()));
    int index = 0;
    int64_t position = 0;

    for (const auto& [number, length] : ref.barLengths)
    {
        const auto bar = score.getBarAt (index++);
        ASSERT_EQ (bar.getId(), number);
        ASSERT_EQ (bar.getLength(), length);
        ASSERT_EQ (bar.getGlobalPos(), position);
        ASSERT_EQ (score.getBar (number).getState(), bar.getState());
        position += length;
    }

    // Tracks: unique, in creation order; track bars unique and in bar order.
    const auto tracks = score.getTracks();
    ASSERT_EQ (tracks.size(), ref.trackOrder.size());

    for (size_t t = 0; t < tracks.size(); ++t)
    {
        auto track = tracks[t];
        ASSERT_EQ (track.getId(), ref.trackOrder[t]);

        const auto& expectedBars = ref.trackBars.at (track.getId());
        const auto list = track.getTrackBarList();
        ASSERT_EQ (list.getNumChildren(), static_cast<int> (expectedBars.size()));
        int i = 0;

        for (auto bar : expectedBars)
            ASSERT_EQ (orv::TrackBar (list.getChild (i++)).getBarId(), bar);
    }

    // Curves: one per controller, nodes unique and sorted, same values.
    auto track = score.getTrack (staff);
    std::set<int> controllers;

    for (const auto& curve : track.getCurves())
    {
        ASSERT_TRUE (controllers.insert (curve.getControlNum()).second);
        const auto& expected = ref.curveNodes.at (curve.getControlNum());
        ASSERT_EQ (curve.getNumNodes(), static_cast<int> (expected.size()));
        int n = 0;

        for (const auto& [poser, value] : expected)
        {
            const auto node = curve.getNode (n++);
            ASSERT_EQ (node.getBar(), poser.first);
            ASSERT_EQ (node.getPos(), poser.second);
            ASSERT_EQ (node.getVal(), value);
            ASSERT_EQ (curve.getNodeAtPoser ({poser.first, poser.second}).getState(), node.getState());
        }
    }

    ASSERT_EQ (controllers.size(), ref.curveNodes.size());
}
} // namespace

// Random sequences of the operations that build a score, checked after each
// batch against a plain reference model.
TEST (ModelInvariants, RandomOperationSequences)
{
    for (int seed = 1; seed <= 12; ++seed)
    {
        juce::Random rng (seed);
        Score score;
        Reference ref;
        const int staff = 1;

        for (int step = 0; step < 600; ++step)
        {
            switch (rng.nextInt (7))
            {
                case 0:
                {
                    const auto number = 1 + rng.nextInt (40);
                    const auto length = rng.nextInt (2000);
                    score.getOrCreateBar (number);
                    score.setBarLength (number, length);
                    ref.barLengths[number] = length;
                    break;
                }
                case 1:
                case 2:
                {
                    const auto controller = rng.nextInt (4) - 2;
                    const auto bar = rng.nextInt (20);
                    const auto pos = rng.nextInt (8) * 128;
                    const auto value = rng.nextInt (128);
                    auto curve = score.getOrCreateTrack (staff).getOrCreateCurve (controller);

                    if (rng.nextBool())
                        curve.addNode (bar, pos, value, orv::Node::Jump);
                    else
                        curve.addOrUpdateNode (bar, pos, value, orv::Node::Ramp);

                    ref.curveNodes[controller][{bar, pos}] = value;

                    if (std::find (ref.trackOrder.begin(), ref.trackOrder.end(), staff) == ref.trackOrder.end())
                        ref.trackOrder.push_back (staff);

                    ref.trackBars[staff];
                    break;
                }
                case 3:
                {
                    if (ref.curveNodes.empty())
                        break;

                    auto it = ref.curveNodes.begin();
                    std::advance (it, rng.nextInt (static_cast<int> (ref.curveNodes.size())));

                    if (it->second.empty())
                        break;

                    auto node = it->second.begin();
                    std::advance (node, rng.nextInt (static_cast<int> (it->second.size())));
                    auto curve = score.getTrack (staff).getCurve (it->first);
                    curve.removeNode (curve.getNodeAtPoser ({node->first.first, node->first.second}));
                    it->second.erase (node);
                    break;
                }
                case 4:
                {
                    const auto other = 1 + rng.nextInt (6);
                    const auto bar = 1 + rng.nextInt (40);
                    score.getOrCreateTrackBar (other, bar);

                    if (std::find (ref.trackOrder.begin(), ref.trackOrder.end(), other) == ref.trackOrder.end())
                        ref.trackOrder.push_back (other);

                    ref.trackBars[other].insert (bar);
                    break;
                }
                case 5:
                {
                    if (ref.barLengths.empty())
                        break;

                    // Lengths changed in place, bar 1 included.
                    auto it = ref.barLengths.begin();
                    std::advance (it, rng.nextInt (static_cast<int> (ref.barLengths.size())));
                    it->second = rng.nextInt (3000);
                    score.setBarLength (it->first, it->second);
                    break;
                }
                default:
                {
                    // Lookups must never create anything.
                    const auto before = score.getState().createCopy();
                    juce::ignoreUnused (score.getBar (rng.nextInt (50)), score.getTrack (rng.nextInt (8)),
                                        score.ticksToPoser (rng.nextInt (100000)), score.getRealPoser (1 + rng.nextInt (40), rng.nextInt (5000) - 2000));
                    ASSERT_TRUE (score.getState().isEquivalentTo (before));
                    break;
                }
            }

            if (step % 50 == 49)
            {
                checkAgainstReference (score, ref, staff);

                if (testing::Test::HasFatalFailure())
                {
                    ADD_FAILURE() << "seed " << seed << " step " << step;
                    return;
                }
            }
        }
    }
}

// Real posers agree with a walk over the reference lengths.
TEST (ModelInvariants, RealPosersMatchTickArithmetic)
{
    juce::Random rng (77);
    Score score;
    std::vector<int> lengths;

    for (int bar = 1; bar <= 30; ++bar)
    {
        lengths.push_back (1 + rng.nextInt (1500));
        score.getOrCreateBar (bar);
        score.setBarLength (bar, lengths.back());
    }

    const auto total = score.getTotalTicks();

    for (int round = 0; round < 3000; ++round)
    {
        const auto bar = 1 + rng.nextInt (30);
        const auto pos = rng.nextInt (40000) - 20000;
        const auto ticks = score.poserToTicks (bar, 0) + pos;
        const auto real = score.getRealPoser (bar, pos);

        if (ticks < 0 || ticks >= total)
        {
            ASSERT_TRUE (real.isClear()) << bar << "," << pos;
        }
        else
        {
            ASSERT_EQ (real, score.ticksToPoser (ticks)) << bar << "," << pos;
            ASSERT_GE (real.getPos(), 0);
            ASSERT_LT (real.getPos(), lengths[static_cast<size_t> (real.getBar() - 1)]);
        }
    }
}
