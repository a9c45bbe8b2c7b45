// The editor's layout, track stack, zoom gestures, active-region scrolling,
// the ruler's play-start clicks, the top bar's clock, the view state and the
// rebinding of track containers across reloads.
#include "orv/ui/tracker/Tracker.h"
#include "gadget/TestMouse.h"
#include "orv/score/io/TestOrvana.h"
#include "orv/ui/tracker/TrackerTestScores.h"
#include "orv/ui/tracker/TrackerWin.h"
#include "orv/ui/tracker/WindowPlacement.h"
#include "orv/ui/tracker/ruler/PlayFromClick.h"
#include "orv/ui/tracker/topBar/Displays.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <cmath>

using orv::Poser;
using orv::tracker::TrackCon;
using orv::tracker::Tracker;
using orv::tracker::TrackerLayout;
using orv::tracker::TrackStack;

TEST (TrackerLayout, PlacesEveryPartForAWindowSize)
{
    const auto l = TrackerLayout::forSize (1000, 700);
    const std::pair<juce::Rectangle<int>, juce::Rectangle<int>> table[] = {
        {l.topBar, {100, 0, 900, 30}},
        {l.timePort, {100, 30, 880, 670}},
        {l.helmets, {0, 70, 100, 610}},
        {l.docPane, {100, 70, 880, 610}},
        {l.verticalScrollBar, {980, 70, 20, 610}},
        {l.verticalZoom, {980, 30, 20, 40}},
        {l.horizontalZoom, {900, 680, 100, 20}},
        {l.statusOverlay, {5, 5, 90, 40}},
        {TrackerLayout::portPane (880, 670), {0, 0, 880, 650}},
        {TrackerLayout::portScrollBar (880, 670), {0, 650, 800, 20}},
    };

    for (const auto& [actual, expected] : table)
        EXPECT_EQ (actual, expected) << actual.toString() << " instead of " << expected.toString();

    EXPECT_EQ (l.topBar.getRight(), 1000) << "the top bar ends at the window's edge";
    EXPECT_EQ (l.timePort.getX() + TrackerLayout::portScrollBar (880, 670).getRight(), l.horizontalZoom.getX())
        << "the zoom wheel sits at the scroll bar's end";
}

TEST (TrackerLayout, StacksTracksAndScrollsOnlyOnOverflow)
{
    struct Case
    {
        int visible, tracks, wantedOffset;
        int height, total;
        bool scrollBar;
        int offset;
    };

    for (const auto& c : {Case{600, 2, 0, 300, 600, false, 0}, Case{600, 4, 50, 150, 600, false, 0}, Case{600, 7, 0, 120, 840, true, 0},
                          Case{600, 7, 1000, 120, 840, true, 240}, Case{600, 7, -40, 120, 840, true, 0}, Case{601, 2, 5, 301, 602, true, 1},
                          Case{600, 0, 80, 0, 0, false, 0}})
    {
        const auto s = TrackStack::forTracks (c.visible, c.tracks, c.wantedOffset);
        EXPECT_EQ (s.trackHeight, c.height) << c.tracks << " tracks in " << c.visible;
        EXPECT_EQ (s.totalHeight, c.total);
        EXPECT_EQ (s.needsScrollBar, c.scrollBar);
        EXPECT_EQ (s.offset, c.offset);
    }
}

TEST (TrackerLayout, LanesLeaveTheRollItsShareAndNeverOverlap)
{
    using A = TrackCon::LaneAreas;
    const auto check = [] (juce::Rectangle<int> bounds, bool vel, bool au, int rollH, int velH, int auH)
    {
        const A a = TrackCon::layoutLanes (bounds, vel, au);
        EXPECT_EQ (a.roll.getHeight(), rollH) << bounds.toString() << vel << au;
        EXPECT_EQ (a.velocity.getHeight(), velH);
        EXPECT_EQ (a.automation.getHeight(), auH);
        EXPECT_EQ (a.roll.getY(), bounds.getY());
        if (vel)
        {
            EXPECT_EQ (a.velocity.getY(), a.roll.getBottom());
        }
        if (au)
        {
            EXPECT_EQ (a.automation.getBottom(), bounds.getBottom());
        }
        EXPECT_EQ (rollH + velH + auH, bounds.getHeight()) << "the lanes fill the container exactly";
    };
    check ({0, 0, 800, 300}, false, false, 300, 0, 0);
    check ({0, 0, 800, 300}, true, true, 300 - 60 - 75, 60, 75);
    check ({0, 0, 800, 120}, true, true, 120 - 24 - 30, 24, 30);
    check ({0, 0, 800, 1000}, true, true, 1000 - 60 - 90, 60, 90);
    check ({0, 0, 800, 40}, true, true, 0, 10, 30); // too short: the lanes take what there is
    check ({0, 0, 800, 0}, true, true, 0, 0, 0);
}

TEST (TrackerLayout, OpensWhereTheStateSays)
{
    using orv::tracker::initialWindowBounds;
    const juce::Rectangle<int> screen (0, 0, 1600, 900);
    EXPECT_EQ (initialWindowBounds ("10 20 800 500", true, {900, 450}, screen, 1200, 560), juce::Rectangle<int> (10, 20, 800, 500));
    EXPECT_EQ (initialWindowBounds ("", true, {300, 300}, screen, 1200, 560), juce::Rectangle<int> (0, 20, 1200, 560)) << "near the mouse, on screen";
    EXPECT_EQ (initialWindowBounds ("", false, {300, 300}, screen, 1200, 560), juce::Rectangle<int> (200, 170, 1200, 560));
    EXPECT_EQ (initialWindowBounds ("5000 5000 800 500", false, {0, 0}, screen, 9000, 560).getWidth(), 1600) << "off-screen bounds are ignored";
    EXPECT_EQ (initialWindowBounds ("garbage", false, {0, 0}, screen, 10, 10).getWidth(), 400);
}

namespace
{
class TrackerFixture : public ::testing::Test
{
protected:
    void load (int bars, int staves = 2, int regionFrom = 1, int regionTo = 1)
    {
        ASSERT_TRUE (orvana.loadText (trackerTestPayload (bars, 1024, "4/4", staves, regionFrom, regionTo)));
    }

    void make (int w = 1000, int h = 700)
    {
        tracker = std::make_unique<Tracker> (orvana);
        tracker->setSize (w, h);
    }

    static juce::MouseEvent withModifiers (const juce::MouseEvent& e, juce::ModifierKeys mods)
    {
        return juce::MouseEvent (e.source, e.position, mods, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, e.eventComponent, e.originalComponent,
                                 e.eventTime, e.mouseDownPosition, e.mouseDownTime, 1, false);
    }

    float playLineViewX() { return tracker->getTimePort().poserToViewX (orvana.getTransport().getPlayLinePoser()); }

    TestOrvana orvana;
    std::unique_ptr<Tracker> tracker;
};
} // namespace

TEST_F (TrackerFixture, ZoomsAboutThePlayLineFromWheelsAndRulerDrags)
{
    load (200);
    make();
    auto& port = tracker->getTimePort();
    port.setScrollDocX (10000.0f, true);
    orvana.getTransport().setPlayLinePoser (Poser (21, 0)); // tick 20480
    port.setScrollDocX (20480.0f - 300.0f / port.getZoomX(), true);
    ASSERT_FLOAT_EQ (playLineViewX(), 300.0f);

    tracker->setZoomRatioXWithPlayLineAnchor (2.5f);
    EXPECT_FLOAT_EQ (port.getZoomX(), 2.5f * 0.15625f);
    EXPECT_NEAR (playLineViewX(), 300.0f, 0.01f);
    EXPECT_FLOAT_EQ (tracker->getHorizontalZoomer().getValue(), 2.5f);
    EXPECT_EQ (tracker->getPlayLine().getX(), 100 + 300) << "the play line stays on screen where it was";

    tracker->setZoomRatioXWithPlayLineAnchor (50.0f);
    EXPECT_FLOAT_EQ (port.getZoomX(), 10.0f * 0.15625f);
    EXPECT_NEAR (playLineViewX(), 300.0f, 0.01f);

    // Ctrl+wheel: one notch is 0.1 of the ratio.
    tracker->setZoomRatioXWithPlayLineAnchor (1.0f);
    const auto event = testing_support::makeMouseEvent (*tracker, {500.0f, 300.0f});
    const juce::MouseWheelDetails notchUp{0.0f, 50.0f / 256.0f, false, false, false};
    tracker->mouseWheelMove (withModifiers (event, juce::ModifierKeys::ctrlModifier), notchUp);
    EXPECT_NEAR (tracker->getZoomRatioX(), 1.1f, 1.0e-5f);
    EXPECT_NEAR (playLineViewX(), 300.0f, 0.01f);
    EXPECT_NEAR (orvana.state.getOrCreateEditorViewportState().getZoomX(), 1.1 * 0.15625, 1.0e-6) << "the zoom reaches the state";

    // Shift+wheel: 80 pixels of ticks, backwards for up.
    const auto before = port.getScrollDocX();
    tracker->mouseWheelMove (withModifiers (event, juce::ModifierKeys::shiftModifier), notchUp);
    EXPECT_NEAR (port.getScrollDocX(), before - 80.0f / port.getZoomX(), 0.01f);

    // A drag 200 pixels up the ruler's upper stripe at the default zoom asks
    // for 0.15625 - 1 = -0.84375, which clamps to the smallest ratio.
    tracker->setZoomRatioXWithPlayLineAnchor (1.0f);
    auto& ruler = port.getPane().getRuler();
    std::optional<float> asked;
    struct Spy final : gui::MessageListener
    {
        std::optional<float>& zoom;
        explicit Spy (std::optional<float>& z)
            : zoom (z)
        {
        }
        void onMessage (const gui::Message& m) override
        {
            if (auto* r = dynamic_cast<const orv::tracker::ruler::RulerMsg*> (&m))
                zoom = r->zoom;
        }
    } spy (asked);
    ruler.addMessageListener (&spy);
    const auto anchorTicks = port.viewXToTicks (400.0f);
    ruler.mouseDown (testing_support::makeMouseEvent (ruler, {400.0f, 10.0f}));
    ruler.mouseDrag (testing_support::makeMouseEvent (ruler, {400.0f, -190.0f}, {400.0f, 10.0f}));
    ASSERT_TRUE (asked.has_value());
    EXPECT_FLOAT_EQ (*asked, -0.84375f);
    EXPECT_FLOAT_EQ (port.getZoomX(), 0.2f * 0.15625f);
    EXPECT_NEAR (port.viewXToTicks (400.0f), anchorTicks, 0.5f) << "the tick under the mouse stays there";
    EXPECT_FLOAT_EQ (tracker->getHorizontalZoomer().getValue(), 0.2f);
}

TEST_F (TrackerFixture, ScrollsTheActiveRegionToFifteenPercent)
{
    load (200, 2, 51, 52);
    make();
    tracker->scrollToActiveRegion();
    auto& port = tracker->getTimePort();
    EXPECT_NEAR (port.poserToViewX (Poser (51, 0)), 0.15f * 880.0f, 0.01f);

    // The region's marker spans bars 51 and 52 on the ruler.
    auto& ranger = port.getPane().getRuler().getRanger();
    EXPECT_TRUE (ranger.isVisible());
    EXPECT_NEAR (ranger.getX(), 132, 1);
    EXPECT_NEAR (ranger.getRight(), 132 + 2 * 160, 1);

    // A port narrower than 7 pixels uses a 40-pixel margin.
    port.setSize (6, 600);
    tracker->scrollToActiveRegion();
    EXPECT_NEAR (port.getScrollDocX(), 50 * 1024 - 40.0f / 0.15625f, 0.01f);

    // Before the score's start it pins to 0.
    orvana.score.setActiveRegionBars (1, 1);
    port.setSize (880, 650);
    tracker->scrollToActiveRegion();
    EXPECT_FLOAT_EQ (port.getScrollDocX(), 0.0f);
}

TEST_F (TrackerFixture, LowerStripeClicksSetThePlayStartOnTheBeat)
{
    using orv::tracker::ruler::playFromForClick;
    load (4);
    const auto& score = orvana.score;

    EXPECT_EQ (playFromForClick (score, 1024 + 700.0f, false), Poser (2, 512)) << "floored to the beat";
    EXPECT_EQ (playFromForClick (score, 1024 + 700.0f, true), Poser (2, 700)) << "exact with Ctrl";
    EXPECT_EQ (playFromForClick (score, 1024 + 700.4f, true), Poser (2, 700));
    EXPECT_EQ (playFromForClick (score, 4 * 1024 - 1.0f, false), Poser (4, 768));
    EXPECT_FALSE (playFromForClick (score, 4 * 1024, false).has_value()) << "the end of the score";
    EXPECT_FALSE (playFromForClick (score, 9000.0f, true).has_value()) << "past the end";
    EXPECT_FALSE (playFromForClick (score, -5.0f, false).has_value());
    EXPECT_FALSE (playFromForClick (score, std::numeric_limits<float>::quiet_NaN(), false).has_value());

    orv::Score noMeter;
    noMeter.getOrCreateBar (1);
    noMeter.setBarLength (1, 768);
    EXPECT_EQ (playFromForClick (noMeter, 700.0f, false), Poser (1, 512)) << "256 without a meter";

    // Through the ruler: the play-from position and the play line move.
    make();
    auto& ruler = tracker->getTimePort().getPane().getRuler();
    ruler.mouseDown (testing_support::makeMouseEvent (ruler, {160.0f + 700.0f * 0.15625f, 30.0f}));
    EXPECT_EQ (orvana.getTransport().getPlayFromPoser(), Poser (2, 512));
    EXPECT_EQ (orvana.getTransport().getPlayLinePoser(), Poser (2, 512));
    EXPECT_EQ (tracker->getPlayLine().getX(), 100 + juce::roundToInt ((1024 + 512) * 0.15625f));

    ruler.mouseDown (testing_support::makeMouseEvent (ruler, {700.0f, 30.0f}));
    EXPECT_EQ (orvana.getTransport().getPlayLinePoser(), Poser (2, 512)) << "a click past the end changes nothing";

    ruler.mouseMove (testing_support::makeMouseEvent (ruler, {200.0f, 30.0f}));
    EXPECT_TRUE (ruler.getPlayFromBtn().isVisible());
    ruler.mouseMove (testing_support::makeMouseEvent (ruler, {200.0f, 5.0f}));
    EXPECT_FALSE (ruler.getPlayFromBtn().isVisible());
}

TEST_F (TrackerFixture, ReloadsRebindTrackContainersAndKeepTheirView)
{
    load (8, 3);
    make();
    ASSERT_EQ (tracker->getTrackCons().size(), 3u);
    auto* second = tracker->getTrackCons()[1].get();
    second->toggleAuLane (7);
    second->getTrack().setPianoRollScrollY (55.0);
    EXPECT_EQ (second->getBounds(), juce::Rectangle<int> (0, 0, 880, 203).withY (203));
    EXPECT_FALSE (tracker->getVerticalScrollBar().isVisible());

    // An edit reloads: every track tree is new, staff 1 is gone.
    ASSERT_TRUE (orvana.loadText (juce::String (trackerTestPayload (8, 1024, "4/4", 4)).replace ("\"staffNum\": 1,", "\"staffNum\": 9,"),
                                  orv::score::io::ScoreLoader::DecodeMode::reload));
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return tracker->getTrackCons().size() == 4u; }));
    const auto& cons = tracker->getTrackCons();
    EXPECT_EQ (cons[1].get(), second) << "staff 2 keeps its container";
    EXPECT_EQ (second->getTrack().getState(), orvana.score.getTrack (2).getState()) << "bound to the new tree";
    EXPECT_DOUBLE_EQ (orvana.score.getTrack (2).getPianoRollScrollY(), 55.0) << "the roll's scroll survives the reload";
    EXPECT_EQ (second->getViewState().auLanesShown.count (7), 1u);

    std::vector<int> staves;
    for (const auto& con : cons)
        staves.push_back (con->getStaffNum());
    EXPECT_EQ (staves, (std::vector<int>{9, 2, 3, 4}));

    // Four tracks of round(610 / 4) pixels; seven would be 87, so 120 each and a scroll bar.
    EXPECT_EQ (cons[3]->getHeight(), 153);
    for (int staff = 10; staff <= 12; ++staff)
        orvana.score.getOrCreateTrack (staff);
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return tracker->getTrackCons().size() == 7u; }));
    EXPECT_EQ (cons[0]->getHeight(), 120);
    EXPECT_TRUE (tracker->getVerticalScrollBar().isVisible());
    tracker->setVerticalOffset (10000);
    EXPECT_EQ (tracker->getVerticalOffset(), 7 * 120 - 610);
    EXPECT_EQ (cons[0]->getY(), -(7 * 120 - 610));
    EXPECT_EQ (tracker->getHelmets().getHeaders()[0].y, cons[0]->getY()) << "headers move with their tracks";
}

TEST_F (TrackerFixture, NoTracksNoBarsPaintsAndZoomsSafely)
{
    make();
    tracker->scrollToActiveRegion();
    tracker->centerContentVertically();
    tracker->setZoomRatioXWithPlayLineAnchor (3.0f);
    EXPECT_EQ (tracker->getVerticalOffset(), 0);
    EXPECT_EQ (tracker->calcInitialWidth (5000), 120);
    (void) testing_support::paintToImage (*tracker);
}

TEST_F (TrackerFixture, KeepsItsViewInTheStateAcrossWindows)
{
    load (100);
    make();
    tracker->setZoomRatioXWithPlayLineAnchor (4.0f);
    tracker->getTimePort().setScrollDocX (12345.0f, true);
    tracker->getVerticalZoomer().setValueAndTrigger (1.5f);
    EXPECT_EQ (tracker->calcInitialWidth (100000), juce::roundToInt (100 * 1024 * 4 * 0.15625) + 120);
    tracker.reset();

    auto saved = orvana.state.getState().createCopy();
    orvana.state.setState (juce::ValueTree::fromXml (*saved.createXml()));
    make();
    tracker->restoreUiState();
    EXPECT_FLOAT_EQ (tracker->getZoomRatioX(), 4.0f);
    EXPECT_FLOAT_EQ (tracker->getTimePort().getScrollDocX(), 12345.0f);
    EXPECT_FLOAT_EQ (tracker->getTimePort().getZoomY(), 1.5f);
    EXPECT_FLOAT_EQ (tracker->getHorizontalZoomer().getValue(), 4.0f);
}

TEST_F (TrackerFixture, TopBarButtonsRunTheTransportAndUndo)
{
    load (4);
    make();
    auto& bar = tracker->getTopBar();
    const auto click = [] (juce::Component& button)
    {
        // A left click: the released button is still in the modifiers of mouseUp.
        button.mouseUp (testing_support::makeMouseEvent (button, {5.0f, 5.0f}));
    };

    click (bar.getPlayButton());
    EXPECT_TRUE (orvana.getTransport().isPlaying());
    click (bar.getPlayButton());
    EXPECT_FALSE (orvana.getTransport().isPlaying());

    const auto before = orvana.hostRequests;
    click (bar.getSkipButton());
    click (bar.getUndoButton());
    click (bar.getRedoButton());
    EXPECT_EQ (orvana.hostRequests, before + 3);

    // Released outside the button: nothing.
    bar.getUndoButton().mouseUp (testing_support::makeMouseEvent (bar.getUndoButton(), {500.0f, 5.0f}, {5.0f, 5.0f}));
    EXPECT_EQ (orvana.hostRequests, before + 3);
}

TEST_F (TrackerFixture, TheWindowHasNoTitleBarNoTaskBarEntryAndKeepsItsBounds)
{
    load (4);
    {
        orv::tracker::TrackerWin window (orvana);
        EXPECT_EQ (window.getName(), "ORV");
        EXPECT_EQ (window.getTitleBarHeight(), 0);
        EXPECT_FALSE (window.isOpaque());
        EXPECT_EQ (window.getDesktopWindowStyleFlags() & juce::ComponentPeer::windowAppearsOnTaskbar, 0);

        bool closeAsked = false;
        window.onCloseRequested = [&]
        { closeAsked = true; };
        auto& close = window.getHub().getCloseButton();
        window.setBounds (30, 40, 900, 500);
        close.mouseUp (testing_support::makeMouseEvent (close, {3.0f, 3.0f}));
        EXPECT_TRUE (closeAsked);
    }

    const auto stored = orvana.state.getOrCreateTrackerState();
    EXPECT_EQ (stored.getWinNormalStateBounds(), "30 40 900 500");
    EXPECT_EQ (stored.getWindowWidth(), 900);
    EXPECT_EQ (stored.getWindowHeight(), 500);
    EXPECT_EQ (stored.getWindowState(), "normal");
}

TEST (TimeDisplay, FormatsMinutesSecondsAndHundredths)
{
    using orv::tracker::TimeDisplay;
    EXPECT_EQ (TimeDisplay::formatTime (83456), "01:23:45");
    EXPECT_EQ (TimeDisplay::formatTime (0), "00:00:00");
    EXPECT_EQ (TimeDisplay::formatTime (59999), "00:59:99");

    // A score loaded without its tempo curve has no tempo: never "0.0".
    using orv::tracker::TempoDisplay;
    EXPECT_EQ (TempoDisplay::formatTempo (96.04), "96.0");
    EXPECT_EQ (TempoDisplay::formatTempo (0.0), "-");
    EXPECT_EQ (TempoDisplay::formatTempo (std::nan ("")), "-");
    EXPECT_EQ (TimeDisplay::formatTime (6000000), "100:00:00");
    EXPECT_EQ (TimeDisplay::formatTime (-1), "-");
}
