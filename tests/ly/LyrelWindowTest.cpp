// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator with the orchestral demo score launches the real suite, the
// user's trigger over bars 13-14 of the harp (E flat major) opens Lyrel's
// gadget with the key's pedals, a click on "Apply" has the host write the
// glissando spelled for them, a click on the undo button takes it back, and
// closing the gadget stores the pedals. Every step waits for what the
// programs show, never for a fixed time.
#include "gadget/TestMouse.h"
#include "ly/ui/LyGadget.h"
#include "ly/ui/LyLayout.h"
#include "support/ProductWindowDriver.h"

#include <gtest/gtest.h>

namespace
{
namespace layout = ly::layout;
using testsupport::XDisplay;

constexpr int harpStaff = 13;

/** The harp's bars 13 and 14 of a saved score, as JSON text. */
juce::String harpBars (const juce::var& score)
{
    juce::Array<juce::var> bars;

    if (const auto* staves = score["staves"].getArray())
        for (const auto& staff : *staves)
            if (static_cast<int> (staff["number"]) == harpStaff)
                if (const auto* staffBars = staff["bars"].getArray())
                    for (const auto& bar : *staffBars)
                        if (static_cast<int> (bar["bar"]) == 13 || static_cast<int> (bar["bar"]) == 14)
                            bars.add (bar);

    return juce::JSON::toString (bars, true);
}

/** The written-out run's notes (those written on a given staff step) as
    "name:pitch" with the step's letter, e.g. "A:68". */
juce::StringArray runNotes (const juce::var& score)
{
    juce::StringArray notes;
    const auto bars = juce::JSON::parse (harpBars (score));

    for (const auto& bar : *bars.getArray())
        for (const auto& group : *bar["noteGroups"].getArray())
            for (const auto& note : *group["notes"].getArray())
                if (note.hasProperty ("diatonicPitch"))
                    notes.add (juce::String::charToString ("CDEFGAB"[static_cast<int> (note["diatonicPitch"]) % 7]) + ":"
                               + note["pitch"].toString());

    return notes;
}

/** The methods of Lyrel's plug-in the simulator received, in order, each
    with its argument's pedal text when it has one ("apply --bb--b"). */
juce::StringArray lyrelCalls (const juce::String& logLines)
{
    juce::StringArray calls;

    for (const auto& line : juce::StringArray::fromLines (logLines))
    {
        const auto event = juce::JSON::parse (line.fromFirstOccurrenceOf ("{", true, false));

        if (event["event"].toString() != "received")
            continue;

        const auto args = juce::JSON::parse (event["text"].toString())["args"];

        if (args.size() == 4 && args[1].toString() == "ORV_Lyrel")
            calls.add ((args[2].toString() + " " + args[3]["pedaling"].toString()).trim());
    }

    return calls;
}

/** Pixels of the area near the colour. */
int pixelsNear (const juce::Image& shot, juce::Rectangle<int> area, juce::Colour colour)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            count += testing_support::coloursClose (shot.getPixelAt (x, y), colour, 40) ? 1 : 0;

    return count;
}
} // namespace

TEST (LyrelWindow, TriggerSetsTheKeysPedalsApplyWritesTheSpelledRunAndUndoTakesItBack)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    const auto scoreText = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/orchestral.json").loadFileAsString();
    ASSERT_TRUE (scoreText.isNotEmpty());
    const auto original = juce::JSON::parse (scoreText);

    testsupport::ProductWindowDriver driver{display};
    ASSERT_TRUE (driver.start (scoreText)) << "port 1898 stayed busy";
    ASSERT_TRUE (driver.command ("select 13-14 13"));
    const auto window = driver.openProductWindow ("LY", layout::windowName);
    ASSERT_TRUE (window.isNotEmpty()) << "Lyrel's window did not appear, or was not drawn\n"
                                      << driver.getSim()->getOutput();

    // E flat major lowers B, E and A: the diagram shows three marks in the
    // accent colour (flat pedals), the rest in white.
    const auto gadget = display.geometryOf (window);
    const juce::Rectangle<int> diagram (gadget.x + layout::rightColumnX, gadget.y + layout::bodyTopInWindow + layout::diagramY,
                                        layout::rightColumnWidth, layout::diagramHeight);
    const auto showsFlats = [&] (const juce::Image& shot)
    { return pixelsNear (shot, diagram, gfx::colours::yellow) > 40; };
    const auto shot = driver.waitForScreen (showsFlats, "lyrel-gadget");
    EXPECT_TRUE (showsFlats (shot)) << pixelsNear (shot, diagram, gfx::colours::yellow) << " accent pixels in the diagram";

    driver.clickAt (window, {layout::applyCentreX, layout::commandRowCentreY});

    juce::StringArray calls;
    testsupport::waitUntil ([&]
                            {
                                driver.command ("log 200");
                                calls = lyrelCalls (driver.getSim()->getOutput());
                                return calls.contains ("applyPostProcess"); },
                            XDisplay::patienceMs,
                            200);
    const auto applyAt = calls.indexOf ("apply --bb--b");
    EXPECT_GE (applyAt, 0) << calls.joinIntoString (", ");
    EXPECT_GT (calls.indexOf ("applyPostProcess"), applyAt) << calls.joinIntoString (", ");

    // The run from F up to D: G, then A and B as the lowered pedals give them, then C.
    const auto applied = driver.readSavedScore();
    EXPECT_EQ (runNotes (applied).joinIntoString (" "), "G:67 A:68 B:70 C:72");
    EXPECT_NE (harpBars (applied), harpBars (original));

    driver.clickAt (window, {layout::undoCentreX, layout::historyRowCentreY});
    juce::var undone;
    testsupport::waitUntil ([&]
                            {
                                undone = driver.readSavedScore();
                                return harpBars (undone) == harpBars (original); },
                            XDisplay::patienceMs,
                            200);
    EXPECT_EQ (harpBars (undone), harpBars (original));
    driver.screenshot ("lyrel-after-undo");

    // Closing the gadget stores the pedals.
    driver.clickAt (window, {layout::closeCentreX, layout::closeCentreY});
    const auto stateFile = driver.getSuite().getStateFolder().getChildFile ("Lyrel").getChildFile ("state.xml");
    std::unique_ptr<juce::XmlElement> stored;
    testsupport::waitUntil ([&]
                            {
                                stored = juce::parseXML (stateFile);
                                return stored != nullptr; },
                            XDisplay::patienceMs,
                            50);
    ASSERT_NE (stored, nullptr) << stateFile.getFullPathName();
    EXPECT_EQ (stored->getStringAttribute ("pedaling"), "--bb--b");
}
