// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator with the orchestral demo score launches the real suite;
// the trigger opens Forkel's gadget; clicks (xdotool) add the violins and
// then the violas as stems, choose AIFF in the options drawer and export.
// The simulator renders each stem to a WAV file, the suite converts both to
// AIFF (the conversion itself is judged by sox in FkFileFormatTest), and after the gadget closes the score keeps both
// stems as "Exported". Every step waits for what the programs do, never for
// a fixed time.
#include "fk/ui/FkLayout.h"
#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"

#include <juce_data_structures/juce_data_structures.h>

#include <gtest/gtest.h>

namespace
{
namespace layout = fk::layout;
using testsupport::XDisplay;

class ForkelWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!display.isAvailable())
            GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

        const auto score = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("data/scores/orchestral.json").loadFileAsString();
        ASSERT_TRUE (driver.start (score)) << "port 1898 stayed busy";
        window = driver.openProductWindow ("FK", layout::windowName);
        ASSERT_TRUE (window.isNotEmpty()) << "Forkel's window did not appear, or was not drawn";
    }

    /** The export folder: the trigger's default, the score's folder. */
    juce::File exportFolder() const { return driver.getSuite().getSuiteFolder().getParentDirectory(); }

    void clickAt (int x, int y) { driver.clickAt (window, {x, y}); }

    /** Light pixels (the stem's name) in a row of the list. */
    int brightPixelsInRow (const juce::Image& shot, int row) const
    {
        const auto geometry = display.geometryOf (window);
        int count = 0;

        for (int x = layout::left + layout::rowBoxWidth; x < layout::left + 120; ++x)
            for (int y = layout::rowCentreY (row) - 6; y <= layout::rowCentreY (row) + 6; ++y)
                count += shot.getPixelAt (geometry.x + x, geometry.y + y).getBrightness() > 0.8f ? 1 : 0;

        return count;
    }

    void addStemFromSelection (const juce::String& staves, int row)
    {
        ASSERT_TRUE (driver.command ("select 5-8 " + staves));
        clickAt (layout::addCentreX, layout::addCentreY);
        const auto shot = display.waitForScreen ([this, row] (const juce::Image& image)
                                                 { return brightPixelsInRow (image, row) > 20; },
                                                 testsupport::ProductWindowDriver::artifact ("forkel-stem-" + juce::String (row)));
        ASSERT_GT (brightPixelsInRow (shot, row), 20) << "the stem of staves " << staves << " did not appear";
    }

    testsupport::XDisplay display;
    testsupport::ProductWindowDriver driver{display};
    juce::String window;
};
} // namespace

TEST_F (ForkelWindow, AddsTwoStemsExportsThemAsAiffAndTheScoreKeepsThem)
{
    addStemFromSelection ("15,16", 0); // Vln. I, Vln. II
    addStemFromSelection ("17", 1);    // Vla.

    clickAt (layout::optionsCentreX, layout::bottomRowCentreY);
    const auto drawer = driver.waitForWindow ("Gadget Drawer");
    ASSERT_TRUE (drawer.isNotEmpty());
    // The drawer slides out; it is out once it stands beside the gadget.
    ASSERT_TRUE (testsupport::waitUntil ([&]
                                         {
                                             const auto d = display.geometryOf (drawer);
                                             const auto g = display.geometryOf (window);
                                             return d.x >= g.x + layout::bodyWidth; },
                                         XDisplay::patienceMs, 50));
    ASSERT_TRUE (driver.waitUntilDrawn (drawer));
    const auto d = display.geometryOf (drawer);
    display.run ({"xdotool", "mousemove", juce::String (d.x + layout::drawerAiffX), juce::String (d.y + 10 + layout::drawerAiffY), "click", "1"});
    driver.screenshot ("forkel-options");

    clickAt (layout::exportCentreX, layout::bottomRowCentreY);

    const juce::StringArray expected{"Vla.aiff", "Vln-I_Vln-II.aiff"};
    juce::StringArray found;
    const auto done = testsupport::waitUntil ([&]
                                              {
                                                  found.clear();

                                                  for (const auto& file : exportFolder().findChildFiles (juce::File::findFiles, false, "*.aiff;*.wav"))
                                                      found.add (file.getFileName());

                                                  found.sort (false);
                                                  return found == expected; },
                                              XDisplay::patienceMs, 50);
    driver.screenshot ("forkel-exported");
    ASSERT_TRUE (done) << found.joinIntoString (", ") << "\n"
                       << driver.getSim()->getOutput().getLastCharacters (3000);

    // Closing the gadget hands the score state to the host, which keeps it with the score.
    clickAt (layout::closeCentreX, layout::closeCentreY);
    juce::String stored;
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         {
                                             stored = driver.readSavedScore().getProperty ("productStates", {}).getProperty ("Forkel", {}).toString();
                                             return stored.contains ("Vla") && stored.indexOf ("Exported") != stored.lastIndexOf ("Exported"); },
                                         XDisplay::patienceMs, 200))
        << driver.getSim()->getOutput().getLastCharacters (3000);

    const auto tree = juce::ValueTree::fromXml (stored);
    const auto list = tree.getChildWithName ("STEM_LIST");
    ASSERT_EQ (list.getNumChildren(), 2) << stored;
    EXPECT_EQ (list.getChild (0)["name"].toString(), "Vln-I_Vln-II");
    EXPECT_EQ (list.getChild (1)["name"].toString(), "Vla");

    for (const auto& stem : list)
        EXPECT_EQ (stem["exportStatus"].toString(), "Exported") << stored;
}
