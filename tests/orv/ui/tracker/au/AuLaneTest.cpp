// The automation lane: its value scale and the node panel's reading of
// typed text, drawing and erasing gestures with the one action each sends,
// painting of bipolar lanes, lanes too short to use, and the toolbar that
// switches the lane every track shows.
#include "orv/ui/tracker/au/AuLane.h"
#include "gadget/TestMouse.h"
#include "orv/score/io/PitchBendMapping.h"
#include "orv/score/io/TestOrvana.h"
#include "orv/ui/tracker/TrackerHub.h"
#include "orv/ui/tracker/TrackerTestScores.h"
#include "orv/ui/tracker/au/AuCon.h"
#include "orv/ui/tracker/au/pref/AuPref.h"
#include "orv/ui/tracker/timePort/TimePort.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{
using orv::Node;
using orv::Poser;
using orv::tracker::au::AuLane;
using orv::tracker::au::LaneScale;

constexpr int volume = 7, pan = 10, pitchBend = -2;

LaneScale scaleOf (float height, int controller, bool notePerformer = false)
{
    LaneScale scale;
    scale.height = height;
    scale.controller = controller;
    scale.notePerformer = notePerformer;
    return scale;
}

class AuLaneFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (orvana.loadText (trackerTestPayload (8, 1024, "4/4", 2)));
        port = std::make_unique<orv::tracker::timePort::TimePort> (orvana);
        port->setBounds (0, 0, 1200, 400);
    }

    /** Switches the score's sound set (and so the pitch-bend scale). */
    void useNotePerformer() { orvana.score.getOrCreateSoundSet().loadFromName ("NotePerformer"); }

    AuLane& makeLane (int controller, int height = 66)
    {
        lane = std::make_unique<AuLane> (*port, orvana.score.getTrack (1), controller, juce::Colours::green);
        lane->setBounds (0, 0, 1200, height);
        return *lane;
    }

    float xOf (int ticks) const { return port->ticksToViewX (ticks); }

    juce::MouseEvent event (float x, float y, juce::ModifierKeys mods = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier))
    {
        const auto e = testing_support::makeMouseEvent (*lane, {x, y});
        return juce::MouseEvent (e.source, e.position, mods, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, e.eventComponent, e.originalComponent, e.eventTime,
                                 e.mouseDownPosition, e.mouseDownTime, 1, false);
    }

    /** The ticks of every node of the lane's curve, in order. */
    std::vector<int64_t> nodeTicks() const
    {
        std::vector<int64_t> ticks;
        const auto curve = lane->getCurve();

        for (int i = 0; curve.isValid() && i < curve.getNumNodes(); ++i)
            ticks.push_back (orvana.score.poserToTicks (curve.getNode (i).getPoser()));

        return ticks;
    }

    std::vector<juce::String> sentMethods() const
    {
        std::vector<juce::String> methods;

        for (const auto& sent : orvana.sentActions)
            methods.push_back (sent.method);

        return methods;
    }

    juce::String lastDataStr() const { return orvana.sentActions.empty() ? juce::String() : orvana.sentActions.back().argument["dataStr"].toString(); }

    TestOrvana orvana;
    std::unique_ptr<orv::tracker::timePort::TimePort> port;
    std::unique_ptr<AuLane> lane;
};
} // namespace

TEST (AuLaneScale, MapsPointerAndValuesOnEveryScale)
{
    const auto cc = scaleOf (66.0f, volume);
    EXPECT_EQ (cc.yToValue (LaneScale::margin), 127) << "the top of the drawing area";
    EXPECT_EQ (cc.yToValue (66.0f - LaneScale::margin), 0) << "the bottom of the drawing area";
    EXPECT_EQ (cc.yToValue (-40.0f), 127) << "above the lane clamps";
    EXPECT_EQ (cc.yToValue (500.0f), 0) << "below the lane clamps";

    // Every value comes back from the y it is drawn at.
    for (int v = 0; v <= 127; ++v)
        ASSERT_EQ (cc.yToValue (cc.valueToY (v)), v) << v;

    // Standard pitch bend: the top is 127, and every step can be drawn.
    const auto bend = scaleOf (66.0f, pitchBend);
    EXPECT_EQ (bend.yToValue (LaneScale::margin), 127);
    std::set<int> reached;
    for (float y = LaneScale::margin; y <= 66.0f - LaneScale::margin; y += 0.05f)
        reached.insert (bend.yToValue (y));
    EXPECT_EQ (reached.size(), 128u) << "no value of 0..127 is skipped";

    // NotePerformer: 0..1023 on the drag grid of 0.05 semitone.
    const auto np = scaleOf (66.0f, pitchBend, true);
    EXPECT_EQ (np.yToValue (LaneScale::margin), 1023);
    EXPECT_EQ (np.yToValue (66.0f - LaneScale::margin), 0);
    EXPECT_EQ (np.yToValue (33.0f), 512);
    EXPECT_EQ (np.yToValue (30.0f), orv::midi::snapPitchBendNpValToDragGrid (np.yToValue (30.0f)));

    // Only pan, balance and pitch bend fill towards their centre.
    EXPECT_FLOAT_EQ (scaleOf (66.0f, pan).getBaselineY(), scaleOf (66.0f, pan).valueToY (64));
    EXPECT_FLOAT_EQ (np.getBaselineY(), np.valueToY (512));
    EXPECT_FLOAT_EQ (cc.getBaselineY(), 66.0f - LaneScale::margin);

    EXPECT_FALSE (scaleOf (12.0f, volume).isUsable());
    EXPECT_TRUE (scaleOf (13.0f, volume).isUsable());
}

TEST (AuLaneScale, ReadsTypedNodeValues)
{
    const auto np = scaleOf (66.0f, pitchBend, true);
    EXPECT_EQ (np.parseValueText ("1.5"), orv::midi::semitonesToPitchBendNpVal (1.5));
    EXPECT_EQ (np.parseValueText ("3"), orv::midi::semitonesToPitchBendNpVal (2.0)) << "clamped to two semitones";
    EXPECT_EQ (np.parseValueText ("-7.25"), 0);
    EXPECT_EQ (np.parseValueText ("+0.5"), 512 + 128);

    for (const auto* unfinished : {"", "+", "-", "1.", "-0."})
        EXPECT_FALSE (np.parseValueText (unfinished).has_value()) << unfinished;

    for (const auto* garbage : {"abc", "1.2.3", "--1", "1-", ".5e3", "nan", "inf", "1e9"})
        EXPECT_FALSE (np.parseValueText (garbage).has_value()) << garbage;

    // The standard scale reads the signed offset its tag shows, within 0..127.
    const auto bend = scaleOf (66.0f, pitchBend);
    EXPECT_EQ (bend.parseValueText ("+10"), 74);
    EXPECT_EQ (bend.parseValueText (bend.formatValue (30)), 30) << "the tag's text reads back as the value";
    EXPECT_EQ (bend.parseValueText ("2"), 66);
    EXPECT_EQ (bend.parseValueText ("+100"), 127);
    EXPECT_EQ (bend.parseValueText ("-100"), 0);

    const auto cc = scaleOf (66.0f, volume);
    EXPECT_EQ (cc.parseValueText ("100"), 100);
    EXPECT_EQ (cc.parseValueText ("200"), 127);
    EXPECT_EQ (cc.parseValueText ("99999999999999"), 127);
    EXPECT_FALSE (cc.parseValueText ("-5").has_value());
    EXPECT_FALSE (cc.parseValueText ("").has_value());

    // Random text never gives a value out of range.
    juce::Random random (22);
    const juce::String alphabet ("0123456789+-.e ");
    for (int i = 0; i < 2000; ++i)
    {
        juce::String text;
        for (int n = random.nextInt (8); --n >= 0;)
            text << alphabet[random.nextInt (alphabet.length())];

        for (const auto& scale : {np, bend, cc})
        {
            if (const auto v = scale.parseValueText (text))
            {
                ASSERT_TRUE (*v >= 0 && *v <= scale.getMaxValue()) << text;
            }
        }
    }
}

TEST_F (AuLaneFixture, DrawsRampsOnTheGridAndJumpsExactlyThenSendsOnce)
{
    auto& l = makeLane (volume);
    auto curve = orvana.score.getTrack (1).getOrCreateCurve (volume);
    curve.addNode (1, 320, 10, Node::Ramp);
    curve.addNode (1, 640, 10, Node::Jump);
    curve.addNode (2, 0, 90, Node::Ramp);

    // One move from tick 0 to tick 1000: nodes where the pointer was, nothing between.
    l.extMouseDown (event (xOf (0), 20.0f));
    l.extMouseDrag (event (xOf (1000), 40.0f));
    EXPECT_EQ (nodeTicks(), (std::vector<int64_t>{0, 960, 1024})) << "1000 truncates to 960; the node after the gesture stays";
    EXPECT_TRUE (orvana.sentActions.empty()) << "nothing goes to the host while the button is down";
    l.extMouseUp (event (xOf (1000), 40.0f));

    for (int i = 0; i < 2; ++i)
        EXPECT_EQ (lane->getCurve().getNode (i).getType(), Node::Ramp);
    EXPECT_EQ (lane->getCurve().getNode (0).getVal(), l.getScale().yToValue (20.0f));
    ASSERT_EQ (sentMethods(), (std::vector<juce::String>{"editCurve"}));
    EXPECT_TRUE (lastDataStr().startsWith ("7;1;")) << lastDataStr();
    EXPECT_TRUE (lastDataStr().contains ("1,0,")) << lastDataStr();
    EXPECT_TRUE (lastDataStr().contains ("1,960,")) << lastDataStr();
    EXPECT_FALSE (l.isGestureInProgress());

    // With Shift: a jump at the exact tick.
    l.extMouseDown (event (xOf (100), 30.0f, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::shiftModifier)));
    l.extMouseUp (event (xOf (100), 30.0f));
    const auto jump = lane->getCurve().getNodeAtPoser (Poser (1, 100));
    ASSERT_TRUE (jump.isValid()) << "the jump is at tick 100, not on the grid";
    EXPECT_EQ (jump.getType(), Node::Jump);
    EXPECT_EQ (orvana.sentActions.size(), 2u);

    // Before the score's start nothing is drawn; past its end the node goes to the end.
    const auto before = nodeTicks().size();
    l.extMouseDown (event (xOf (0) - 30.0f, 30.0f));
    EXPECT_EQ (nodeTicks().size(), before);
    l.extMouseDrag (event (xOf (8 * 1024) + 300.0f, 30.0f));
    EXPECT_LE (nodeTicks().back(), 8 * 1024) << "clamped into the score";
    l.extMouseUp (event (xOf (8 * 1024) + 300.0f, 30.0f));
}

TEST_F (AuLaneFixture, ErasesAcrossNodesAndNamesOnlyThoseErased)
{
    auto& l = makeLane (volume);
    auto curve = orvana.score.getTrack (1).getOrCreateCurve (volume);

    for (int i = 0; i < 5; ++i)
        curve.addNode (1, i * 200, 20 + i, Node::Ramp);

    // A right-button sweep from tick 150 to 650 takes the nodes at 200, 400 and 600.
    l.extMouseDown (event (xOf (150), 30.0f, juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier)));
    EXPECT_EQ (l.getTool(), AuLane::Tool::erase);
    l.extMouseDrag (event (xOf (420), 30.0f, juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier)));
    l.extMouseDrag (event (xOf (650), 30.0f, juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier)));
    EXPECT_EQ (nodeTicks(), (std::vector<int64_t>{0, 800}));
    l.extMouseUp (event (xOf (650), 30.0f));

    ASSERT_EQ (sentMethods(), (std::vector<juce::String>{"eraseCurve"}));
    EXPECT_EQ (lastDataStr(), "7;1;1,200,21:1:1,600,23:1") << "the host erases from the first erased node to the last, not the neighbours";
    EXPECT_EQ (l.getTool(), AuLane::Tool::draw);

    // A Ctrl-click over empty space erases nothing and sends nothing.
    l.extMouseDown (event (xOf (300), 30.0f, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::ctrlModifier)));
    l.extMouseUp (event (xOf (300), 30.0f));
    EXPECT_EQ (orvana.sentActions.size(), 1u);
    EXPECT_EQ (l.getTool(), AuLane::Tool::draw);
}

TEST_F (AuLaneFixture, NodePanelWritesTypedValuesAndSendsTheNode)
{
    useNotePerformer();
    auto& bend = makeLane (pitchBend);
    auto curve = orvana.score.getTrack (1).getOrCreateCurve (pitchBend);
    curve.addNode (1, 256, 512, Node::Ramp);
    curve.addNode (1, 768, 600, Node::Ramp);
    EXPECT_TRUE (bend.isPitchBendNp());

    bend.extMouseMove (event (xOf (256) + 2.0f, 30.0f, {}));
    ASSERT_TRUE (bend.getHoveredNode().isValid());
    ASSERT_TRUE (bend.getTag().isVisible());
    bend.showNodePanel();
    auto* panel = bend.getNodePanel();
    ASSERT_NE (panel, nullptr);

    // Typing "1." keeps the node; "1.5" writes 1.5 semitones; "3" is clamped to two.
    panel->getField().setText ("1.", false);
    bend.onNodePanelPreSubmit();
    EXPECT_EQ (curve.getNode (0).getVal(), 512);
    panel->getField().setText ("1.5", false);
    bend.onNodePanelPreSubmit();
    EXPECT_EQ (curve.getNode (0).getVal(), orv::midi::semitonesToPitchBendNpVal (1.5));
    panel->getField().setText ("3", false);
    bend.onNodePanelPreSubmit();
    EXPECT_EQ (curve.getNode (0).getVal(), 1023);
    // The arrow keys step by 0.05 semitone, within the range, and show the value.
    const auto press = [&] (int keyCode)
    { return panel->keyPressed (juce::KeyPress (keyCode), &panel->getField()); };
    ASSERT_TRUE (press (juce::KeyPress::downKey));
    EXPECT_EQ (curve.getNode (0).getVal(), orv::midi::semitonesToPitchBendNpVal (1.95));
    EXPECT_EQ (panel->getText(), "+1.95");
    press (juce::KeyPress::upKey);
    press (juce::KeyPress::upKey);
    EXPECT_EQ (curve.getNode (0).getVal(), 1023);
    EXPECT_EQ (panel->getText(), "+2.00");
    EXPECT_FALSE (press ('a')) << "other keys go to the field";
    panel->getTypeSwitch().getJumpButton().triggerClick();
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return curve.getNode (0).getType() == Node::Jump; }));
    bend.onNodePanelSubmit();
    EXPECT_EQ (bend.getNodePanel(), nullptr);
    ASSERT_EQ (sentMethods(), (std::vector<juce::String>{"editCurve"}));
    EXPECT_TRUE (lastDataStr().startsWith ("B;1;")) << lastDataStr();
    EXPECT_TRUE (lastDataStr().contains ("1,256,1023")) << lastDataStr();
    EXPECT_EQ (curve.getNode (1).getVal(), 600) << "the other node is left alone";

    // Standard scale: the field shows and takes the offset from 64.
    orvana.score.getOrCreateSoundSet().loadFromName ("default");
    curve.getNode (0).setVal (70);
    bend.extMouseMove (event (xOf (256), 30.0f, {}));
    bend.showNodePanel();
    ASSERT_NE (bend.getNodePanel(), nullptr);
    EXPECT_EQ (bend.getNodePanel()->getText(), "+6");
    bend.getNodePanel()->getField().setText ("-10", false);
    bend.onNodePanelPreSubmit();
    EXPECT_EQ (curve.getNode (0).getVal(), 54);
    bend.getNodePanel()->getField().setText ("+99", false);
    bend.onNodePanelPreSubmit();
    EXPECT_EQ (curve.getNode (0).getVal(), 127) << "never past the standard scale";

    // A controller lane clamps and shows the clamped value.
    auto& vol = makeLane (volume);
    orvana.score.getTrack (1).getOrCreateCurve (volume).addNode (1, 512, 40, Node::Ramp);
    vol.extMouseMove (event (xOf (512), 30.0f, {}));
    vol.showNodePanel();
    ASSERT_NE (vol.getNodePanel(), nullptr);
    vol.getNodePanel()->getField().setText ("300", false);
    vol.onNodePanelPreSubmit();
    EXPECT_EQ (vol.getNodePanel()->getText(), "127");
    EXPECT_EQ (vol.getCurve().getNode (0).getVal(), 127);
}

TEST_F (AuLaneFixture, PaintsBipolarLanesFromTheirCentreAndTinyLanesNotAtAll)
{
    const auto fillRows = [&] (int controller, int value)
    {
        auto& l = makeLane (controller, 66);
        auto curve = orvana.score.getTrack (1).getOrCreateCurve (controller);
        curve.removeAllNodes();
        curve.addNode (1, 0, value, Node::Ramp);
        curve.addNode (2, 0, value, Node::Ramp);
        const auto image = testing_support::paintToImage (l);
        const auto x = juce::roundToInt (xOf (512));
        const auto lineY = juce::roundToInt (l.getScale().valueToY (value));
        const auto background = image.getPixelAt (x, 1);
        int filled = 0;

        // Rows clear of the 2-pixel trace and the baseline.
        for (int y = 2; y < 64; ++y)
            if (std::abs (y - lineY) > 2 && !testing_support::coloursClose (image.getPixelAt (x, y), background, 2))
                ++filled;

        return filled;
    };

    EXPECT_EQ (fillRows (pan, 64), 0) << "pan at its centre fills nothing";
    EXPECT_GT (fillRows (pan, 100), 10) << "pan right of centre fills down to the middle";
    EXPECT_GT (fillRows (volume, 64), 20) << "volume fills down to the bottom";

    // A lane too short to draw in: no division by zero, nothing drawn, gestures ignored.
    auto& tiny = makeLane (volume, 12);
    orvana.score.getTrack (1).getOrCreateCurve (volume).removeAllNodes();
    const auto before = orvana.sentActions.size();
    tiny.extMouseDown (event (xOf (256), 6.0f));
    tiny.extMouseDrag (event (xOf (512), 6.0f));
    tiny.extMouseUp (event (xOf (512), 6.0f));
    EXPECT_EQ (tiny.getCurve().getNumNodes(), 0);
    EXPECT_EQ (orvana.sentActions.size(), before);
    EXPECT_NO_FATAL_FAILURE (testing_support::paintToImage (tiny));
}

TEST_F (AuLaneFixture, RepaintsWhenTheScoreChangesItsCurve)
{
    auto& l = makeLane (volume);
    const auto x = juce::roundToInt (xOf (1024));
    const auto emptyShot = testing_support::paintToImage (l);
    auto curve = orvana.score.getTrack (1).getOrCreateCurve (volume);
    curve.addNode (1, 0, 127, Node::Ramp);
    curve.addNode (2, 0, 127, Node::Ramp);
    const auto drawn = testing_support::paintToImage (l);
    EXPECT_NE (drawn.getPixelAt (x, juce::roundToInt (l.getScale().valueToY (127))), emptyShot.getPixelAt (x, juce::roundToInt (l.getScale().valueToY (127))));

    // A reload gives the track a new tree: the lane follows it.
    ASSERT_TRUE (orvana.loadText (trackerTestPayload (8, 1024, "4/4", 2), orv::score::io::ScoreLoader::DecodeMode::reload));
    l.setTrack (orvana.score.getTrack (1));
    EXPECT_FALSE (l.getCurve().isValid() && l.getCurve().getNumNodes() > 0) << "the reloaded track has no volume nodes";
    const auto reloaded = testing_support::paintToImage (l);
    EXPECT_EQ (reloaded.getPixelAt (x, juce::roundToInt (l.getScale().valueToY (127))), emptyShot.getPixelAt (x, juce::roundToInt (l.getScale().valueToY (127))));
}

TEST (AuToolbar, TabsSwitchTheLaneOfEveryTrack)
{
    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (trackerTestPayload (8, 1024, "4/4", 3)));
    orv::tracker::TrackerHub hub (orvana);
    hub.setSize (1000, 700);
    auto& toolbar = hub.getAuToolbar();
    const auto cons = [&]() -> const auto&
    {
        return hub.getTracker().getTrackCons();
    };
    ASSERT_EQ (cons().size(), 3u);

    const auto click = [&] (int laneId)
    {
        auto& tab = toolbar.getTab (laneId);
        tab.mouseUp (testing_support::makeMouseEvent (tab, {3.0f, 3.0f}));
    };

    click (2);
    for (const auto& con : cons())
    {
        EXPECT_TRUE (con->auLaneIsVisible (2));
        ASSERT_NE (con->getAuCon(), nullptr);
        ASSERT_NE (con->getAuCon()->getLane(), nullptr);
        EXPECT_EQ (con->getAuCon()->getLane()->getController(), 7) << "slot 3 is volume";
        EXPECT_EQ (con->getAuCon()->getBounds(), con->getLaneAreas().automation);
        EXPECT_FALSE (con->getAuCon()->getBounds().isEmpty());
    }
    EXPECT_EQ (orvana.state.getOrCreateTrackerState().getActiveAuLaneId(), 2);

    click (5);
    EXPECT_TRUE (cons()[0]->auLaneIsVisible (5));
    EXPECT_FALSE (cons()[0]->auLaneIsVisible (2)) << "one lane at a time";
    EXPECT_EQ (cons()[0]->getAuCon()->getLane()->getController(), -2);

    // A staff that comes with a reload shows the lane the others show.
    ASSERT_TRUE (orvana.loadText (trackerTestPayload (8, 1024, "4/4", 4), orv::score::io::ScoreLoader::DecodeMode::reload));
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return cons().size() == 4u; }));
    EXPECT_TRUE (cons()[3]->auLaneIsVisible (5));
    ASSERT_NE (cons()[3]->getAuCon(), nullptr);
    EXPECT_EQ (cons()[3]->getAuCon()->getLane()->getTrack().getState(), orvana.score.getTrack (4).getState());

    // The preferences button's window saves through the product.
    toolbar.openPreferences();
    auto* window = dynamic_cast<juce::DocumentWindow*> (toolbar.getPreferencesWindow());
    ASSERT_NE (window, nullptr);
    auto* pref = dynamic_cast<orv::tracker::au::pref::AuPref*> (window->getContentComponent());
    ASSERT_NE (pref, nullptr);
    pref->getPanel (0).getNameField().setText ("M1", false);
    pref->save();
    EXPECT_EQ (orvana.savedPreferences, 1) << "the preferences file is written";
    EXPECT_TRUE (testsupport::pumpUntil ([&]
                                         { return toolbar.getTab (0).getLabel() == "M1"; }))
        << "the tab follows the saved name";

    click (5);
    for (const auto& con : cons())
    {
        EXPECT_FALSE (con->auLaneIsVisible (5));
        EXPECT_FALSE (con->getAuCon()->isVisible());
        EXPECT_TRUE (con->getLaneAreas().automation.isEmpty());
    }
}
