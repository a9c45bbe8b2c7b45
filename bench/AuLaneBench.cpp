#include "ScorePayloadGenerator.h"
#include "gadget/TestMouse.h"
#include "orv/Orvana.h"
#include "orv/ui/tracker/Tracker.h"
#include "orv/ui/tracker/au/AuCon.h"
#include "support/LogCapture.h"
#include "support/ProductStandIns.h"
#include "utils/JsonParser.h"

#include <benchmark/benchmark.h>

namespace
{
using Mode = orv::score::io::ScoreLoader::DecodeMode;

/** The editor at 1920x1080 over the generated score (20 staves x 500 bars),
    the volume lane shown in every track, each track's volume curve holding
    20,000 nodes (40 per bar), scrolled to the middle of the score. */
struct LanesOnBigCurves
{
    static constexpr int nodesPerBar = 40;

    LanesOnBigCurves()
    {
        product = std::make_unique<orv::Orvana> (standIns.context(), orv::Orvana::Seams{});
        product->loadPayload (utils::json::parse (orvbench::makeScorePayload (orvbench::PayloadShape{})), Mode::load);
        auto& score = product->getScore();

        for (auto track : score.getTracks())
        {
            auto curve = track.getOrCreateCurve (7);
            curve.removeAllNodes();

            for (int bar = 1; bar <= score.getNumBars(); ++bar)
                for (int i = 0; i < nodesPerBar; ++i)
                    curve.addNode (bar, i * 1024 / nodesPerBar, (bar * 7 + i * 13) % 128, i % 3 == 0 ? orv::Node::Jump : orv::Node::Ramp);
        }

        tracker = std::make_unique<orv::tracker::Tracker> (*product);
        tracker->setSize (1920, 1080);
        tracker->toggleAuCon (2);
        tracker->getTimePort().setScrollDocX (static_cast<float> (score.getTotalTicks()) / 2.0f, true);
    }

    int numNodes() const { return product->getScore().getTracks().front().getCurve (7).getNumNodes(); }

    testsupport::ScopedLogCapture log;
    testsupport::ProductStandIns standIns;
    std::unique_ptr<orv::Orvana> product;
    std::unique_ptr<orv::tracker::Tracker> tracker;
};

// Every automation lane on screen painted once.
void BM_AuLaneRepaintVisibleLanes (benchmark::State& state)
{
    LanesOnBigCurves editor;
    juce::Image image (juce::Image::ARGB, 1920, 200, true);
    int lanes = 0;

    for (auto _ : state)
    {
        lanes = 0;

        for (const auto& con : editor.tracker->getTrackCons())
        {
            auto* au = con->getAuCon();

            if (au == nullptr || !au->isVisible() || con->getBottom() < 0 || con->getY() > 1080)
                continue;

            juce::Graphics g (image);
            au->paintEntireComponent (g, false);
            ++lanes;
        }
    }

    state.counters["lanes"] = lanes;
    state.counters["nodesPerCurve"] = editor.numNodes();
}
BENCHMARK (BM_AuLaneRepaintVisibleLanes)->Unit (benchmark::kMillisecond)->MinTime (2.0);

// One step of a drawing gesture: the node is put in, the nodes passed over
// are cleaned, and the strip it touched is painted.
void BM_AuLaneDragStep (benchmark::State& state)
{
    LanesOnBigCurves editor;
    auto* lane = editor.tracker->getTrackCons().front()->getAuCon()->getLane();
    juce::Image image (juce::Image::ARGB, lane->getWidth(), lane->getHeight(), true);
    const auto start = testing_support::makeMouseEvent (*lane, {100.0f, 10.0f});
    lane->extMouseDown (start);
    float x = 100.0f;
    float y = 10.0f;

    for (auto _ : state)
    {
        x = x > 1700.0f ? 100.0f : x + 7.0f;
        y = y > static_cast<float> (lane->getHeight()) - 10.0f ? 10.0f : y + 3.0f;
        lane->extMouseDrag (testing_support::makeMouseEvent (*lane, {x, y}, start.position));

        juce::Graphics g (image);
        g.reduceClipRegion (juce::roundToInt (x) - 40, 0, 80, lane->getHeight());
        lane->paintEntireComponent (g, false);
    }

    // The gesture is dropped, not sent: the stand-in host has no use for it.
    lane->setTrack (lane->getTrack());
}
BENCHMARK (BM_AuLaneDragStep)->Unit (benchmark::kMicrosecond)->MinTime (2.0);
} // namespace
