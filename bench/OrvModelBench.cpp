#include "orv/model/Score.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace
{
// Posers of n curve nodes, 8 per bar, in score order.
std::vector<std::pair<int, int>> nodePosers (int count)
{
    std::vector<std::pair<int, int>> posers;
    posers.reserve (static_cast<size_t> (count));

    for (int i = 0; i < count; ++i)
        posers.emplace_back (1 + i / 8, (i % 8) * 128);

    return posers;
}

void addNodes (benchmark::State& state, bool shuffled)
{
    auto posers = nodePosers (static_cast<int> (state.range (0)));

    if (shuffled)
        std::shuffle (posers.begin(), posers.end(), std::mt19937 (42));

    for (auto _ : state)
    {
        auto curve = orv::Curve::create (7);

        for (const auto& [bar, pos] : posers)
            curve.addNode (bar, pos, 64, orv::Node::Jump);

        benchmark::DoNotOptimize (curve.getNumNodes());

        state.PauseTiming();
        curve = orv::Curve();
        state.ResumeTiming();
    }

    state.SetItemsProcessed (state.iterations() * state.range (0));
}

// Adding the nodes of one curve as the loader does, in poser order.
void BM_CurveAddNodesInOrder (benchmark::State& state)
{
    addNodes (state, false);
}
BENCHMARK (BM_CurveAddNodesInOrder)->Arg (20000)->Arg (40000)->Unit (benchmark::kMillisecond);

// The same nodes in random order: each lands at its place by binary search.
void BM_CurveAddNodesRandomOrder (benchmark::State& state)
{
    addNodes (state, true);
}
BENCHMARK (BM_CurveAddNodesRandomOrder)->Arg (20000)->Arg (40000)->Unit (benchmark::kMillisecond);

// Changing the length of the first bar moves every later bar.
void BM_SetBarLengthOfFirstBar (benchmark::State& state)
{
    orv::Score score;
    const auto bars = static_cast<int> (state.range (0));

    for (int bar = 1; bar <= bars; ++bar)
    {
        score.getOrCreateBar (bar);
        score.setBarLength (bar, 1024);
    }

    int length = 1024;

    for (auto _ : state)
    {
        length = length == 1024 ? 768 : 1024;
        score.setBarLength (1, length);
        benchmark::DoNotOptimize (score.getTotalTicks());
    }
}
BENCHMARK (BM_SetBarLengthOfFirstBar)->Arg (2000)->Unit (benchmark::kMicrosecond);

// Looking nodes up by poser in a curve of 20,000 nodes.
void BM_CurveNodeLookup (benchmark::State& state)
{
    auto curve = orv::Curve::create (7);
    const auto posers = nodePosers (20000);

    for (const auto& [bar, pos] : posers)
        curve.addNode (bar, pos, 64, orv::Node::Jump);

    size_t i = 0;

    for (auto _ : state)
    {
        const auto& [bar, pos] = posers[i++ % posers.size()];
        benchmark::DoNotOptimize (curve.getNodeAtPoser ({bar, pos}).isValid());
    }
}
BENCHMARK (BM_CurveNodeLookup);
} // namespace
