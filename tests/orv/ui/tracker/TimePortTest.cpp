// The time port: the mapping between ticks and pixels, scrolling within the
// score, the view state it writes, snapping and the grid it draws.
#include "orv/ui/tracker/timePort/TimePort.h"
#include "orv/score/io/TestOrvana.h"
#include "orv/ui/tracker/TrackerTestScores.h"
#include "orv/ui/tracker/timePort/ComboSnap.h"
#include "orv/ui/tracker/timePort/GridRules.h"
#include "orv/ui/tracker/timePort/TimeCanvas.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

using orv::tracker::timePort::ComboSnap;
using orv::tracker::timePort::SnapProps;
using orv::tracker::timePort::TimePort;
using Mode = SnapProps::SnapFilterMode;

namespace
{
struct CtrlSeam
{
    explicit CtrlSeam (bool held)
    {
        SnapProps::isBypassHeld = [held]
        { return held; };
    }
    ~CtrlSeam() { SnapProps::isBypassHeld = saved; }
    std::function<bool()> saved = SnapProps::isBypassHeld;
};

/** Columns of the image with any visible pixel in row y. */
std::vector<int> litColumns (const juce::Image& image, int y)
{
    std::vector<int> columns;

    for (int x = 0; x < image.getWidth(); ++x)
        if (image.getPixelAt (x, y).getAlpha() > 0)
            columns.push_back (x);

    return columns;
}
} // namespace

TEST (TimePort, MapsTicksToPixelsAndScrollsWithinTheScore)
{
    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (trackerTestPayload (40)));
    TimePort port (orvana);
    port.setSize (820, 300);

    EXPECT_FLOAT_EQ (port.getZoomX(), 0.15625f);
    EXPECT_FLOAT_EQ (port.ticksToViewX (1024), 160.0f) << "a whole note is 160 pixels at the default zoom";
    EXPECT_EQ (port.viewXtoPoser (160.0f), orv::Poser (2, 0));
    EXPECT_EQ (port.viewXtoPoser (160.0f + 0.5f * 0.15625f * 0.999f), orv::Poser (2, 0)) << "rounds to the nearest tick";
    EXPECT_FALSE (port.poserToViewXOp (orv::Poser (99, 0)).has_value());
    EXPECT_FLOAT_EQ (port.poserToViewX (orv::Poser (99, 0)), 0.0f) << "a missing bar maps to tick 0";

    // The visible span leaves out the last 20 pixels: 800 / 0.15625 = 5120 ticks.
    port.setScrollDocX (1.0e9f, true);
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 40 * 1024 - 5120.0f);
    EXPECT_DOUBLE_EQ (port.getScrollBar().getCurrentRangeStart(), 40 * 1024 - 5120.0);
    EXPECT_DOUBLE_EQ (port.getScrollBar().getCurrentRangeSize(), 5120.0);
    EXPECT_DOUBLE_EQ (port.getScrollBar().getSingleStepSize(), 1280.0) << "a quarter of the span";
    EXPECT_DOUBLE_EQ (orvana.state.getOrCreateEditorViewportState().getScrollDocX(), 40 * 1024 - 5120.0);

    port.setScrollDocX (-300.0f, true);
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 0.0f);

    // Zooming out until the score is shorter than the view pins it to 0.
    port.setScrollDocX (1.0e9f, true);
    port.setZoomX (0.03125f, true);
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 40 * 1024 - 800 / 0.03125f);
    port.setZoomX (0.01f, true);
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 0.0f);
    EXPECT_DOUBLE_EQ (orvana.state.getOrCreateEditorViewportState().getZoomX(), 0.01f);

    // A port narrower than 21 pixels counts as 21: one pixel of span.
    port.setZoomX (0.15625f, false);
    port.setSize (5, 300);
    port.setScrollDocX (1.0e9f, false);
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 40 * 1024 - 1 / 0.15625f);

    // Moving the scroll bar scrolls the port.
    port.setSize (820, 300);
    port.getScrollBar().setCurrentRangeStart (2048.0);
    EXPECT_TRUE (testsupport::pumpUntil ([&]
                                         { return port.getScrollDocX() == 2048.0f; }));
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 2048.0f);
    EXPECT_FLOAT_EQ (port.ticksToViewX (2048), 0.0f);
}

TEST (TimePort, AScoreWithoutBarsMapsEverythingToTickZero)
{
    TestOrvana orvana;
    TimePort port (orvana);
    port.setSize (400, 200);
    port.setScrollDocX (500.0f, true);
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 0.0f);
    EXPECT_TRUE (port.viewXtoPoser (100.0f).isClear());
    EXPECT_FLOAT_EQ (port.poserToViewX (orv::Poser (1, 100)), 0.0f);
    EXPECT_FLOAT_EQ (port.getScoreViewWidth(), 0.0f);
}

TEST (TimePort, ReadsTheStoredViewAndIgnoresADamagedOne)
{
    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (trackerTestPayload (40)));
    auto view = orvana.state.getOrCreateEditorViewportState();
    view.setZoomX (0.5);
    view.setScrollDocX (3000.0);
    {
        TimePort port (orvana);
        EXPECT_FLOAT_EQ (port.getZoomX(), 0.5f);
        EXPECT_FLOAT_EQ (port.getScrollDocX(), 3000.0f);
    }

    view.setZoomX (-2.0);
    view.setScrollDocX (std::numeric_limits<double>::quiet_NaN());
    TimePort port (orvana);
    EXPECT_FLOAT_EQ (port.getZoomX(), 0.15625f);
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 0.0f);
}

TEST (TimePort, SnapsByModeUnlessCtrlIsHeld)
{
    SnapProps props;
    props.setSnapTicks (256);
    TestOrvana orvana;
    TimePort port (orvana);

    {
        const CtrlSeam noCtrl (false);
        EXPECT_EQ (port.snapFilter (300, Mode::Nearest), 300) << "no snap properties: unchanged";
        port.setSnapProps (props);

        struct Case
        {
            int ticks;
            Mode mode;
            int expected;
        };

        for (const auto& c : {Case{300, Mode::Nearest, 256}, Case{300, Mode::Floor, 256}, Case{100, Mode::NearestAtLeastOne, 256},
                              Case{100, Mode::Nearest, 0}, Case{400, Mode::Nearest, 512}, Case{-100, Mode::Floor, -256},
                              Case{1000, Mode::NearestAtLeastOne, 1024}, Case{300, static_cast<Mode> (7), 0}})
            EXPECT_EQ (port.snapFilter (c.ticks, c.mode), c.expected) << c.ticks << " mode " << static_cast<int> (c.mode);

        props.setSnapTicks (0);
        EXPECT_EQ (port.snapFilter (300, Mode::Floor), 300) << "0 turns snapping off";
        props.setSnapTicks (-32);
        EXPECT_EQ (port.snapFilter (300, Mode::Floor), 300);
        props.setSnapTicks (256);
    }

    const CtrlSeam ctrl (true);
    EXPECT_EQ (port.snapFilter (300, Mode::Nearest), 300);
    EXPECT_EQ (port.snapFilter (100, Mode::NearestAtLeastOne), 100);
}

TEST (TimePort, DrawsBeatsAndADoublingSnapGrid)
{
    using orv::tracker::timePort::snapGridLinesFor;

    // 32 ticks at 0.03125 px/tick would be 1 pixel apart: doubled to 256 (8 px).
    const auto lines = snapGridLinesFor (32, 1024, 0.03125f, 5);
    EXPECT_EQ (lines.step, 256);
    EXPECT_EQ (lines.count, 4);
    EXPECT_EQ (snapGridLinesFor (32, 1024, 0.15625f, 5).step, 32) << "already 5 pixels apart";
    EXPECT_EQ (snapGridLinesFor (512, 768, 0.001f, 5).step, 1024) << "stops once the step reaches the bar";
    EXPECT_EQ (snapGridLinesFor (512, 768, 0.001f, 5).count, 0);
    EXPECT_EQ (snapGridLinesFor (0, 1024, 1.0f, 5).count, 0);

    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (trackerTestPayload (4, 768, "3/4")));
    TimePort port (orvana);
    port.setSize (600, 100);

    const auto paintBar = [&] (auto draw)
    {
        juce::Image image (juce::Image::ARGB, 600, 10, true);
        juce::Graphics g (image);
        g.setColour (juce::Colours::white);
        draw (g, orvana.score.getBar (2));
        return image;
    };

    // Bar 2 of 3/4 starts at 768 ticks (x 120): beats at 160 and 200, not at the bar start.
    const auto beats = paintBar ([&] (juce::Graphics& g, const orv::Bar& bar)
                                 { port.drawBarSubdivs (g, bar, 10.0f); });
    EXPECT_EQ (litColumns (beats, 5), (std::vector<int>{160, 200}));

    // A 1/32 grid at the widest zoom: dashes every 256 ticks (8 px) from one step after the bar start.
    SnapProps props;
    props.setSnapTicks (32);
    props.setGridColor (juce::Colours::red);
    port.setSnapProps (props);
    port.setZoomX (0.03125f, false);
    const auto grid = paintBar ([&] (juce::Graphics& g, const orv::Bar& bar)
                                { port.drawBarSnapGrid (g, bar, 10.0f); });
    EXPECT_EQ (litColumns (grid, 0), (std::vector<int>{32, 40, 48})) << "bar 2 spans x 24 to 48";
    EXPECT_TRUE (litColumns (grid, 2).empty()) << "dash 1, gap 4";
    EXPECT_EQ (litColumns (grid, 5), (std::vector<int>{32, 40, 48}));

    props.setSnapTicks (0);
    EXPECT_TRUE (litColumns (paintBar ([&] (juce::Graphics& g, const orv::Bar& bar)
                                       { port.drawBarSnapGrid (g, bar, 10.0f); }),
                             0)
                     .empty())
        << "no grid while snapping is off";
}

TEST (TimePort, BeatOfABarComesFromItsMeter)
{
    using orv::tracker::timePort::beatTicksOf;
    orv::Score score;
    auto bar = score.getOrCreateBar (1);
    EXPECT_EQ (beatTicksOf (bar), 256) << "no meter";
    bar.setMeter (6, 8);
    EXPECT_EQ (beatTicksOf (bar), 128);
    bar.setMeter (3, 2048);
    EXPECT_EQ (beatTicksOf (bar), 256) << "less than a tick";
}

TEST (TimePort, TheSnapMenuWritesTheGridStep)
{
    SnapProps props;
    orv::tracker::timePort::ComboSnap menu (props);
    auto& combo = menu.getCombo();

    juce::StringArray labels;
    for (const auto& item : combo.getItems())
        labels.add (juce::String (item.id) + "=" + item.label);
    EXPECT_EQ (labels.joinIntoString (" "), "0=Off 1024=1 512=1/2 256=1/4 128=1/8 64=1/16 32=1/32");
    EXPECT_TRUE (combo.isOff()) << "no step yet: off";

    combo.requestSetSelectedId (64);
    EXPECT_EQ (props.getSnapTicks(), 64);
    EXPECT_TRUE (props.isEnabled());

    combo.requestSetSelectedId (ComboSnap::offId);
    EXPECT_EQ (props.getSnapTicks(), 0);
    EXPECT_FALSE (props.isEnabled());

    props.setSnapTicks (512);
    EXPECT_EQ (combo.getSelectedLabel(), "1/2") << "the menu follows the tree";
}

TEST (TimePort, ACanvasFindsTheTopmostObjectOnTheAxis)
{
    using orv::tracker::timePort::TcObject;
    using orv::tracker::timePort::TimeCanvas;

    /** A 10-pixel square at a tick, lane y 20. */
    struct Marker final : TcObject
    {
        explicit Marker (int64_t at)
            : ticks (at)
        {
        }
        juce::Rectangle<float> getViewBounds (const TimeCanvas& c) const override
        {
            return {c.tickPositionToViewX (ticks) - 5.0f, c.localToViewY (20.0f) - 5.0f, 10.0f, c.localToViewHeight (10.0f)};
        }
        void paint (juce::Graphics& g, const TimeCanvas& c) const override { g.fillRect (getViewBounds (c)); }
        int64_t ticks;
    };

    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (trackerTestPayload (8)));
    TimePort port (orvana);
    port.setSize (820, 300);
    TimeCanvas canvas (port);
    canvas.addObject (std::make_unique<Marker> (1024));
    canvas.addObject (std::make_unique<Marker> (1040));
    auto* later = dynamic_cast<Marker*> (canvas.getObjectUnderMouse ({162.0f, 20.0f}));
    ASSERT_NE (later, nullptr);
    EXPECT_EQ (later->ticks, 1040) << "overlapping objects: the one drawn last wins";
    EXPECT_EQ (dynamic_cast<Marker*> (canvas.getObjectUnderMouse ({157.0f, 20.0f}))->ticks, 1024);
    EXPECT_EQ (canvas.getObjectUnderMouse ({300.0f, 20.0f}), nullptr);

    // Scrolled and zoomed, the objects follow the axis.
    port.setScrollDocX (512.0f, true);
    port.setZoomX (0.3125f, false);
    EXPECT_FLOAT_EQ (canvas.poserToViewX (orv::Poser (2, 0)), 160.0f);
    EXPECT_FLOAT_EQ (canvas.tickDurationToViewWidth (256), 80.0f);
    EXPECT_EQ (dynamic_cast<Marker*> (canvas.getObjectUnderMouse ({157.0f, 20.0f}))->ticks, 1024);
    port.setZoomY (2.0f);
    EXPECT_FLOAT_EQ (canvas.localToViewY (20.0f), 40.0f);
    EXPECT_EQ (canvas.getObjectUnderMouse ({157.0f, 20.0f}), nullptr) << "the lane's vertical zoom moves them down";
    EXPECT_NE (canvas.getObjectUnderMouse ({157.0f, 40.0f}), nullptr);
}
