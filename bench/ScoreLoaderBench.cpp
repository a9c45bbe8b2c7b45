#include "ScorePayloadGenerator.h"
#include "orv/score/io/ScoreLoader.h"
#include "orv/score/io/TestOrvana.h"
#include "utils/JsonParser.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace
{
// Payloads of 20 staves of 10 notes per bar: 125 bars make 25,000 notes.
const juce::String& payloadText (int notes)
{
    static std::map<int, juce::String> cache;
    auto& text = cache[notes];

    if (text.isEmpty())
    {
        orvbench::PayloadShape shape;
        shape.bars = notes / (shape.staves * shape.notesPerBar);
        text = orvbench::makeScorePayload (shape);
    }

    return text;
}

void setCounters (benchmark::State& state, int notes)
{
    const auto bytes = static_cast<int64_t> (payloadText (notes).getNumBytesAsUTF8());
    state.counters["MB"] = static_cast<double> (bytes) / 1.0e6;
    state.SetBytesProcessed (state.iterations() * bytes);
}

// Reference: JUCE's own parser.
void BM_JuceJsonParse (benchmark::State& state)
{
    const auto notes = static_cast<int> (state.range (0));
    const auto& text = payloadText (notes);

    for (auto _ : state)
        benchmark::DoNotOptimize (juce::JSON::parse (text));

    setCounters (state, notes);
}
BENCHMARK (BM_JuceJsonParse)->Arg (25000)->Arg (50000)->Arg (100000)->Arg (200000)->Unit (benchmark::kMillisecond);

// The parser the suite uses.
void BM_SuiteJsonParse (benchmark::State& state)
{
    const auto notes = static_cast<int> (state.range (0));
    const auto& text = payloadText (notes);

    for (auto _ : state)
        benchmark::DoNotOptimize (utils::json::parse (text));

    setCounters (state, notes);
}
BENCHMARK (BM_SuiteJsonParse)->Arg (25000)->Arg (50000)->Arg (100000)->Arg (200000)->Unit (benchmark::kMillisecond);

// Loading a parsed payload into an empty score; also the model's heap per note.
void BM_ScoreLoad (benchmark::State& state)
{
    const auto notes = static_cast<int> (state.range (0));
    const auto payload = utils::json::parse (payloadText (notes));
    double heapPerNote = 0;

    for (auto _ : state)
    {
        state.PauseTiming();
        auto orvana = std::make_unique<TestOrvana>();
        const auto before = mallinfo2().uordblks;
        state.ResumeTiming();

        orv::score::io::ScoreLoader (orvana->score, *orvana).load (payload, orv::score::io::ScoreLoader::DecodeMode::load);

        state.PauseTiming();
        heapPerNote = static_cast<double> (mallinfo2().uordblks - before) / notes;
        orvana.reset();
        state.ResumeTiming();
    }

    state.counters["heapBytesPerNote"] = heapPerNote;
    setCounters (state, notes);
}
BENCHMARK (BM_ScoreLoad)->Arg (25000)->Arg (50000)->Arg (100000)->Arg (200000)->Unit (benchmark::kMillisecond);

// Text to model as the suite does it: parse, then load into an empty score.
void BM_TextToModel (benchmark::State& state)
{
    const auto notes = static_cast<int> (state.range (0));
    const auto& text = payloadText (notes);

    for (auto _ : state)
    {
        state.PauseTiming();
        auto orvana = std::make_unique<TestOrvana>();
        state.ResumeTiming();

        orv::score::io::ScoreLoader (orvana->score, *orvana).load (utils::json::parse (text), orv::score::io::ScoreLoader::DecodeMode::load);

        state.PauseTiming();
        orvana.reset();
        state.ResumeTiming();
    }

    setCounters (state, notes);
}
BENCHMARK (BM_TextToModel)->Arg (25000)->Arg (50000)->Arg (100000)->Arg (200000)->Unit (benchmark::kMillisecond);

// The latency of an edit: the reply replaces the score already loaded.
void BM_EditReload (benchmark::State& state)
{
    const auto notes = static_cast<int> (state.range (0));
    const auto& text = payloadText (notes);
    TestOrvana orvana;
    orv::score::io::ScoreLoader loader (orvana.score, orvana);
    loader.load (utils::json::parse (text), orv::score::io::ScoreLoader::DecodeMode::load);

    for (auto _ : state)
        loader.load (utils::json::parse (text), orv::score::io::ScoreLoader::DecodeMode::reload);

    setCounters (state, notes);
}
BENCHMARK (BM_EditReload)->Arg (100000)->Unit (benchmark::kMillisecond);
} // namespace
