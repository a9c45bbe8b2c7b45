#include "ScorePayloadGenerator.h"
#include "orv/Orvana.h"
#include "orv/ui/tracker/Tracker.h"
#include "support/LogCapture.h"
#include "support/ProductStandIns.h"
#include "utils/JsonParser.h"

#include <benchmark/benchmark.h>

namespace
{
using Mode = orv::score::io::ScoreLoader::DecodeMode;

/** The editor at 1920x1080 over the generated score of 20 staves x 500 bars
    x 10 notes (100,000 notes), scrolled to the middle of the score. */
struct EditorOnBigScore
{
    EditorOnBigScore()
    {
        product = std::make_unique<orv::Orvana> (standIns.context(), orv::Orvana::Seams{});
        product->loadPayload (utils::json::parse (payload()), Mode::load);
        tracker = std::make_unique<orv::tracker::Tracker> (*product);
        tracker->setSize (1920, 1080);
        product->getTransport().setPlayLinePoser (orv::Poser (250, 0));
    }

    static const juce::String& payload()
    {
        static const juce::String text = orvbench::makeScorePayload (orvbench::PayloadShape{});
        return text;
    }

    void zoomTo (float ratio)
    {
        tracker->setZoomRatioXWithPlayLineAnchor (ratio);
        auto& port = tracker->getTimePort();
        port.setScrollDocX (static_cast<float> (product->getScore().getTotalTicks()) / 2.0f, true);
    }

    void paint()
    {
        juce::Graphics g (image);
        tracker->paintEntireComponent (g, false);
    }

    testsupport::ScopedLogCapture log;
    testsupport::ProductStandIns standIns;
    std::unique_ptr<orv::Orvana> product;
    std::unique_ptr<orv::tracker::Tracker> tracker;
    juce::Image image{juce::Image::ARGB, 1920, 1080, true};
};

// A full repaint of the editor; argument 0 is the widest zoom (ratio 0.2,
// the most bars on screen), 1 the default zoom.
void BM_TrackerFullRepaint (benchmark::State& state)
{
    EditorOnBigScore editor;
    editor.zoomTo (state.range (0) == 0 ? 0.2f : 1.0f);

    for (auto _ : state)
        editor.paint();
}
BENCHMARK (BM_TrackerFullRepaint)->ArgName ("defaultZoom")->Arg (0)->Arg (1)->Unit (benchmark::kMillisecond)->MinTime (2.0);

// One Ctrl+wheel step: zoom about the play line, then the repaint it causes.
void BM_TrackerZoomStep (benchmark::State& state)
{
    EditorOnBigScore editor;
    editor.zoomTo (1.0f);
    bool in = true;

    for (auto _ : state)
    {
        editor.tracker->setZoomRatioXWithPlayLineAnchor (editor.tracker->getZoomRatioX() + (in ? 0.1f : -0.1f));
        editor.paint();
        in = !in;
    }
}
BENCHMARK (BM_TrackerZoomStep)->Unit (benchmark::kMillisecond)->MinTime (2.0);

// After an edit's reload (mode 1 rebuilds every track tree): binding the
// containers to the new trees, once for the load. Only the binding is timed;
// the reload and the release of the replaced trees are not.
void BM_TrackerRebindAfterReload (benchmark::State& state)
{
    EditorOnBigScore editor;

    for (auto _ : state)
    {
        editor.product->loadPayload (utils::json::parse (EditorOnBigScore::payload()), Mode::reload);
        const auto start = juce::Time::getMillisecondCounterHiRes();
        editor.tracker->rebindTrackCons();
        state.SetIterationTime ((juce::Time::getMillisecondCounterHiRes() - start) / 1000.0);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
        editor.log.lines.clear();
    }
}
BENCHMARK (BM_TrackerRebindAfterReload)->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (20);
} // namespace
