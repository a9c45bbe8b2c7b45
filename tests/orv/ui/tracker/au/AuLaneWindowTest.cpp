// End to end on the test X display: the real suite beside host-sim. The
// user opens the volume lane from its tab, draws a curve on the first
// track, and the host's score gets the controller messages; after the
// host's refresh the suite reloads (its load line) and the lane still
// shows the curve. A Ctrl-drag then erases its first part, in the host and
// on the screen. Every step waits for what the programs show.
#include "gadget/TestMouse.h"
#include "orv/ui/tracker/TrackCon.h"
#include "orv/ui/tracker/TrackerLayout.h"
#include "orv/ui/tracker/TrackerWin.h"
#include "orv/ui/tracker/au/AuMod.h"

#include "orv/ui/tracker/TrackerTestScores.h"

#include "orv/ui/tracker/TrackerWindowStart.h"

#include <gtest/gtest.h>

namespace
{
using orv::tracker::TrackerLayout;
using testsupport::XDisplay;

/** The volume messages ("~C7," or "~-C7,") in the first staff of a saved score. */
int volumeMessages (const juce::var& score)
{
    int count = 0;

    if (auto* staves = score["staves"].getArray(); staves != nullptr && !staves->isEmpty())
        if (auto* bars = staves->getFirst()["bars"].getArray())
            for (const auto& bar : *bars)
                if (auto* midi = bar["midi"].getArray())
                    for (const auto& message : *midi)
                        count += message["text"].toString().contains ("C7,") ? 1 : 0;

    return count;
}
} // namespace

TEST (AuLaneWindow, DrawsAndErasesAVolumeCurveThroughTheHost)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    const auto window = openTrackerWindow (driver, trackerHostSimScore ("Lanes", 2, 1, 1));
    ASSERT_TRUE (window.isNotEmpty()) << "the editor did not appear, or was not drawn";
    auto* sim = driver.getSim();

    // The volume tab (slot 3: first row, third column of the tabs). A click
    // that the window did not take yet is tried again; a taken one lights the tab.
    const auto tabPoint = juce::Point<int> (2 + 2 * 26 + 13, TrackerLayout::topBarHeight + 8 + 7);
    const auto tabLit = [&] (const juce::Image& shot)
    {
        // Inside the tab, left of its label: its dark shade when lit, the well's grey when not.
        const auto at = display.geometryOf (window);
        const auto pixel = shot.getPixelAt (at.x + 2 + 2 * 26 + 3, at.y + TrackerLayout::topBarHeight + 8 + 5);
        return pixel.getGreen() > pixel.getRed() + 40 && pixel.getGreen() > pixel.getBlue() + 60;
    };
    bool opened = false;

    for (int attempt = 0; attempt < 3 && !opened; ++attempt)
    {
        driver.clickAt (window, tabPoint);
        opened = testsupport::waitUntil ([&]
                                         { return tabLit (driver.screenshot ("orvana-au-lane-open")); },
                                         10000, 300);
    }

    ASSERT_TRUE (opened) << "the volume tab did not take the click";
    const auto geometry = display.geometryOf (window);

    // Where the first track's automation lane lies on the screen.
    const auto layout = TrackerLayout::forSize (geometry.width, geometry.height);
    const auto trackHeight = orv::tracker::TrackStack::forTracks (layout.docPane.getHeight(), 2, 0).trackHeight;
    const auto lane = orv::tracker::TrackCon::layoutLanes ({0, 0, layout.docPane.getWidth(), trackHeight}, true, true)
                          .automation.translated (geometry.x + layout.docPane.getX(), geometry.y + layout.docPane.getY());
    ASSERT_GE (lane.getHeight(), orv::tracker::TrackCon::auLaneMinHeight);
    const auto green = orv::tracker::au::AuMod::findColorPreset ("Green").light;
    const auto greenIn = [&] (const juce::Image& shot, int fromX, int toX)
    {
        for (int x = fromX; x < toX; ++x)
            for (int y = lane.getY() + 2; y < lane.getBottom() - 8; ++y)
                if (testing_support::coloursClose (shot.getPixelAt (x, y), green, 12))
                    return true;

        return false;
    };
    const auto baselineShown = [&] (const juce::Image& shot)
    {
        // The volume lane's baseline, a dim line of its colour near the bottom.
        for (int row = lane.getBottom() - 9; row < lane.getBottom() - 3; ++row)
        {
            const auto pixel = shot.getPixelAt (lane.getX() + 100, row);
            if (pixel.getGreen() > pixel.getRed() + 15 && pixel.getGreen() > pixel.getBlue() + 15)
                return true;
        }
        return false;
    };
    EXPECT_TRUE (baselineShown (driver.waitForScreen (baselineShown, "orvana-au-lane-open"))) << "the volume lane did not open";

    // Draw high across the lane, from 200 to 420 pixels into it.
    const auto loadsBefore = trackerLoads (driver);
    const auto y = lane.getY() + 10;
    driver.drag ({lane.getX() + 200, y}, {lane.getX() + 420, y}, 12);

    juce::var saved;
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return volumeMessages (saved = driver.readSavedScore()) >= 3; },
                                         XDisplay::patienceMs, 200))
        << "the host got no volume messages\n"
        << sim->getOutput();
    const auto drawn = volumeMessages (saved);
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return trackerLoads (driver) > loadsBefore; },
                                         XDisplay::patienceMs, 50))
        << "the suite did not reload after the edit\n"
        << sim->getErrorOutput();

    display.run ({"xdotool", "mousemove", juce::String (geometry.x + 50), juce::String (geometry.y + 15)});
    const auto shown = driver.waitForScreen ([&] (const juce::Image& shot)
                                             { return greenIn (shot, lane.getX() + 210, lane.getX() + 400); },
                                             "orvana-au-lane-drawn");
    EXPECT_TRUE (greenIn (shown, lane.getX() + 210, lane.getX() + 400)) << "the reloaded lane does not show the curve";

    // Ctrl-drag over the first part erases it.
    const auto loadsAfterDraw = trackerLoads (driver);
    display.run ({"xdotool", "mousemove", juce::String (lane.getX() + 150), juce::String (y), "keydown", "ctrl", "mousedown", "1"});
    for (int x = lane.getX() + 170; x <= lane.getX() + 320; x += 30)
        display.run ({"xdotool", "mousemove", juce::String (x), juce::String (y)});
    display.run ({"xdotool", "mouseup", "1", "keyup", "ctrl", "mousemove", juce::String (geometry.x + 50), juce::String (geometry.y + 15)});

    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         {
                                             const auto left = volumeMessages (driver.readSavedScore());
                                             return left > 0 && left < drawn; },
                                         XDisplay::patienceMs, 200))
        << "the host did not erase part of the curve\n"
        << sim->getOutput();
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return trackerLoads (driver) > loadsAfterDraw; },
                                         XDisplay::patienceMs, 50));
    const auto erased = driver.waitForScreen ([&] (const juce::Image& shot)
                                              { return !greenIn (shot, lane.getX() + 200, lane.getX() + 310) && greenIn (shot, lane.getX() + 340, lane.getX() + 420); },
                                              "orvana-au-lane-erased");
    EXPECT_FALSE (greenIn (erased, lane.getX() + 200, lane.getX() + 310)) << "the erased part is still drawn";
    EXPECT_TRUE (greenIn (erased, lane.getX() + 340, lane.getX() + 420)) << "the rest of the curve went too";
}
