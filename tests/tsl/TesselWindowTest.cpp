// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator with the orchestral demo score (20 parts) launches the real
// suite; the trigger opens Tessel's gadget; clicks (xdotool) choose three
// parts and create them, then print every part to PDF and cancel after the
// third; "Score PDF" hands the full score's PDF to the desktop's opener (a
// stand-in on PATH that writes down what it was given). Every step waits for
// what the programs do (windows, pixels, files), never for a fixed time.
#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"
#include "tsl/ui/TslLayout.h"

#include <gtest/gtest.h>

namespace
{
namespace layout = tsl::layout;
using testsupport::XDisplay;

const char* const scoreTitle = "Harbour Lights - Orchestral Excerpt";

/** Names of the finished files of a pattern in a folder. */
juce::StringArray filesIn (const juce::File& folder, const juce::String& pattern)
{
    juce::StringArray names;

    // Files are written under a temporary name and renamed: only finished ones count.
    for (const auto& file : folder.findChildFiles (juce::File::findFiles, false, pattern))
        if (!file.getFileName().contains ("_temp"))
            names.add (file.getFileName());

    return names;
}

/** Waits until the folder holds `count` files of the pattern, noting them in the order they appeared. */
bool collectInOrder (const juce::File& folder, const juce::String& pattern, int count, juce::StringArray& seen,
                     const std::function<void (int)>& onNew = {})
{
    return testsupport::waitUntil ([&]
                                   {
                                       for (const auto& name : filesIn (folder, pattern))
                                       {
                                           if (!seen.contains (name))
                                           {
                                               seen.add (name);

                                               if (onNew)
                                                   onNew (seen.size());
                                           }
                                       }

                                       return seen.size() >= count; },
                                   XDisplay::patienceMs,
                                   10);
}

class TesselWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!display.isAvailable())
            GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

        // The desktop's opener, as the suite finds it on PATH.
        const auto bin = driver.getSuite().getSuiteFolder().getSiblingFile ("bin");
        ASSERT_TRUE (bin.createDirectory().wasOk());
        const auto opener = bin.getChildFile ("xdg-open");
        ASSERT_TRUE (opener.replaceWithText ("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + openedLog().getFullPathName() + "\"\n", false, false, "\n"));
        ASSERT_TRUE (opener.setExecutePermission (true));

        const auto score = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/orchestral.json").loadFileAsString();
        ASSERT_TRUE (driver.start (score, {"PATH=" + bin.getFullPathName() + ":" + juce::SystemStats::getEnvironmentVariable ("PATH", "/usr/bin:/bin")}))
            << "port 1898 stayed busy";
        ASSERT_TRUE (driver.command ("part-delay 300"));
        window = driver.openProductWindow ("TSL", layout::windowName);
        ASSERT_TRUE (window.isNotEmpty()) << "Tessel's window did not appear, or was not drawn";
        ASSERT_EQ (display.geometryOf (window).width, layout::bodyWidth + 10);

        // The part list has come when the last visible row shows its name.
        const auto listed = display.waitForScreen ([this] (const juce::Image& shot)
                                                   { return brightPixelsInRow (shot, 7) > 20; },
                                                   testsupport::ProductWindowDriver::artifact ("tessel-listed"));
        ASSERT_GT (brightPixelsInRow (listed, 7), 20) << "the part list did not arrive";
    }

    juce::File openedLog() const { return driver.getSuite().getSuiteFolder().getSiblingFile ("opened.txt"); }
    juce::File scoreFolder() const { return driver.getSuite().getSuiteFolder().getParentDirectory(); }
    juce::File partsFolder() const { return scoreFolder().getChildFile ("parts"); }
    juce::String partFile (const juce::String& part, const juce::String& ending) const { return juce::String (scoreTitle) + " - " + part + ending; }

    void clickAt (int x, int y) { driver.clickAt (window, {x, y}); }
    void clickRow (int row) { clickAt (layout::rowBoxCentreX, layout::rowCentreY (row)); }
    void clickButton (int column, int row) { clickAt (layout::buttonCentreX (column), layout::buttonCentreY (row)); }

    /** Light pixels (the part's name) in a row of the list. */
    int brightPixelsInRow (const juce::Image& shot, int row) const
    {
        const auto geometry = display.geometryOf (window);
        int count = 0;

        for (int x = layout::left + layout::rowBoxWidth; x < layout::left + 120; ++x)
            for (int y = layout::rowCentreY (row) - 6; y <= layout::rowCentreY (row) + 6; ++y)
                count += shot.getPixelAt (geometry.x + x, geometry.y + y).getBrightness() > 0.8f ? 1 : 0;

        return count;
    }

    testsupport::XDisplay display;
    testsupport::ProductWindowDriver driver{display};
    juce::String window;
};
} // namespace

TEST_F (TesselWindow, CreatesChosenPartsPrintsPdfsCancelsAndOpensTheScorePdf)
{
    // Clear every part, tick three: Flute 2, Clarinet in Bb, Horn in F 2.
    clickAt (layout::toggleAllCentreX, layout::toggleAllCentreY);
    for (const auto row : {1, 3, 6})
        clickRow (row);

    clickButton (0, 0); // "Create Parts"
    juce::StringArray parts;
    ASSERT_TRUE (collectInOrder (partsFolder(), "*.sib", 3, parts, [this] (int count)
                                 {
                                     if (count == 2)
                                         driver.screenshot ("tessel-exporting-2-of-3"); }))
        << parts.joinIntoString (", ");
    EXPECT_EQ (parts, (juce::StringArray{partFile ("Flute 2", ".sib"), partFile ("Clarinet in Bb", ".sib"), partFile ("Horn in F 2", ".sib")}))
        << parts.joinIntoString (", ");

    for (const auto& name : parts)
        EXPECT_EQ (juce::JSON::parse (partsFolder().getChildFile (name)).getProperty ("format", {}).toString(), "host-sim score") << name;

    // Every part again, now as PDFs; the host takes longer per part, so the
    // cancel lands while the fourth part's request has not gone out.
    ASSERT_TRUE (driver.command ("part-delay 2000"));
    clickAt (layout::toggleAllCentreX, layout::toggleAllCentreY);
    clickButton (1, 1); // "Parts PDFs"
    juce::StringArray pdfs;
    ASSERT_TRUE (collectInOrder (partsFolder(), "*.pdf", 3, pdfs)) << pdfs.joinIntoString (", ");
    clickButton (1, 0); // "Cancel"
    EXPECT_FALSE (testsupport::waitUntil ([this]
                                          { return filesIn (partsFolder(), "*.pdf").size() > 3; },
                                          2000, 50))
        << "a PDF was made after the cancel";
    EXPECT_EQ (pdfs, (juce::StringArray{partFile ("Flute 1", ".pdf"), partFile ("Flute 2", ".pdf"), partFile ("Oboe", ".pdf")}))
        << pdfs.joinIntoString (", ");
    driver.screenshot ("tessel-cancelled");

    clickButton (2, 1); // "Score PDF"
    const auto scorePdf = scoreFolder().getChildFile ("score.pdf").getFullPathName();
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return openedLog().loadFileAsString().contains (scorePdf); },
                                         XDisplay::patienceMs, 50))
        << "opened: " << openedLog().loadFileAsString() << "; score PDF " << (juce::File (scorePdf).existsAsFile() ? "written" : "missing")
        << "\n"
        << driver.getSim()->getOutput().getLastCharacters (3000);
}
