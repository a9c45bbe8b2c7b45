// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator launches the real suite with the orchestral demo score
// (four pages of six bars), the user's trigger opens Layvo's gadget with the
// score's layout as a script, a new script typed into the editor and applied
// with Return lays the simulator's score out, and "+" asks for one page more,
// after which the editor shows the host's new layout. Every step waits for
// what the programs show, never for a fixed time.
#include "gadget/TestMouse.h"
#include "lv/ui/LvLayout.h"
#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>

namespace
{
namespace layout = lv::layout;
using testsupport::XDisplay;

/** Pixels of the area that differ between two pictures of the screen. */
int differingPixels (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            count += testing_support::coloursClose (a.getPixelAt (x, y), b.getPixelAt (x, y), 8) ? 0 : 1;

    return count;
}
} // namespace

TEST (LayvoWindow, TheScriptTypedIntoTheEditorLaysOutTheScoreAndPlusAddsAPage)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    const auto score = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/orchestral.json").loadFileAsString();
    ASSERT_TRUE (driver.start (score)) << "port 1898 stayed busy";
    auto* sim = driver.getSim();

    // Asks host-sim again and again until its answer holds the text.
    const auto simShows = [sim] (const juce::String& command, const juce::String& text)
    {
        return testsupport::waitUntil ([&]
                                       {
                                           sim->sendCommand (command);
                                           return sim->waitForOutput (text, 300); },
                                       XDisplay::patienceMs);
    };

    const auto window = driver.openProductWindow ("LV", layout::windowName);
    ASSERT_TRUE (window.isNotEmpty()) << "Layvo's window did not appear, or was not drawn\n"
                                      << sim->getOutput();
    const auto gadget = display.geometryOf (window);
    EXPECT_EQ (gadget.width, layout::bodyWidth + 10);
    driver.screenshot ("layvo-gadget");

    // "Apply" sends what the editor shows: the score's four pages of one system.
    driver.clickAt (window, {layout::editorCentreX, layout::applyButtonCentreY});
    EXPECT_TRUE (simShows ("log 20", "Layvo: applied 6a1 - 12a1 - 18a1 - 24a1")) << sim->getOutput();

    driver.clickAt (window, {layout::editorCentreX, layout::editorCentreY});
    display.run ({"xdotool", "key", "ctrl+a"});
    driver.typeText ("8a2 - 16a3 - 24a2");
    display.run ({"xdotool", "key", "Return"});
    EXPECT_TRUE (simShows ("layout", "ok: 1-8 (1-4, 5-8) | 9-16 (9-11, 12-13, 14-16) | 17-24 (17-20, 21-24)")) << sim->getOutput();

    // "+": the host spreads the bars over four pages; its reply is rebuilt
    // into the script, which the editor then shows instead of the typed one.
    const juce::Rectangle<int> editorOnScreen (gadget.x + layout::clientX, gadget.y + layout::bodyTopInWindow + layout::editorY,
                                               layout::clientWidth, layout::editorHeight);
    const auto typed = driver.screenshot ("layvo-typed-script");
    driver.clickAt (window, {layout::increaseButtonCentreX, layout::pageRowCentreY});
    EXPECT_TRUE (simShows ("layout", "ok: 1-6 (1-3, 4-6) | 7-12 (7-8, 9-10, 11-12) | 13-18 (13-15, 16-18) | 19-24 (19-24)"))
        << sim->getOutput();
    const auto rebuilt = driver.waitForScreen ([&] (const juce::Image& shot)
                                               { return differingPixels (typed, shot, editorOnScreen) > 150; },
                                               "layvo-after-plus");
    ASSERT_GT (differingPixels (typed, rebuilt, editorOnScreen), 150) << "the editor still shows the typed script";

    driver.clickAt (window, {layout::editorCentreX, layout::applyButtonCentreY});
    EXPECT_TRUE (simShows ("log 20", "Layvo: applied 6a2 - 12a3 - 18a2 - 24a1")) << sim->getOutput();
}
