// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator launches the real suite, the user's trigger opens
// Frettle's gadget, "Cmaj7" typed into the chord name editor comes back from
// the host as pitches and the diagram shows the first of its variations;
// "Apply" has the host write that chord and its diagram at the selection,
// and a preset in the options drawer changes the stored tuning. Every step
// waits for what the programs show, never for a fixed time.
#include "frt/FingeringCalculator.h"
#include "frt/ui/FrtGadget.h"
#include "frt/ui/FrtLayout.h"
#include "frt/ui/TuningDrawer.h"
#include "gadget/TestMouse.h"
#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
namespace layout = frt::layout;
using testsupport::XDisplay;

/** One guitar staff of two bars; bar 1 is selected. */
const char* const scoreJson = R"({"format": "host-sim score", "version": 1, "title": "Fret study",
  "bars": [{"number": 1, "length": 1024, "meter": "4/4"}, {"number": 2, "length": 1024, "meter": "4/4"}],
  "staves": [{"number": 1, "fullName": "Guitar", "shortName": "Gtr.", "bars": []}],
  "selection": {"firstBar": 1, "lastBar": 1, "staves": [1]}})";

/** The chord diagram items of a saved score. */
juce::Array<juce::var> diagramsOf (const juce::var& score)
{
    juce::Array<juce::var> diagrams;

    if (const auto* items = score["items"].getArray())
        for (const auto& item : *items)
            if (item["kind"].toString() == "chordDiagram")
                diagrams.add (item);

    return diagrams;
}

/** The pitches of the note group at the start of bar 1 of staff 1. */
std::vector<int> chordAtSelection (const juce::var& score)
{
    std::vector<int> pitches;

    for (const auto& staff : *score["staves"].getArray())
        if (static_cast<int> (staff["number"]) == 1)
            for (const auto& bar : *staff["bars"].getArray())
                if (static_cast<int> (bar["bar"]) == 1)
                    for (const auto& group : *bar["noteGroups"].getArray())
                        if (static_cast<int> (group["position"]) == 0)
                            for (const auto& note : *group["notes"].getArray())
                                pitches.push_back (static_cast<int> (note["pitch"]));

    return pitches;
}

/** Pixels of the area near the colour. */
int pixelsNear (const juce::Image& shot, juce::Rectangle<int> area, juce::Colour colour)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            count += testing_support::coloursClose (shot.getPixelAt (x, y), colour, 30) ? 1 : 0;

    return count;
}
} // namespace

TEST (FrettleWindow, TypedChordShowsItsFirstVariationApplyWritesItAndAPresetRetunes)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    ASSERT_TRUE (driver.start (scoreJson)) << "port 1898 stayed busy";
    const auto window = driver.openProductWindow ("FRT", layout::windowName);
    ASSERT_TRUE (window.isNotEmpty()) << "Frettle's window did not appear, or was not drawn\n"
                                      << driver.getSim()->getOutput();

    const auto gadget = display.geometryOf (window);
    const juce::Rectangle<int> diagramArea (gadget.x + layout::diagramXInWindow, gadget.y + layout::diagramYInWindow,
                                            frt::DiagramBuilder::width, frt::DiagramBuilder::height);
    const auto ink = juce::Colour (0xff111111);
    const auto empty = driver.screenshot ("frettle-gadget");
    const auto inkBefore = pixelsNear (empty, diagramArea, ink);

    driver.clickAt (window, {layout::nameEditorCentreX, layout::nameEditorCentreY});
    driver.typeText ("Cmaj7");
    display.run ({"xdotool", "key", "Return"});

    // The first variation's spots fill the diagram with ink.
    const auto showsSpots = [&] (const juce::Image& shot)
    { return pixelsNear (shot, diagramArea, ink) > inkBefore + 300; };
    const auto shown = driver.waitForScreen (showsSpots, "frettle-cmaj7");
    ASSERT_TRUE (showsSpots (shown)) << pixelsNear (shown, diagramArea, ink) << " ink pixels, " << inkBefore << " before\n"
                                     << driver.getSim()->getOutput();

    driver.clickAt (window, {layout::rightColumnCentreX, layout::applyCentreY});
    juce::var applied;
    testsupport::waitUntil ([&]
                            {
                                applied = driver.readSavedScore();
                                return diagramsOf (applied).size() == 1; },
                            XDisplay::patienceMs,
                            200);
    const auto diagrams = diagramsOf (applied);
    ASSERT_EQ (diagrams.size(), 1) << driver.getSim()->getOutput();

    // What was applied is the first variation of the chord the host read.
    const auto variations = frt::FingeringCalculator (frt::FretboardSetup()).calculateVariations ("Cmaj7", {60, 64, 67, 71});
    ASSERT_FALSE (variations.empty());
    const auto sent = frt::Fingering::fromString (diagrams[0]["properties"]["fingering"].toString());
    ASSERT_TRUE (sent.has_value());
    EXPECT_EQ (sent->toString(), variations.front().toString());
    EXPECT_EQ (diagrams[0]["text"].toString(), "Cmaj7");

    // The chord written at the selection: only and all of C, E, G and B (the
    // pitches per string are the product test's).
    std::set<int> classes;

    for (const auto pitch : chordAtSelection (applied))
        classes.insert (pitch % 12);

    EXPECT_EQ (classes, (std::set<int>{0, 4, 7, 11}));

    // Options, then "Drop D" in the drawer (content starts below the drawer's lip margin).
    driver.clickAt (window, {layout::rightColumnCentreX, layout::optionsCentreY});
    const auto drawerWindow = driver.waitForWindow ("Gadget Drawer");
    ASSERT_TRUE (drawerWindow.isNotEmpty());
    frt::TuningDrawer reference{frt::State()};
    reference.setSize (layout::drawerClientAreaSize, 400);
    const auto dropD = reference.getPresetButtonCentre (2);
    testsupport::WindowGeometry d;
    testsupport::waitUntil ([&]
                            {
                                d = display.geometryOf (drawerWindow);
                                return d.x >= gadget.x + layout::bodyWidth - 2; },
                            XDisplay::patienceMs,
                            50);
    const auto drawerOpen = driver.waitForScreen ([&] (const juce::Image& shot)
                                                  { return testing_support::coloursClose (shot.getPixelAt (d.x + d.width - 5, d.y + d.height / 2),
                                                                                          frt::FrtGadget::mainColour, 8); },
                                                  "frettle-drawer");
    ASSERT_TRUE (testing_support::coloursClose (drawerOpen.getPixelAt (d.x + d.width - 5, d.y + d.height / 2), frt::FrtGadget::mainColour, 8))
        << "the drawer did not slide out";
    display.run ({"xdotool", "mousemove", juce::String (d.x + dropD.x), juce::String (d.y + 10 + dropD.y), "click", "1"});
    driver.screenshot ("frettle-drop-d");

    driver.clickAt (window, {layout::closeCentreX, layout::closeCentreY});
    const auto stateFile = driver.getSuite().getStateFolder().getChildFile ("Frettle").getChildFile ("Frettle.xml");
    std::unique_ptr<juce::XmlElement> stored;
    testsupport::waitUntil ([&]
                            {
                                stored = juce::parseXML (stateFile);
                                return stored != nullptr; },
                            XDisplay::patienceMs,
                            50);
    ASSERT_NE (stored, nullptr) << stateFile.getFullPathName();
    EXPECT_EQ (stored->getStringAttribute ("guitarTuning"), "64,59,55,50,45,38");
}
