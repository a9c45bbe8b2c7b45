// Frettle's fingering search for every chord the suffix table names: 12
// roots by 43 suffixes, in each preset tuning (six strings, 20 frets), and
// on a seven-string board (a low B1 added below standard tuning). Each
// chord is timed on its own; per chord the fastest of the iterations counts
// (scheduling noise only adds), and the counters give the distribution.
// Targets: the slowest chord under 1 ms on six strings, under 3 ms on seven.
#include "FrettleChords.h"
#include "frt/FingeringCalculator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace
{
struct Chord
{
    juce::String name;
    std::vector<int> pitches;
};

std::vector<Chord> everyChord()
{
    std::vector<Chord> chords;

    for (int root = 0; root < 12; ++root)
        for (int id = 1; id <= frt::ChordSuffix::count; ++id)
            chords.push_back ({juce::String (root) + frt::ChordSuffix::toSibeliusString (static_cast<frt::ChordSuffix::Id> (id)),
                               frettlechords::pitchesOf (root, static_cast<frt::ChordSuffix::Id> (id))});

    return chords;
}

void measure (benchmark::State& state, const std::vector<frt::FretboardSetup>& boards)
{
    const auto chords = everyChord();
    std::vector<double> fastest (chords.size() * boards.size(), 1.0e9);
    size_t variations = 0;

    for (auto _ : state)
    {
        variations = 0;

        for (size_t b = 0; b < boards.size(); ++b)
        {
            const frt::FingeringCalculator calculator (boards[b]);

            for (size_t c = 0; c < chords.size(); ++c)
            {
                const auto start = std::chrono::steady_clock::now();
                const auto found = calculator.calculateVariations (chords[c].name, chords[c].pitches);
                const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
                benchmark::DoNotOptimize (found.data());
                variations += found.size();
                auto& slot = fastest[b * chords.size() + c];
                slot = std::min (slot, took.count());
            }
        }
    }

    std::sort (fastest.begin(), fastest.end());
    const auto at = [&fastest] (double q)
    { return fastest[static_cast<size_t> (q * static_cast<double> (fastest.size() - 1))]; };

    state.counters["chords"] = static_cast<double> (fastest.size());
    state.counters["variations"] = static_cast<double> (variations);
    state.counters["median_ms"] = at (0.5);
    state.counters["p90_ms"] = at (0.9);
    state.counters["p99_ms"] = at (0.99);
    state.counters["slowest_ms"] = fastest.back();
}

void BM_FrettleVariationsPresetTunings (benchmark::State& state)
{
    std::vector<frt::FretboardSetup> boards;

    for (const auto& preset : frt::getTuningPresets())
        boards.push_back (preset.tuning.toFretboardSetup());

    measure (state, boards);
}

void BM_FrettleVariationsSevenStrings (benchmark::State& state)
{
    frt::FretboardSetup board;
    board.setNumberOfStrings (7);
    board.setOpenStringMidiPitch (7, 35); // B1
    measure (state, {board});
}
} // namespace

BENCHMARK (BM_FrettleVariationsPresetTunings)->Unit (benchmark::kMillisecond)->Iterations (5);
BENCHMARK (BM_FrettleVariationsSevenStrings)->Unit (benchmark::kMillisecond)->Iterations (5);
