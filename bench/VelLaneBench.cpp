#include "ScorePayloadGenerator.h"
#include "orv/Orvana.h"
#include "orv/ui/tracker/Tracker.h"
#include "orv/ui/tracker/ve/VelLane.h"
#include "support/LogCapture.h"
#include "support/ProductStandIns.h"
#include "utils/JsonParser.h"

#include <benchmark/benchmark.h>

namespace
{
/** The editor at 1920x1080 with the velocity lanes shown, over the
    generated score of 20 staves x 500 bars x 10 notes (100,000 written
    notes and 10,000 phantom ones), scrolled to the middle of the score at
    the zoom ratio given. */
struct VelocityLanesOnBigScore
{
    explicit VelocityLanesOnBigScore (float zoomRatio)
    {
        product = std::make_unique<orv::Orvana> (standIns.context(), orv::Orvana::Seams{});
        product->loadPayload (utils::json::parse (orvbench::makeScorePayload (orvbench::PayloadShape{})),
                              orv::score::io::ScoreLoader::DecodeMode::load);
        tracker = std::make_unique<orv::tracker::Tracker> (*product);
        tracker->setSize (1920, 1080);
        tracker->showVelCon();
        tracker->setZoomRatioXWithPlayLineAnchor (zoomRatio);
        tracker->getTimePort().setScrollDocX (static_cast<float> (product->getScore().getTotalTicks()) / 2.0f, true);
    }

    /** Paints every velocity lane that is on screen, where the editor shows it. */
    int paintVisibleLanes()
    {
        juce::Graphics g (image);
        int painted = 0;

        for (const auto& con : tracker->getTrackCons())
        {
            auto& lane = con->getVelLane();
            const auto area = tracker->getLocalArea (&lane, lane.getLocalBounds());

            if (!lane.isVisible() || !area.intersects (tracker->getLocalBounds()))
                continue;

            juce::Graphics::ScopedSaveState saved (g);
            g.setOrigin (area.getPosition());
            g.reduceClipRegion (lane.getLocalBounds());
            lane.paintEntireComponent (g, false);
            ++painted;
        }

        return painted;
    }

    juce::MouseEvent eventOn (orv::tracker::ve::VelLane& lane, juce::Point<float> at) const
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), at, juce::ModifierKeys::leftButtonModifier,
                                 juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                 juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                                 juce::MouseInputSource::defaultTiltY, &lane, &lane, now, at, now, 1, true);
    }

    testsupport::ScopedLogCapture log;
    testsupport::ProductStandIns standIns;
    std::unique_ptr<orv::Orvana> product;
    std::unique_ptr<orv::tracker::Tracker> tracker;
    juce::Image image{juce::Image::ARGB, 1920, 1080, true};
};

// Repainting every velocity lane on screen; argument 0 is the widest zoom
// (ratio 0.2, the most sticks on screen), 1 the default zoom.
void BM_VelLanesRepaint (benchmark::State& state)
{
    VelocityLanesOnBigScore editor (state.range (0) == 0 ? 0.2f : 1.0f);
    int lanes = 0;

    for (auto _ : state)
        lanes = editor.paintVisibleLanes();

    state.counters["lanes"] = lanes;
}
BENCHMARK (BM_VelLanesRepaint)->ArgName ("defaultZoom")->Arg (0)->Arg (1)->Unit (benchmark::kMillisecond)->MinTime (2.0);

// One drag step of a set gesture across a lane: the sticks passed are found
// by tick, their notes change in the model and join the pending edit. The
// step goes back and forth over 200 pixels.
void BM_VelLaneDragStep (benchmark::State& state)
{
    VelocityLanesOnBigScore editor (state.range (0) == 0 ? 0.2f : 1.0f);
    auto& lane = editor.tracker->getTrackCons().front()->getVelLane();
    const auto y = static_cast<float> (lane.getHeight()) / 3.0f;
    lane.extMouseDown (editor.eventOn (lane, {400.0f, y}));
    bool right = true;

    for (auto _ : state)
    {
        lane.extMouseDrag (editor.eventOn (lane, {right ? 600.0f : 400.0f, right ? y * 2.0f : y}));
        right = !right;
    }

    state.counters["notesInEdit"] = lane.getPendingNoteVel() != nullptr ? lane.getPendingNoteVel()->getNumNotes() : 0;
    lane.extMouseUp (editor.eventOn (lane, {400.0f, y}));
}
BENCHMARK (BM_VelLaneDragStep)->ArgName ("defaultZoom")->Arg (0)->Arg (1)->Unit (benchmark::kMicrosecond)->MinTime (2.0);
} // namespace
