#include "orv/actions/TempoActions.h"
#include "orv/score/io/TempoCurveLoader.h"
#include "orv/score/io/TestOrvana.h"
#include "orv/ui/tracker/TrackerTestScores.h"
#include "orv/ui/tracker/hitPoint/HitPointLabelsContainer.h"
#include "orv/ui/tracker/tempo/TempoLane.h"
#include "orv/ui/tracker/tempo/TempoTool.h"
#include "orv/ui/tracker/timePort/TimePort.h"
#include "support/LogCapture.h"
#include "utils/JsonParser.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int numBars = 500;
constexpr int pointsPerBar = 10;
constexpr int laneWidth = 1800;

/** The tempo block of a 1920x1080 editor (lanes 1800 pixels wide) over 500
    bars holding 5,000 tempo points (ramps and jumps, a tempo mark every
    fifty) and 500 hit points, one per bar. */
struct TempoBlock
{
    TempoBlock()
    {
        orvana.loadText (trackerTestPayload (numBars));
        juce::StringArray points, hitPointTexts;

        for (int bar = 1; bar <= numBars; ++bar)
        {
            for (int i = 0; i < pointsPerBar; ++i)
            {
                const auto n = (bar - 1) * pointsPerBar + i;
                const auto pos = juce::String (i * 100);
                const auto val = juce::String (80 + (n * 37) % 90);

                if (n % 50 == 0)
                    points.add ("{\"type\": \"M\", \"barNum\": " + juce::String (bar) + ", \"pos\": " + pos + ", \"val\": " + val + ", \"label\": \"Mark\", \"muted\": \"" + (n % 100 == 0 ? "M" : "P") + "\"}");
                else
                    points.add ("{\"type\": \"N\", \"barNum\": " + juce::String (bar) + ", \"pos\": " + pos + ", \"val\": " + val + ", \"reachShape\": \"" + (n % 2 == 0 ? "R" : "J") + "\"}");
            }

            hitPointTexts.add ("{\"id\": " + juce::String (bar) + ", \"bar\": " + juce::String (bar) + ", \"position\": 512, \"time\": " + juce::String (bar * 1000) + ", \"label\": \"Hit " + juce::String (bar) + "\"}");
        }

        orv::score::io::TempoCurveLoader::loadCurveObject (utils::json::parse ("{\"startLevel\": 100, \"points\": [" + points.joinIntoString (",") + "]}"),
                                                           orvana.score, orv::score::io::TempoCurveLoader::ExpandMode::replaceCurve);
        orv::actions::applyTempoActionHitPointsReply (utils::json::parse ("{\"hitPointList\": [" + hitPointTexts.joinIntoString (",") + "]}"), orvana.score);

        auto state = orvana.state.getOrCreateTempoState();
        state.setChompMode (false);
        state.getSnapping().setEnabled (false);
        state.setBpmViewRange (orv::TempoBpmViewRange (40.0, 200.0));

        port.setBounds (0, 0, laneWidth, 1000);
        block.setSize (laneWidth, 128);
        block.addAndMakeVisible (hitPoints);
        block.addAndMakeVisible (lane);
        hitPoints.setBounds (0, 0, laneWidth, 18);
        lane.setBounds (0, 18, laneWidth, 110);
        hitPoints.loadInitialState();
        tool.connectToCanvas (lane);
    }

    /** zoomX pixels per tick, scrolled to the middle of the score. */
    void zoomTo (float zoomX)
    {
        port.setZoomX (zoomX, true);
        const auto visible = port.viewWidthToTicks (laneWidth);
        port.setScrollDocX ((static_cast<float> (orvana.score.getTotalTicks()) - visible) / 2.0f, true);
        hitPoints.viewChanged();
    }

    void paint()
    {
        juce::Graphics g (image);
        block.paintEntireComponent (g, false);
    }

    void paintLaneOnly()
    {
        juce::Graphics g (image);
        lane.paintEntireComponent (g, false);
    }

    testsupport::ScopedLogCapture log;
    TestOrvana orvana;
    orv::tracker::timePort::TimePort port{orvana};
    juce::Component block;
    orv::tracker::tempo::TempoLane lane{port, orvana};
    orv::tracker::hitPoint::HitPointLabelsContainer hitPoints{port, orvana};
    orv::tracker::tempo::TempoTool tool{orvana};
    juce::Image image{juce::Image::ARGB, laneWidth, 128, true};
};

juce::MouseEvent leftMouseAt (juce::Component& component, juce::Point<float> position, juce::Point<float> downAt)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier),
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY,
                             &component, &component, now, downAt, now, 1, position != downAt);
}

// Repainting the tempo lane and the hit-point labels. Argument 0: the
// editor's widest zoom (0.03125 px/tick, 56 bars, about 560 points on
// screen); 1: the whole score on screen (all 5,000 points and 500 labels).
void BM_TempoLaneRepaint (benchmark::State& state)
{
    TempoBlock block;
    block.zoomTo (state.range (0) == 0 ? 0.03125f : static_cast<float> (laneWidth - 20) / static_cast<float> (block.orvana.score.getTotalTicks()));

    for (auto _ : state)
        block.paint();
}
BENCHMARK (BM_TempoLaneRepaint)->ArgName ("wholeScore")->Arg (0)->Arg (1)->Unit (benchmark::kMillisecond)->MinTime (2.0);

// The lane alone (curve, marks, grid), without the hit-point labels, at the same two zooms.
void BM_TempoLaneRepaintWithoutLabels (benchmark::State& state)
{
    TempoBlock block;
    block.zoomTo (state.range (0) == 0 ? 0.03125f : static_cast<float> (laneWidth - 20) / static_cast<float> (block.orvana.score.getTotalTicks()));

    for (auto _ : state)
        block.paintLaneOnly();
}
BENCHMARK (BM_TempoLaneRepaintWithoutLabels)->ArgName ("wholeScore")->Arg (0)->Arg (1)->Unit (benchmark::kMillisecond)->MinTime (2.0);

// One step of a draw gesture in the middle of the score at the default
// zoom: the tempo under the pointer, the point inserted into the curve and
// the points it passes over removed.
void BM_TempoDrawStep (benchmark::State& state)
{
    TempoBlock block;
    block.zoomTo (0.15625f);
    const juce::Point<float> down (400.0f, 50.0f);
    block.lane.mouseDown (leftMouseAt (block.lane, down, down));
    int step = 0;

    for (auto _ : state)
    {
        const auto x = 400.0f + static_cast<float> (step++ % 200) * 3.0f;
        block.lane.mouseDrag (leftMouseAt (block.lane, {x, 30.0f + static_cast<float> (step % 40)}, down));
    }

    state.counters["points"] = block.orvana.score.getOrCreateTempoCurve().getNumPoints();
}
BENCHMARK (BM_TempoDrawStep)->Unit (benchmark::kMicrosecond)->MinTime (2.0);
} // namespace
