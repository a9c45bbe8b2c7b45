// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator launches the real suite, the user's trigger opens the
// editor "ORV" scrolled to the selection, a click on the ruler's lower
// stripe moves the host's play line to the floored beat, Play starts the
// host and the play line moves on the screen, Ctrl+wheel zooms (the zoom
// reaches the state file) and a second trigger closes the window. Every step
// waits for what the programs show, never for a fixed time.
#include "gadget/TestMouse.h"
#include "gfx/Palette.h"
#include "orv/ui/tracker/TrackerLayout.h"
#include "orv/ui/tracker/TrackerWin.h"
#include "orv/ui/tracker/topBar/TopBar.h"
#include "support/Subprocess.h"

#include "orv/ui/tracker/TrackerTestScores.h"

#include "orv/ui/tracker/TrackerWindowStart.h"

#include <gtest/gtest.h>

namespace
{
using orv::tracker::TrackerLayout;
using testsupport::XDisplay;

/** The leftmost column of the row (screen coordinates) in the colour, -1 when none. */
int firstColumnOf (const juce::Image& shot, juce::Colour colour, int y, int fromX, int toX)
{
    for (int x = juce::jmax (0, fromX); x < juce::jmin (shot.getWidth(), toX); ++x)
        if (testing_support::coloursClose (shot.getPixelAt (x, y), colour, 12))
            return x;

    return -1;
}
} // namespace

TEST (TrackerWindow, OpensOnTheSelectionSetsThePlayStartPlaysZoomsAndCloses)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    const auto window = openTrackerWindow (driver, trackerHostSimScore ("Tracker", 3, 5, 6));
    ASSERT_TRUE (window.isNotEmpty()) << "the editor did not appear, or was not drawn";
    auto* sim = driver.getSim();
    const auto stateFile = trackerStateFile (driver);

    // Asks host-sim again and again until an answer (output after the question) holds the text.
    const auto simShows = [sim] (const juce::String& command, const juce::String& text)
    {
        return testsupport::waitUntil ([&]
                                       {
                                           const auto asked = sim->getOutput().length();
                                           sim->sendCommand (command);
                                           return testsupport::waitUntil ([&]
                                                                          { return sim->getOutput().substring (asked).contains (text); },
                                                                          300); },
                                       XDisplay::patienceMs);
    };

    const auto geometry = display.geometryOf (window);
    const auto portWidth = geometry.width - 120;
    const auto zoom = 0.15625f;
    const auto scrolledTo = 4 * 1024 - 0.15f * static_cast<float> (portWidth) / zoom;
    const auto screenXOfTick = [&] (float ticks)
    { return geometry.x + TrackerLayout::headerWidth + juce::roundToInt ((ticks - scrolledTo) * zoom); };
    const auto rulerTop = geometry.y + TrackerLayout::topBarHeight;

    // Scrolled to the selection: the region marker starts at 15 % of the port.
    const auto opened = driver.waitForScreen ([&] (const juce::Image& shot)
                                              { return std::abs (firstColumnOf (shot, gfx::colours::lightBlue, rulerTop + 1, geometry.x + 100, geometry.x + geometry.width)
                                                                 - screenXOfTick (4 * 1024))
                                                       <= 2; },
                                              "orvana-editor-opened");
    EXPECT_NEAR (firstColumnOf (opened, gfx::colours::lightBlue, rulerTop + 1, geometry.x + 100, geometry.x + geometry.width), screenXOfTick (4 * 1024), 2);

    // A click on the lower stripe, 100 ticks into the second beat of bar 6: the host's play line goes to the beat.
    const auto clickTicks = 5 * 1024 + 256 + 100.0f;
    driver.clickAt (window, {screenXOfTick (clickTicks) - geometry.x, TrackerLayout::topBarHeight + 30});
    EXPECT_TRUE (simShows ("status", "stopped at bar 6, position 256")) << sim->getOutput();
    EXPECT_TRUE (simShows ("log 60", "\"method\": \"setPlayLinePos\"")) << sim->getOutput();
    EXPECT_TRUE (simShows ("log 60", "6,256")) << sim->getOutput();

    // Play: the host plays and the play line moves right on the screen.
    const auto playButton = juce::Point<int> (2 + 70 + 2 + 56 + 2 + 110 + 2 + orv::tracker::TopBarButton::size / 2, 15);
    const auto playLineX = [&] (const juce::Image& shot)
    { return firstColumnOf (shot, gfx::colours::yellow, rulerTop + 12, geometry.x + 100, geometry.x + geometry.width - 20); };
    const auto startX = screenXOfTick (5 * 1024 + 256);
    driver.clickAt (window, {TrackerLayout::headerWidth + playButton.x, playButton.y});
    EXPECT_TRUE (simShows ("status", "; playing at bar")) << sim->getOutput();
    const auto moved = driver.waitForScreen ([&] (const juce::Image& shot)
                                             { return playLineX (shot) > startX + 4; },
                                             "orvana-editor-playing");
    EXPECT_GT (playLineX (moved), startX + 4) << "the play line did not follow the host";
    driver.clickAt (window, {TrackerLayout::headerWidth + playButton.x, playButton.y});
    EXPECT_TRUE (simShows ("status", "; stopped at bar")) << sim->getOutput();

    // Ctrl+wheel over the lanes zooms in by a tenth.
    display.run ({"xdotool", "mousemove", juce::String (geometry.x + 400), juce::String (geometry.y + 200), "keydown", "ctrl", "click", "4", "keyup", "ctrl"});
    const auto regionLeft = [&] (const juce::Image& shot)
    { return firstColumnOf (shot, gfx::colours::lightBlue, rulerTop + 1, geometry.x + 100, geometry.x + geometry.width); };
    const auto zoomed = driver.waitForScreen ([&] (const juce::Image& shot)
                                              { return std::abs (regionLeft (shot) - screenXOfTick (4 * 1024)) > 3; },
                                              "orvana-editor-zoomed");
    EXPECT_GT (std::abs (regionLeft (zoomed) - screenXOfTick (4 * 1024)), 3) << "the region marker did not move with the zoom";

    // The second trigger closes the window, which stores the state.
    ASSERT_TRUE (driver.command ("trigger ORV"));
    double storedZoom = 0.0;
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         {
                                             const auto xml = juce::parseXML (stateFile);
                                             const auto* view = xml != nullptr ? xml->getChildByName ("EDITOR_VIEWPORT_STATE") : nullptr;
                                             storedZoom = view != nullptr ? view->getDoubleAttribute ("zoomX") : 0.0;
                                             return storedZoom > 0.16; },
                                         XDisplay::patienceMs, 50));
    EXPECT_NEAR (storedZoom, 1.1 * 0.15625, 1.0e-4);
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return display.run ({"xdotool", "search", "--onlyvisible", "--name", "^ORV$"}).trim().isEmpty(); },
                                         XDisplay::patienceMs, 50))
        << "the editor is still open";
}
