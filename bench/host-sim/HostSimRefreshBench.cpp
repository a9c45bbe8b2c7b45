// The host simulator's side of every edit: building the Orvana payload of the
// loaded region and writing it as the REFRESH message's JSON text.
#include "plugins/OrvanaPlugin.h"
#include "score/ScoreGenerator.h"
#include "util/JsonText.h"

#include <benchmark/benchmark.h>

namespace
{
// 20 staves x 500 bars x 10 note groups of one note: 100,000 notes.
const hostsim::ScoreDocument& hundredThousandNotes()
{
    static const auto score = hostsim::ScoreGenerator::generate (20, 500, 10);
    return score;
}

void BM_HostSimRefreshPayload (benchmark::State& state)
{
    const auto& score = hundredThousandNotes();
    hostsim::orvana::Session session;
    session.activeFirst = 1;
    session.activeLast = 500;
    session.tempoCurveWanted = true;
    size_t bytes = 0;

    for (auto _ : state)
    {
        const auto text = hostsim::json::toCompactString (hostsim::orvana::makeSessionPayload (score, session));
        bytes = text.getNumBytesAsUTF8();
        benchmark::DoNotOptimize (text);
    }

    state.counters["notes"] = static_cast<double> (score.countNotes());
    state.counters["MB"] = static_cast<double> (bytes) / 1.0e6;
}
BENCHMARK (BM_HostSimRefreshPayload)->Unit (benchmark::kMillisecond)->MinTime (5.0);
} // namespace

BENCHMARK_MAIN();
