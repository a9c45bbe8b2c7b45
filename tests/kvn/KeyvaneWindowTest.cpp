// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator launches the real suite with the lead sheet (B-flat major,
// the saxophone's notes written on their staff steps), bars 1-4 of the
// saxophone selected. The trigger opens Keyvane; "By Int." and the knob
// turned to option 2 choose a major second, and "Transpose" moves every
// note up two semitones and one staff step. Back in Key mode the knob
// turned to G and "Set Signature" write G major at the selection's start.
// Every step waits for what the programs show, never for a fixed time.
#include "kvn/ui/KvLayout.h"
#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
namespace layout = kv::layout;
using testsupport::XDisplay;

/** The lead sheet with every saxophone note of bars 1-4 on its staff step,
    as a musician writes it in B-flat (71 is B natural). */
juce::String leadSheetWithSteps()
{
    auto score = juce::JSON::parse (juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/lead-sheet.json"));
    const std::map<int, int> steps{{67, 39}, {69, 40}, {70, 41}, {71, 41}, {72, 42}, {74, 43}};

    for (const auto& bar : *score["staves"][0]["bars"].getArray())
        for (const auto& group : *bar["noteGroups"].getArray())
            for (const auto& note : *group["notes"].getArray())
                if (auto* object = note.getDynamicObject(); object != nullptr && static_cast<int> (bar["bar"]) <= 4)
                    object->setProperty ("diatonicPitch", steps.at (static_cast<int> (note["pitch"])));

    return juce::JSON::toString (score);
}

/** "pitch/step" of the saxophone's notes in bars 1-4 of a saved score. */
juce::String saxNotes (const juce::var& score)
{
    juce::StringArray texts;

    if (const auto* bars = score["staves"][0]["bars"].getArray())
        for (const auto& bar : *bars)
            if (static_cast<int> (bar["bar"]) <= 4)
                for (const auto& group : *bar["noteGroups"].getArray())
                    for (const auto& note : *group["notes"].getArray())
                        texts.add (note["pitch"].toString() + "/" + note["diatonicPitch"].toString());

    return texts.joinIntoString (" ");
}

juce::String firstKey (const juce::var& score)
{
    const auto first = score["keySignatures"][0];
    return first["bar"].toString() + ":" + first["fifths"].toString() + (static_cast<bool> (first["major"]) ? "M" : "m");
}

/** A point on the knob's option (screen coordinates). */
juce::Point<int> onOption (const testsupport::WindowGeometry& gadget, int option, double radius = 60.0)
{
    const auto angle = juce::MathConstants<double>::twoPi * option / 15.0;
    return {gadget.x + layout::knobCentreX + static_cast<int> (std::lround (std::sin (angle) * radius)),
            gadget.y + layout::knobCentreY - static_cast<int> (std::lround (std::cos (angle) * radius))};
}
} // namespace

TEST (KeyvaneWindow, TransposesByAMajorSecondThenSetsGMajor)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    ASSERT_TRUE (driver.start (leadSheetWithSteps())) << "port 1898 stayed busy";
    auto* sim = driver.getSim();
    ASSERT_TRUE (driver.command ("select 1-4 1"));

    const auto original = saxNotes (driver.readSavedScore());
    ASSERT_EQ (original, "70/41 72/42 74/43 74/43 71/41 67/39 72/42 70/41 69/40 70/41 72/42 69/40");

    const auto window = driver.openProductWindow ("KV", layout::windowName);
    ASSERT_TRUE (window.isNotEmpty()) << "Keyvane's window did not appear, or was not drawn\n"
                                      << sim->getOutput();
    const auto gadget = display.geometryOf (window);
    EXPECT_EQ (gadget.width, layout::bodyWidth + 10);
    driver.screenshot ("keyvane-gadget");

    driver.clickAt (window, {layout::modeButtonCentreX, layout::modeButtonCentreY});
    driver.drag (onOption (gadget, 0), onOption (gadget, 2));
    driver.clickAt (window, {layout::leftButtonCentreX, layout::transposeButtonCentreY});

    // Bb4 -> C5, C5 -> D5, D5 -> E5, B4 -> C#5, G4 -> A4, A4 -> B4.
    const juce::String expected = "72/42 74/43 76/44 76/44 73/42 69/40 74/43 72/42 71/41 72/42 74/43 71/41";
    juce::String moved;
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return (moved = saxNotes (driver.readSavedScore())) == expected; },
                                         XDisplay::patienceMs, 200))
        << moved << "\n"
        << sim->getOutput();
    driver.screenshot ("keyvane-major-second");

    driver.clickAt (window, {layout::modeButtonCentreX, layout::modeButtonCentreY});
    driver.drag (onOption (gadget, 3), onOption (gadget, 1));
    driver.clickAt (window, {layout::leftButtonCentreX, layout::signatureButtonCentreY});

    juce::String key;
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return (key = firstKey (driver.readSavedScore())) == "1:1M"; },
                                         XDisplay::patienceMs, 200))
        << key << "\n"
        << sim->getOutput();
    driver.screenshot ("keyvane-g-major");
}
