#include "ScorePayloadGenerator.h"
#include "orv/Orvana.h"
#include "orv/ui/tracker/Tracker.h"
#include "orv/ui/tracker/roll/RollGrid.h"
#include "orv/ui/tracker/tool/LassoTool.h"
#include "support/LogCapture.h"
#include "support/ProductStandIns.h"
#include "utils/JsonParser.h"

#include <benchmark/benchmark.h>

namespace
{
using Mode = orv::score::io::ScoreLoader::DecodeMode;

/** The editor at 1920x1080 over one staff of 100,000 notes packed into 50
    bars, so that at the widest zoom (ratio 0.2) every note is in view. */
struct RollOnBigScore
{
    RollOnBigScore()
    {
        product = std::make_unique<orv::Orvana> (standIns.context(), orv::Orvana::Seams{});
        product->loadPayload (utils::json::parse (payload()), Mode::load);
        tracker = std::make_unique<orv::tracker::Tracker> (*product);
        tracker->setSize (1920, 1080);
        tracker->setZoomRatioXWithPlayLineAnchor (0.2f);
        tracker->getTimePort().setScrollDocX (0.0f, true);
    }

    static orvbench::PayloadShape shape()
    {
        orvbench::PayloadShape s;
        s.staves = 1;
        s.bars = 50;
        s.notesPerBar = 2000;
        return s;
    }

    static const juce::String& payload()
    {
        static const juce::String text = orvbench::makeScorePayload (shape());
        return text;
    }

    orv::tracker::roll::RollGrid& grid() { return *tracker->getTrackCons().front()->getRoll(); }

    juce::MouseEvent event (juce::Point<float> at, juce::Point<float> down)
    {
        auto& g = grid();
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), at, juce::ModifierKeys::leftButtonModifier, 1.0f, 0, 0, 0, 0, &g, &g, now, down, now, 1, true);
    }

    testsupport::ScopedLogCapture log;
    testsupport::ProductStandIns standIns;
    std::unique_ptr<orv::Orvana> product;
    std::unique_ptr<orv::tracker::Tracker> tracker;
};

// A mouse move's hit test: the note and edge under the pointer, over the whole grid.
void BM_RollHitTest (benchmark::State& state)
{
    RollOnBigScore editor;
    auto& g = editor.grid();
    benchmark::DoNotOptimize (g.getRollNotes().size());
    int i = 0;

    for (auto _ : state)
    {
        const auto x = static_cast<float> (30 + (i * 37) % (g.getWidth() - 30));
        const auto y = static_cast<float> ((i * 13) % g.getHeight());
        benchmark::DoNotOptimize (g.classifyHit (x, y));
        ++i;
    }
}
BENCHMARK (BM_RollHitTest)->Unit (benchmark::kMicrosecond)->MinTime (1.0);

// One lasso step: the pointer moves 4 pixels, as in a drag, growing the
// rectangle over a quarter of the grid (about 25,000 notes) and back.
void BM_RollLassoStep (benchmark::State& state)
{
    RollOnBigScore editor;
    auto& g = editor.grid();
    auto& lasso = editor.tracker->getRollTool().getPointerTool().getLasso();
    const juce::Point<float> down (40.0f, 10.0f);
    lasso.beginLasso (g, editor.event (down, down));
    const auto span = static_cast<float> (g.getWidth()) * 0.25f;
    float x = 0.0f, step = 4.0f;

    for (auto _ : state)
    {
        x += step;
        if (x > span || x < 0.0f)
            step = -step;
        lasso.updateLasso (editor.event ({down.x + x, static_cast<float> (g.getHeight()) - 10.0f}, down));
    }

    lasso.endLasso();
}
BENCHMARK (BM_RollLassoStep)->Unit (benchmark::kMillisecond)->MinTime (1.0);

// A full repaint of the roll with all 100,000 notes in view at the widest zoom.
void BM_RollFullRepaint (benchmark::State& state)
{
    RollOnBigScore editor;
    auto& g = editor.grid();
    juce::Image image (juce::Image::ARGB, g.getWidth(), g.getHeight(), true);

    for (auto _ : state)
    {
        juce::Graphics graphics (image);
        g.paintEntireComponent (graphics, false);
    }
}
BENCHMARK (BM_RollFullRepaint)->Unit (benchmark::kMillisecond)->MinTime (2.0);
} // namespace
