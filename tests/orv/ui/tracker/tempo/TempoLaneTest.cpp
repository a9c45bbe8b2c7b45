// The tempo lane and its tool: the value scale and the lever's steps, the
// curve drawn from the model (steps, ramps, muted marks), and the gestures
// that become tempo actions: drawing, erasing, restoring a mark, and the
// pointers that must do nothing.
#include "orv/ui/tracker/tempo/TempoLane.h"
#include "gadget/TestMouse.h"
#include "gfx/Palette.h"
#include "orv/ui/tracker/tempo/TempoTestFixture.h"
#include "orv/ui/tracker/tempo/TempoTool.h"

#include <gtest/gtest.h>

using orv::Poser;
using orv::tracker::tempo::stepBpm;
using orv::tracker::tempo::TempoLane;
using orv::tracker::tempo::TempoScale;
using orv::tracker::tempo::TempoTool;

namespace
{
/** The view y of a tempo on the fixture's lane (110 high, margin 8, 40 to 200 bpm). */
float yOf (double bpm)
{
    return static_cast<float> (8.0 + (200.0 - bpm) * 94.0 / 160.0);
}

/** The first row of the column drawn in the curve's colour; -1 when none. */
int curveRowAt (const juce::Image& image, int x)
{
    for (int y = 0; y < image.getHeight(); ++y)
        if (testing_support::coloursClose (image.getPixelAt (x, y), gfx::colours::orange, 60))
            return y;

    return -1;
}

struct LaneFixture : TempoFixture
{
    LaneFixture()
    {
        lane.setBounds (0, 0, 1400, 110);
        tool.connectToCanvas (lane);
        auto state = tempoState();
        state.setChompMode (false);
        state.getSnapping().setEnabled (false);
    }

    void press (float x, float y, juce::ModifierKeys mods = leftButton)
    {
        down = {x, y};
        lane.mouseDown (mouseAt (lane, down, down, mods));
    }
    void drag (float x, float y, juce::ModifierKeys mods = leftButton) { lane.mouseDrag (mouseAt (lane, {x, y}, down, mods)); }
    void release (float x, float y, juce::ModifierKeys mods = leftButton) { lane.mouseUp (mouseAt (lane, {x, y}, down, mods)); }

    /** The unmuted plain point at the poser; invalid when none. */
    orv::CurvePoint plainAt (int bar, int pos)
    {
        for (const auto& point : curve().findPointsAtPoser ({bar, pos}))
            if (!point.isMark())
                return point;

        return {};
    }

    orv::CurvePoint mark() { return curve().findPointsAtPoser ({3, 0}).front(); }

    TempoLane lane{port, orvana};
    TempoTool tool{orvana};
    juce::Point<float> down;
};
} // namespace

TEST (TempoLaneScale, LeverStepsAndTheValueMapping)
{
    EXPECT_DOUBLE_EQ (stepBpm (120.26, 2), 120.5);
    EXPECT_DOUBLE_EQ (stepBpm (120.26, 1), 120.0);
    EXPECT_DOUBLE_EQ (stepBpm (120.26, 0), 120.26);
    EXPECT_DOUBLE_EQ (stepBpm (120.5, 1), 121.0) << "halves go away from zero";
    EXPECT_DOUBLE_EQ (stepBpm (120.74, 2), 120.5);
    EXPECT_DOUBLE_EQ (stepBpm (120.76, 2), 121.0);

    const TempoScale scale{110.0f, 8.0f, orv::TempoBpmViewRange (40.0, 200.0)};
    EXPECT_DOUBLE_EQ (*scale.viewYToBpm (8.0f), 200.0) << "the band's top is the maximum";
    EXPECT_DOUBLE_EQ (*scale.viewYToBpm (102.0f), 40.0) << "its bottom the minimum";
    EXPECT_NEAR (*scale.viewYToBpm (*scale.bpmToViewY (120.26)), 120.26, 1.0e-4);

    // A lane under 2m + 1 pixels has no band to map into.
    for (const auto height : {0.0f, 8.0f, 16.0f})
    {
        const TempoScale shortLane{height, 8.0f, orv::TempoBpmViewRange (40.0, 200.0)};
        EXPECT_FALSE (shortLane.viewYToBpm (4.0f).has_value()) << height;
        EXPECT_FALSE (shortLane.bpmToViewY (100.0).has_value()) << height;
    }

    EXPECT_TRUE ((TempoScale{17.0f, 8.0f, {}}.viewYToBpm (8.0f).has_value()));
}

TEST (TempoLanePaint, DrawsStepsRampsAndLeavesMutedMarksOut)
{
    LaneFixture f;
    EXPECT_EQ (f.lane.getNumTempoMarks(), 1);

    // 100 bpm until the mark at bar 3 (x 320), then its 90 bpm.
    auto image = testing_support::paintToImage (f.lane);
    EXPECT_NEAR (curveRowAt (image, 100), yOf (100.0), 1.5);
    EXPECT_NEAR (curveRowAt (image, 400), yOf (90.0), 1.5);

    // A point reached by a ramp at bar 5 (x 640): half-way there the tempo is half-way.
    f.loadCurve (R"({"startLevel": 100, "points": [{"type": "M", "barNum": 3, "pos": 0, "val": 90, "label": "Andante", "muted": "P"},
                     {"type": "N", "barNum": 5, "pos": 0, "val": 160, "reachShape": "R"}]})");
    image = testing_support::paintToImage (f.lane);
    EXPECT_NEAR (curveRowAt (image, 480), yOf (125.0), 1.5) << "a ramp is drawn as a line, not a step";
    EXPECT_NEAR (curveRowAt (image, 800), yOf (160.0), 1.5);

    // A muted mark is drawn, but the tempo does not follow it.
    f.mark().setMuted (true);
    image = testing_support::paintToImage (f.lane);
    EXPECT_NEAR (curveRowAt (image, 300), yOf (100.0 + 60.0 * 300.0 / 640.0), 1.5);
    EXPECT_EQ (f.lane.getNumTempoMarks(), 1);

    // The stored range is what the lane shows; unreadable text shows 0 to 20.
    f.tempoState().getState().setProperty ("bpmViewRange", "abc", nullptr);
    EXPECT_DOUBLE_EQ (*f.lane.viewYToVal (8), 20.0);
    EXPECT_DOUBLE_EQ (*f.lane.viewYToVal (102), 0.0);
}

TEST (TempoToolDraw, DrawsSteppedTempoAndSendsOneEditOnRelease)
{
    LaneFixture f;

    // 120.26 bpm under the pointer at bar 1, tick 512 (x 80), at each lever position.
    for (const auto& [lever, expected] : {std::pair<int, double>{2, 120.5}, {1, 120.0}, {0, 120.26}})
    {
        f.tempoState().setToggleSizePosition (lever);
        f.press (80.0f, yOf (120.26));
        ASSERT_TRUE (f.plainAt (1, 512).isValid()) << lever;
        EXPECT_NEAR (f.plainAt (1, 512).getVal(), expected, 1.0e-4) << "lever " << lever;
        f.release (80.0f, yOf (120.26));
    }

    EXPECT_EQ (f.sentMethods(), juce::StringArray ({"editTempoCurve", "editTempoCurve", "editTempoCurve"}));
    f.orvana.sentActions.clear();

    // A drag draws at every position but sends nothing until the release.
    f.tempoState().setToggleSizePosition (1);
    f.press (80.0f, yOf (110.0));
    f.drag (160.0f, yOf (130.0));
    f.drag (240.0f, yOf (150.0));
    EXPECT_TRUE (f.orvana.sentActions.empty());
    EXPECT_NEAR (f.plainAt (2, 0).getVal(), 130.0, 1.0e-9);
    EXPECT_NEAR (f.plainAt (2, 512).getVal(), 150.0, 1.0e-9);
    f.release (240.0f, yOf (150.0));
    ASSERT_EQ (f.sentMethods(), juce::StringArray ({"editTempoCurve"}));
    EXPECT_TRUE (f.orvana.sentActions[0].hasResponseHandler) << "the reply must reach the curve";
    EXPECT_TRUE (f.orvana.sentActions[0].argument["edit"].isObject());

    // After the release a drag has no action to add to.
    const auto points = f.curve().getNumPoints();
    f.drag (400.0f, yOf (60.0));
    f.release (400.0f, yOf (60.0));
    EXPECT_EQ (f.curve().getNumPoints(), points);
    EXPECT_EQ (f.orvana.sentActions.size(), 1u);

    // Drawing across the mark silences it; the edit says so.
    f.orvana.sentActions.clear();
    f.press (300.0f, yOf (140.0));
    f.drag (340.0f, yOf (140.0));
    f.release (340.0f, yOf (140.0));
    EXPECT_TRUE (f.mark().isMuted());
    ASSERT_EQ (f.orvana.sentActions.size(), 1u);
    EXPECT_TRUE (f.orvana.sentActions[0].argument["markMutings"].isArray());
}

TEST (TempoToolErase, RightDragCtrlClickAndTheEraseModeSendOneEraseEach)
{
    LaneFixture f;
    f.press (80.0f, yOf (110.0));
    f.drag (240.0f, yOf (150.0));
    f.release (240.0f, yOf (150.0));
    ASSERT_TRUE (f.plainAt (1, 512).isValid());
    f.orvana.sentActions.clear();

    f.press (60.0f, 50.0f, rightButton);
    EXPECT_TRUE (f.tool.isErasing());
    f.drag (150.0f, 50.0f, rightButton);
    f.drag (260.0f, 50.0f, rightButton);
    EXPECT_FALSE (f.plainAt (1, 512).isValid()) << "the swept zone is erased at once";
    EXPECT_FALSE (f.plainAt (2, 512).isValid());
    EXPECT_TRUE (f.orvana.sentActions.empty());
    f.release (260.0f, 50.0f, rightButton);
    EXPECT_EQ (f.sentMethods(), juce::StringArray ({"eraseTempoCurve"}));
    EXPECT_TRUE (f.orvana.sentActions[0].hasResponseHandler);
    EXPECT_TRUE (f.orvana.sentActions[0].argument["from"].isObject());
    EXPECT_FALSE (f.tool.isErasing()) << "the forced erase ends with the gesture";

    // The next left press draws again.
    f.press (80.0f, yOf (110.0));
    EXPECT_TRUE (f.tool.isDrawOpen());
    f.release (80.0f, yOf (110.0));

    // A Ctrl-click erases; so does any press in the erase mode, and the mode stays.
    f.orvana.sentActions.clear();
    f.press (80.0f, 50.0f, leftButton.withFlags (juce::ModifierKeys::ctrlModifier));
    f.release (80.0f, 50.0f);
    f.tool.setMode (TempoTool::Mode::erase);
    f.press (500.0f, 50.0f);
    f.release (500.0f, 50.0f);
    EXPECT_EQ (f.sentMethods(), juce::StringArray ({"eraseTempoCurve", "eraseTempoCurve"}));
    EXPECT_TRUE (f.tool.isErasing());
}

TEST (TempoToolMarks, AMarkPressRestoresItAndStartsNoDrawing)
{
    LaneFixture f;
    f.mark().setMuted (true);
    const auto points = f.curve().getNumPoints();

    // The flag of the mark at bar 3 (x 320) is at the lane's top.
    f.press (321.0f, 4.0f);
    f.drag (400.0f, yOf (60.0));
    f.release (400.0f, yOf (60.0));
    ASSERT_EQ (f.sentMethods(), juce::StringArray ({"restoreMark"}));
    const auto& sent = f.orvana.sentActions[0];
    EXPECT_EQ (static_cast<int> (sent.argument["mark"]["barId"]), 3);
    EXPECT_EQ (static_cast<int> (sent.argument["mark"]["pos"]), 0);
    EXPECT_TRUE (sent.hasResponseHandler);
    EXPECT_FALSE (f.tool.isDrawOpen());
    EXPECT_EQ (f.curve().getNumPoints(), points) << "no point was drawn";

    // The host's answer unmutes it.
    sent.onResponse (utils::json::parse (R"({"markCurve": [{"type": "M", "barNum": 3, "pos": 0, "val": 90, "label": "Andante", "muted": "P"}]})"));
    EXPECT_FALSE (f.mark().isMuted());
}

TEST (TempoToolLimits, PointersOutsideTheScoreAndShortLanesDoNothing)
{
    LaneFixture f;
    const auto points = f.curve().getNumPoints();

    // The score ends at x 1280.
    f.press (1350.0f, yOf (120.0));
    f.drag (1300.0f, yOf (120.0));
    f.release (1300.0f, yOf (120.0));
    f.press (1350.0f, 50.0f, rightButton);
    f.release (1350.0f, 50.0f, rightButton);
    EXPECT_EQ (f.curve().getNumPoints(), points);
    EXPECT_TRUE (f.orvana.sentActions.empty());

    // A lane too short for its margins draws nothing and takes no gesture.
    f.lane.setSize (1400, 16);
    EXPECT_FALSE (f.lane.viewYToVal (8).has_value());
    f.press (80.0f, 8.0f);
    f.drag (160.0f, 8.0f);
    f.release (160.0f, 8.0f);
    f.press (80.0f, 8.0f, rightButton);
    f.release (160.0f, 8.0f, rightButton);
    EXPECT_EQ (f.curve().getNumPoints(), points);
    EXPECT_TRUE (f.orvana.sentActions.empty());
    EXPECT_EQ (curveRowAt (testing_support::paintToImage (f.lane), 100), -1);
}
