#include "ScorePayloadGenerator.h"
#include "orv/Orvana.h"
#include "support/LogCapture.h"
#include "support/ProductStandIns.h"
#include "utils/JsonParser.h"

#include <benchmark/benchmark.h>

namespace
{
using Mode = orv::score::io::ScoreLoader::DecodeMode;

// The generated score of 20 staves x 500 bars x 10 notes: 100,000 notes.
const juce::String& hundredThousandNotes()
{
    static const juce::String text = orvbench::makeScorePayload (orvbench::PayloadShape{});
    return text;
}

std::unique_ptr<orv::Orvana> makeProduct (testsupport::ProductStandIns& standIns)
{
    return std::make_unique<orv::Orvana> (standIns.context(), orv::Orvana::Seams{});
}

// What the trigger's reply costs the product: parse, load into a new score
// (mode 0), count and log.
void BM_OrvanaFirstLoad (benchmark::State& state)
{
    testsupport::ScopedLogCapture log;
    testsupport::ProductStandIns standIns;
    const auto& text = hundredThousandNotes();

    for (auto _ : state)
    {
        state.PauseTiming();
        auto product = makeProduct (standIns);
        state.ResumeTiming();

        product->loadPayload (utils::json::parse (text), Mode::load);

        state.PauseTiming();
        product.reset();
        log.lines.clear();
        state.ResumeTiming();
    }
}
BENCHMARK (BM_OrvanaFirstLoad)->Unit (benchmark::kMillisecond)->MinTime (5.0);

/** Runs what the message loop has waiting: the release of replaced tracks. */
void runPostedMessages()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
}

// What every edit, undo and redo makes the user wait for: the same score
// reloaded (mode 1) over the one already loaded. The replaced tracks are
// freed afterwards, on the message loop's next turn: timed only with the
// argument 1, the whole work of a reload.
void BM_OrvanaReload (benchmark::State& state)
{
    const auto timeRelease = state.range (0) != 0;
    testsupport::ScopedLogCapture log;
    testsupport::ProductStandIns standIns;
    const auto& text = hundredThousandNotes();
    auto product = makeProduct (standIns);
    product->loadPayload (utils::json::parse (text), Mode::load);
    runPostedMessages();

    for (auto _ : state)
    {
        product->loadPayload (utils::json::parse (text), Mode::reload);

        if (!timeRelease)
            state.PauseTiming();

        runPostedMessages();

        if (timeRelease)
            state.PauseTiming();

        log.lines.clear();
        state.ResumeTiming();
    }
}
BENCHMARK (BM_OrvanaReload)->ArgName ("withRelease")->Arg (0)->Arg (1)->Unit (benchmark::kMillisecond)->MinTime (5.0);
} // namespace
