// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator with the orchestral demo score launches the real suite;
// with the oboe's bars 1-8 selected, the user's trigger opens Pennat's
// gadget, a click on "Auto" has the host write a diagram for each note the
// factory chart knows (F#4, A4, B4) and none for the others (G4, E4); then,
// in the transposition drawer, the flute key "A4" typed in and "Transpose"
// (towards the tablature) lower the notes by a minor third. Every step
// waits for what the programs show, never for a fixed time.
#include "gadget/TestMouse.h"
#include "pnt/ui/PntGadget.h"
#include "pnt/ui/PntLayout.h"
#include "support/ProductWindowDriver.h"

#include <gtest/gtest.h>

namespace
{
namespace layout = pnt::layout;
using testsupport::XDisplay;

constexpr int oboeStaff = 3;

/** The oboe's diagrams as "bar:position:pattern", in score order. */
juce::StringArray oboeDiagrams (const juce::var& score)
{
    juce::StringArray diagrams;

    if (const auto* items = score["items"].getArray())
        for (const auto& item : *items)
            if (item["kind"].toString() == "fingeringDiagram" && static_cast<int> (item["staff"]) == oboeStaff)
                diagrams.add (item["bar"].toString() + ":" + item["position"].toString() + ":" + item["text"].toString());

    return diagrams;
}

/** The oboe's pitches in bars 1-8, in order. */
juce::Array<int> oboePitches (const juce::var& score)
{
    juce::Array<int> pitches;

    if (const auto* staves = score["staves"].getArray())
        for (const auto& staff : *staves)
            if (static_cast<int> (staff["number"]) == oboeStaff)
                for (const auto& bar : *staff["bars"].getArray())
                    if (static_cast<int> (bar["bar"]) <= 8)
                        for (const auto& group : *bar["noteGroups"].getArray())
                            for (const auto& note : *group["notes"].getArray())
                                pitches.add (static_cast<int> (note["pitch"]));

    return pitches;
}

/** Where a control of the transposition drawer lies in the drawer's window. */
juce::Point<int> inDrawerWindow (pnt::PntTransposeDrawer& drawer, juce::Component& control)
{
    return drawer.getLocalArea (&control, control.getLocalBounds()).getCentre() + juce::Point<int> (0, layout::drawerContentTop);
}
} // namespace

TEST (PennatWindow, AutoWritesTheChartsDiagramsAndTransposeLowersToTheTablature)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    const auto scoreText = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/orchestral.json").loadFileAsString();
    ASSERT_TRUE (scoreText.isNotEmpty());
    const auto original = oboePitches (juce::JSON::parse (scoreText));
    ASSERT_EQ (original.size(), 12);

    testsupport::ProductWindowDriver driver{display};
    ASSERT_TRUE (driver.start (scoreText)) << "port 1898 stayed busy";
    ASSERT_TRUE (driver.command ("select 1-8 3"));
    const auto window = driver.openProductWindow ("PNT", layout::windowName);
    ASSERT_TRUE (window.isNotEmpty()) << "Pennat's window did not appear, or was not drawn\n"
                                      << driver.getSim()->getOutput();

    driver.clickAt (window, {layout::autoCentreX, layout::insertRowCentreY});

    juce::StringArray diagrams;
    testsupport::waitUntil ([&]
                            {
                                diagrams = oboeDiagrams (driver.readSavedScore());
                                return !diagrams.isEmpty(); },
                            XDisplay::patienceMs,
                            200);
    // F#4 111111, A4 111110, B4 111100; nothing at the G4s of bar 2 nor the E4 of bar 8.
    EXPECT_EQ (diagrams.joinIntoString (" "), "1:0:111111 1:512:111110 4:0:111111 4:512:111110 5:0:111111 5:512:111100 "
                                              "7:0:111110 7:512:111110 8:0:111110");
    driver.screenshot ("pennat-after-auto");

    // The transposition drawer, laid out as the gadget lays it out.
    driver.clickAt (window, {layout::transposeCentreX, layout::transposeCentreY});
    const auto drawerWindow = driver.waitForWindow ("Gadget Drawer");
    ASSERT_TRUE (drawerWindow.isNotEmpty());

    pnt::PntGadget probe{pnt::PntState(), pnt::PntPreferences()};
    auto& drawer = probe.getTransposeDrawer();
    drawer.setSize (layout::drawerClientAreaSize, probe.getBodyHeight() - 10 - 2 * layout::drawerContentTop);
    const auto keyField = inDrawerWindow (drawer, drawer.getKeyEditor());
    const auto sendButton = inDrawerWindow (drawer, drawer.getTransposeButton());

    // Wait until the drawer has slid out: the button's face shows.
    const auto buttonShows = [&] (const juce::Image& shot)
    {
        const auto at = display.geometryOf (drawerWindow);
        return testing_support::coloursClose (shot.getPixelAt (at.x + sendButton.x - 40, at.y + sendButton.y), gfx::colours::control, 30);
    };
    driver.waitForScreen (buttonShows, "pennat-transpose-drawer");

    driver.clickAt (drawerWindow, keyField);
    driver.typeText ("A4");
    driver.clickAt (drawerWindow, sendButton);

    juce::Array<int> transposed;
    testsupport::waitUntil ([&]
                            {
                                transposed = oboePitches (driver.readSavedScore());
                                return transposed != original; },
                            XDisplay::patienceMs,
                            200);

    juce::Array<int> expected;

    for (const auto pitch : original)
        expected.add (pitch - 3);

    EXPECT_EQ (transposed, expected);
    driver.screenshot ("pennat-after-transpose");
}
