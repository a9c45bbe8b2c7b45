// The walking-bass generator over a long progression: 1,000 chords, one per
// 4/4 bar (four notes each: the most work per chord), from a fetch reply
// already loaded into the score. Each run replaces the notes of the last.
// Target: under 10 ms per run.
#include "sd/SdLine.h"
#include "sd/SdScoreBuilder.h"

#include <benchmark/benchmark.h>

namespace
{
void BM_StridelGenerate (benchmark::State& state)
{
    const auto chordCount = static_cast<int> (state.range (0));
    const std::vector<std::vector<int>> qualities{{0, 4, 7, 11}, {0, 3, 7, 10}, {0, 4, 7, 10}, {0, 3, 6, 10}, {0, 4, 7, 10, 13}};
    std::vector<int> bars (static_cast<size_t> (chordCount), 1024);
    std::vector<sdtest::HostChord> chords;
    juce::Random random (42);

    for (int i = 0; i < chordCount; ++i)
    {
        const auto root = 48 + random.nextInt (12);
        std::vector<int> pitches;

        for (const auto step : qualities[static_cast<size_t> (random.nextInt (static_cast<int> (qualities.size())))])
            pitches.push_back (root + step);

        chords.push_back ({i + 1, 0, root - 12, pitches});
    }

    auto score = sdtest::makeScore (bars, chords);
    auto staff = score.getStaves().front();
    sd::SdState sdState;
    sd::SdLine line (sdState.getTree());
    line.setPitchRange (28, 55);

    for (auto _ : state)
        line.generate (score, staff);

    state.counters["chords"] = chordCount;
}
} // namespace

BENCHMARK (BM_StridelGenerate)->Arg (1000)->Unit (benchmark::kMillisecond);
