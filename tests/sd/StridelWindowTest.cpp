// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator launches the real suite with the lead sheet, bass bars 1-4
// selected. The trigger opens Stridel; a drag turns the THIRD knob down, a
// click on the main button fetches the chords and writes the line: 13 notes
// (4 + 4 + 4 + 1) on the bass staff, Bb, G, C and F on the first beats.
// Closing the gadget stores the knob's weight. Every step waits for what the
// programs show.
#include "sd/ui/SdLayout.h"
#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
namespace layout = sd::layout;
using testsupport::XDisplay;

struct BassNote
{
    int bar, position, pitch;
};

std::vector<BassNote> bassNotes (const juce::var& score)
{
    std::vector<BassNote> notes;

    if (const auto* staves = score["staves"].getArray())
        for (const auto& staff : *staves)
            if (static_cast<int> (staff["number"]) == 2)
                if (const auto* bars = staff["bars"].getArray())
                    for (const auto& bar : *bars)
                        if (const auto* groups = bar["noteGroups"].getArray())
                            for (const auto& group : *groups)
                                for (const auto& note : *group["notes"].getArray())
                                    notes.push_back ({static_cast<int> (bar["bar"]), static_cast<int> (group["position"]), static_cast<int> (note["pitch"])});

    return notes;
}
} // namespace

TEST (StridelWindow, WritesTheWalkingBassOfTheLeadSheetAndKeepsTheKnob)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    const auto leadSheet = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/lead-sheet.json").loadFileAsString();
    ASSERT_TRUE (driver.start (leadSheet)) << "port 1898 stayed busy";
    auto* sim = driver.getSim();
    ASSERT_TRUE (driver.command ("select 1-4 2"));
    ASSERT_TRUE (bassNotes (driver.readSavedScore()).empty());

    const auto window = driver.openProductWindow ("SD", layout::windowName);
    ASSERT_TRUE (window.isNotEmpty()) << "Stridel's window did not appear, or was not drawn\n"
                                      << sim->getOutput();
    const auto gadget = driver.geometryOf (window);
    EXPECT_EQ (gadget.width, layout::bodyWidth + 10);
    driver.screenshot ("stridel-gadget");

    // The THIRD knob turned down to its lowest quarter.
    const juce::Point<int> knob{gadget.x + layout::knobCentreX (0), gadget.y + layout::knobCentreY};
    driver.drag (knob + juce::Point<int> (-15, -15), knob + juce::Point<int> (-18, 12));

    const auto pressed = juce::Time::getMillisecondCounterHiRes();
    driver.clickAt (window, {layout::mainButtonCentreX, layout::mainButtonCentreY});

    std::vector<BassNote> notes;
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return (notes = bassNotes (driver.readSavedScore())).size() == 13; },
                                         XDisplay::patienceMs, 50))
        << notes.size() << " notes\n"
        << sim->getOutput();
    // Includes the polls' saves and reads: an upper bound of press to notes.
    std::cout << "[ figures ] press to 13 notes seen in the saved score: " << juce::roundToInt (juce::Time::getMillisecondCounterHiRes() - pressed) << " ms\n";
    driver.screenshot ("stridel-line");

    // Range and chord tones of every note are the generator's randomised test; here the bars' shape.
    const std::map<int, int> roots{{1, 10}, {2, 7}, {3, 0}, {4, 5}};
    std::map<int, int> perBar;

    for (const auto& note : notes)
    {
        ++perBar[note.bar];
        EXPECT_EQ (note.position % 256, 0);

        if (note.position == 0)
        {
            EXPECT_EQ (note.pitch % 12, roots.at (note.bar)) << "bar " << note.bar;
        }
    }

    EXPECT_EQ (perBar, (std::map<int, int>{{1, 4}, {2, 4}, {3, 4}, {4, 1}}));

    // Closing stores the knob's weight.
    driver.clickAt (window, {layout::closeCentreX, layout::closeCentreY});
    const auto stateFile = driver.getSuite().getStateFolder().getChildFile ("Stridel").getChildFile ("state.xml");
    std::unique_ptr<juce::XmlElement> stored;
    testsupport::waitUntil ([&]
                            {
                                stored = juce::parseXML (stateFile);
                                return stored != nullptr; },
                            XDisplay::patienceMs,
                            50);
    ASSERT_NE (stored, nullptr) << stateFile.getFullPathName();
    EXPECT_LT (stored->getDoubleAttribute ("jumpToClosestWeight", 0.5), 0.25);
    EXPECT_TRUE (stored->hasAttribute ("x") && stored->hasAttribute ("y"));
}
