// End to end on the test X display with the real suite and host-sim, from a
// fresh state: the first trigger shows the welcome wizard; Continue, F5,
// Next and the test pass against host-sim's answer after 2 s; Finish leaves
// the editor without its notice. Then, with host-sim never answering, the
// test from the preferences window ends with "Could not connect" and the
// editor shows the notice again. Every step waits for what the programs show.
#include "app/AppInfo.h"
#include "gadget/TestMouse.h"
#include "gfx/Palette.h"
#include "orv/ui/config/ConfigWin.h"
#include "orv/ui/tracker/TrackerHub.h"
#include "orv/ui/tracker/TrackerLayout.h"
#include "orv/ui/tracker/TrackerWin.h"
#include "orv/ui/wizard/WizardPage.h"
#include "orv/ui/wizard/WizardWin.h"
#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>

namespace
{
using orv::wizard::WizardPage;
using orv::wizard::WizardWin;
using testsupport::XDisplay;

juce::String scoreJson()
{
    return R"({"format": "host-sim score", "version": 1, "title": "Key", "bars": [{"number": 1, "length": 1024, "meter": "4/4"}, {"number": 2, "length": 1024, "meter": "4/4"}],
               "staves": [{"number": 1, "fullName": "Flute", "shortName": "Fl", "bars": [{"bar": 1, "noteGroups": [{"position": 0, "duration": 1024, "notes": [{"pitch": 72}]}]}]}],
               "selection": {"firstBar": 1, "lastBar": 2, "staves": [1]}})";
}

/** The centre of a page's right-hand (or wide right-hand) button, in window coordinates. */
juce::Point<int> rightButton (int width)
{
    const auto rowY = WizardWin::height - WizardPage::margin - WizardPage::buttonHeight;
    return {WizardWin::width - WizardPage::margin - width / 2, rowY + WizardPage::buttonHeight / 2};
}

/** Whether the area of the screen holds pixels of the colour. */
bool showsColour (const juce::Image& shot, juce::Rectangle<int> area, juce::Colour colour)
{
    area = area.getIntersection (shot.getBounds());

    for (int y = area.getY(); y < area.getBottom(); y += 2)
        for (int x = area.getX(); x < area.getRight(); x += 2)
            if (testing_support::coloursClose (shot.getPixelAt (x, y), colour, 10))
                return true;

    return false;
}
} // namespace

TEST (WizardEndToEnd, AFreshStartSetsAndTestsTheKeyAndAFailedTestBringsTheNoticeBack)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    ASSERT_TRUE (driver.start (scoreJson())) << "port 1898 stayed busy";
    auto* sim = driver.getSim();
    ASSERT_TRUE (driver.command ("orv-test-key 2000"));

    // The first trigger: the welcome wizard (above the editor that opens with it).
    ASSERT_TRUE (driver.command ("trigger ORV"));
    const auto wizard = driver.waitForWindow (appInfo::getAppNameWithVersion() + " | Welcome!");
    ASSERT_TRUE (wizard.isNotEmpty()) << sim->getOutput();
    const auto editor = driver.waitForWindow (orv::tracker::TrackerWin::windowName);
    ASSERT_TRUE (editor.isNotEmpty()) << sim->getOutput();
    ASSERT_TRUE (driver.waitUntilDrawn (wizard));

    const auto editorGeometry = driver.geometryOf (editor);
    const juce::Rectangle<int> noticeArea (editorGeometry.x + 4, editorGeometry.y + editorGeometry.height - 76, 90, 50);
    const auto noticeShown = [&] (const juce::Image& shot)
    { return showsColour (shot, noticeArea, gfx::colours::orange); };

    driver.clickAt (wizard, rightButton (120)); // Continue
    display.run ({"xdotool", "sleep", "0.3", "key", "F5"});
    driver.clickAt (wizard, rightButton (120)); // Next
    driver.clickAt (wizard, rightButton (160)); // Test the Plugin Key

    // host-sim answers after 2 s: the results page, centred again; "Finish".
    const auto succeeded = driver.waitForScreen ([&] (const juce::Image& shot)
                                                 {
                                                     const auto g = driver.geometryOf (wizard);
                                                     return g.height > WizardWin::stripHeight + 50
                                                            && showsColour (shot, {g.x, g.y, g.width, 60}, gfx::colours::text)
                                                            && sim->getOutput().contains ("testPluginKey"); },
                                                 "orvana-wizard-succeeded");
    const auto prefsFile = driver.getSuite().getPaths().getPreferencesFolder().getChildFile ("Orvana/orv-preferences.xml");
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return prefsFile.loadFileAsString().contains ("pluginKeyValidated=\"1\""); },
                                         XDisplay::patienceMs))
        << prefsFile.getFullPathName() << "\n"
        << prefsFile.loadFileAsString();
    EXPECT_TRUE (prefsFile.loadFileAsString().contains ("pluginKey=\"F5\""));
    driver.clickAt (wizard, rightButton (120)); // Finish
    const auto noNotice = driver.waitForScreen ([&] (const juce::Image& shot)
                                                { return !noticeShown (shot); },
                                                "orvana-wizard-finished");
    EXPECT_FALSE (noticeShown (noNotice)) << "a verified key leaves no notice";
    juce::ignoreUnused (succeeded);

    // Never an answer: the preferences window's "Set Plugin Key", the test, "Could not connect", the notice.
    ASSERT_TRUE (driver.command ("orv-test-key never"));
    const auto hubButton = juce::Point<int> (editorGeometry.width - 2 - 2 * orv::tracker::TrackerHub::windowButtonSize - 4 - orv::tracker::TrackerHub::windowButtonSize / 2 - 2,
                                             orv::tracker::TrackerLayout::topBarHeight / 2);
    driver.clickAt (editor, hubButton);
    const auto preferences = driver.waitForWindow (appInfo::getAppName() + " - Preferences");
    ASSERT_TRUE (preferences.isNotEmpty()) << "the toolbar button did not open the preferences";
    ASSERT_TRUE (driver.waitUntilDrawn (preferences));
    using Content = orv::config::ConfigWin::Content;
    driver.clickAt (preferences, {Content::margin + 65, orv::config::ConfigWin::height - Content::margin - Content::buttonRowHeight / 2});
    const auto setKey = driver.waitForWindow ("Set Plugin Key");
    ASSERT_TRUE (setKey.isNotEmpty());
    ASSERT_TRUE (driver.waitUntilDrawn (setKey));
    driver.clickAt (setKey, rightButton (120)); // Next (F5 is stored)
    driver.clickAt (setKey, rightButton (160)); // Test the Plugin Key
    const auto failed = driver.waitForScreen ([&] (const juce::Image& shot)
                                              {
                                                  const auto g = driver.geometryOf (setKey);
                                                  return g.height <= WizardWin::stripHeight + 40
                                                         && showsColour (shot, {g.x, g.y, g.width, g.height}, gfx::colours::orange)
                                                         && noticeShown (shot); },
                                              "orvana-wizard-could-not-connect");
    EXPECT_TRUE (noticeShown (failed)) << "the failed test leaves the key unverified";
    EXPECT_TRUE (prefsFile.loadFileAsString().contains ("pluginKeyValidated=\"0\""));
}
