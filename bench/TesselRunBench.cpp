// Tessel's run: what the suite does between the host's reply for one part
// and its request for the next (marking statuses, finding the next selected
// part, building the request), with the window's views following the trees.
#include "support/ProductStandIns.h"
#include "tsl/Tessel.h"
#include "tsl/ui/TslGadget.h"

#include <benchmark/benchmark.h>

namespace
{
juce::var partList (int parts)
{
    juce::Array<juce::var> list;

    for (int i = 0; i < parts; ++i)
    {
        auto* part = new juce::DynamicObject();
        list.add (juce::var (part));
        part->setProperty ("name", "Part " + juce::String (i));
        part->setProperty ("partIndex", i);
        part->setProperty ("sibFile", "/tmp/score/parts/Score - Part " + juce::String (i) + ".sib");
    }

    auto* reply = new juce::DynamicObject();
    reply->setProperty ("scoreFile", "/tmp/score/Score.sib");
    reply->setProperty ("partList", list);
    return juce::var (reply);
}

// One whole run over n parts, the host answering each request at once;
// items are parts, so the time per item is the suite's time per part.
void BM_TesselRunReplyToNextRequest (benchmark::State& state)
{
    const auto parts = static_cast<int> (state.range (0));
    testsupport::ProductStandIns standIns;
    tsl::Tessel product (standIns.context(), {});
    product.loadScoreStateFromData (partList (parts));
    tsl::TslGadget gadget (product.getState(), product.getScoreState());
    const juce::var done (new juce::DynamicObject());

    for (auto _ : state)
    {
        standIns.host.sent.clear();
        product.createParts();

        for (size_t i = 0; i < static_cast<size_t> (parts); ++i)
            standIns.host.answer (i, done);

        if (product.getScoreState().getExportStatus() != tsl::ExportStatus::finished)
            state.SkipWithError ("the run did not finish");
    }

    state.SetItemsProcessed (state.iterations() * parts);
}
BENCHMARK (BM_TesselRunReplyToNextRequest)->Arg (20)->Arg (200)->Unit (benchmark::kMillisecond);
} // namespace
