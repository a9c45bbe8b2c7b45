// The host simulator's side of an editor gesture: the edit text applied to
// the document as one step (its undo snapshot included), and the REFRESH
// payload of the loaded region written as JSON text, for a 10,000-note
// region and for the whole 100,000-note score.
#include "host/Host.h"
#include "plugins/OrvanaPlugin.h"
#include "plugins/orvana/EditTexts.h"
#include "score/ScoreGenerator.h"
#include "util/JsonText.h"

#include <benchmark/benchmark.h>

namespace
{
struct NoMessages final : public hostsim::HostMessageSink
{
    int postHostMessage (const juce::String&, const juce::String&, const juce::String&) override { return 1; }
};

/** The region of bars 1 to lastBar of the 100,000-note score (20 staves x
    500 bars x 10 notes): 50 bars hold 10,000 notes. */
hostsim::orvana::Session sessionFor (int lastBar)
{
    hostsim::orvana::Session session;
    session.activeFirst = 1;
    session.activeLast = lastBar;
    session.padding = 0;
    return session;
}

void BM_HostSimEditStep (benchmark::State& state)
{
    hostsim::EventLog log;
    // A score of 20 staves x (argument) bars x 10 notes.
    hostsim::Host host (hostsim::ScoreGenerator::generate (20, static_cast<int> (state.range (0)), 10), log);
    NoMessages sink;
    int value = 0;

    for (auto _ : state)
    {
        // A curve edit of one node, its value alternating so every step changes the score.
        const auto text = "7;1;;10,0," + juce::String (value) + ",0;10,0," + juce::String (value) + ",0;;10:0," + juce::String (value) + ",0";
        value = 1 - value;
        host.edit ("ORV_Orvana.editCurve", sink, [&] (hostsim::HostAccess& access)
                   { hostsim::orvana::edits::applyEditCurve (access.editScore(), text); });
    }

    state.counters["notes"] = static_cast<double> (host.getScore().countNotes());
}
BENCHMARK (BM_HostSimEditStep)->Arg (50)->Arg (500)->Unit (benchmark::kMillisecond)->MinTime (2.0);

void BM_HostSimRefreshOfRegion (benchmark::State& state)
{
    static const auto score = hostsim::ScoreGenerator::generate (20, 500, 10);
    const auto session = sessionFor (static_cast<int> (state.range (0)));
    size_t bytes = 0;

    for (auto _ : state)
    {
        const auto text = hostsim::json::toCompactString (hostsim::orvana::makeSessionPayload (score, session));
        bytes = text.getNumBytesAsUTF8();
        benchmark::DoNotOptimize (text);
    }

    state.counters["MB"] = static_cast<double> (bytes) / 1.0e6;
}
BENCHMARK (BM_HostSimRefreshOfRegion)->Arg (50)->Arg (500)->Unit (benchmark::kMillisecond)->MinTime (2.0);
} // namespace
