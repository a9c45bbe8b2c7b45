// End to end on the test X display with the real suite and host-sim, from a
// fresh state: the first trigger shows the welcome wizard above the editor
// and its notice; Continue, F5, Next and the test pass against host-sim's
// answer after 2 s; the key and its verification reach the preferences file,
// and Finish leaves the editor without its notice. Every step waits for what
// the programs show.
#include "app/AppInfo.h"
#include "gadget/TestMouse.h"
#include "gfx/Palette.h"
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

/** Where the window's content lies on the screen. xwininfo, not xdotool: for
    a window inside a window manager's frame xdotool counts the frame twice. */
juce::Rectangle<int> contentOnScreen (const XDisplay& display, const juce::String& windowId)
{
    juce::Rectangle<int> area;

    for (const auto& line : juce::StringArray::fromLines (display.run ({"xwininfo", "-id", windowId})))
    {
        const auto value = line.fromLastOccurrenceOf (":", false, false).trim().getIntValue();

        if (line.contains ("Absolute upper-left X"))
            area.setX (value);
        else if (line.contains ("Absolute upper-left Y"))
            area.setY (value);
        else if (line.contains ("Width:"))
            area.setWidth (value);
        else if (line.contains ("Height:"))
            area.setHeight (value);
    }

    return area;
}

/** Waits until the window manager has framed the window (its title bar is
    on) and the window has stood still for a second and a half: the window
    manager places a new window, then the toolkit moves it where it wants it. */
bool waitUntilFramed (const XDisplay& display, const juce::String& windowId)
{
    juce::Rectangle<int> last;
    int stillReads = 0;

    return testsupport::waitUntil ([&]
                                   {
                                       const auto tree = display.run ({"xwininfo", "-tree", "-id", windowId});
                                       const auto parent = tree.fromFirstOccurrenceOf ("Parent window id:", false, false).upToFirstOccurrenceOf ("\n", false, false);
                                       const auto now = contentOnScreen (display, windowId);
                                       stillReads = (now == last && parent.isNotEmpty() && !parent.contains ("(the root window)")) ? stillReads + 1 : 0;
                                       last = now;
                                       return stillReads >= 6; },
                                   XDisplay::patienceMs, 250);
}

/** Waits for a visible window with exactly this title (any character taken
    literally). xdotool's criteria match when any one holds unless "--all"
    is given, so the search by the suite's process id alone would take any
    of its windows. */
juce::String waitForTitle (const XDisplay& display, const juce::String& title)
{
    juce::String pattern;

    for (auto c : title)
        pattern << (juce::CharacterFunctions::isLetterOrDigit (c) || c == ' ' ? juce::String::charToString (c) : "[" + juce::String::charToString (c) + "]");

    return display.waitForWindow (pattern, []
                                  { return juce::StringArray{"--all", "--onlyvisible"}; });
}

/** Clicks at a point of the window's content. */
void clickIn (const XDisplay& display, const juce::String& windowId, juce::Point<int> inWindow)
{
    const auto at = contentOnScreen (display, windowId).getPosition() + inWindow;
    // The pointer rests on the spot before it clicks: a window that has only just come up under it
    // takes the first press after the pointer has entered it.
    display.run ({"xdotool", "mousemove", juce::String (at.x), juce::String (at.y), "sleep", "0.3", "click", "1", "sleep", "0.2"});
}

/** Whether the area of the screen holds pixels of the colour. */
bool showsColour (const juce::Image& shot, juce::Rectangle<int> area, juce::Colour colour, int tolerance = 10)
{
    area = area.getIntersection (shot.getBounds());

    for (int y = area.getY(); y < area.getBottom(); y += 2)
        for (int x = area.getX(); x < area.getRight(); x += 2)
            if (testing_support::coloursClose (shot.getPixelAt (x, y), colour, tolerance))
                return true;

    return false;
}
} // namespace

TEST (WizardEndToEnd, AFreshStartShowsTheWizardAndSetsAndTestsTheKey)
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
    const auto wizard = waitForTitle (display, appInfo::getAppNameWithVersion() + " | Welcome!");
    ASSERT_TRUE (wizard.isNotEmpty()) << sim->getOutput();
    const auto editor = driver.waitForWindow (orv::tracker::TrackerWin::windowName);
    ASSERT_TRUE (editor.isNotEmpty()) << sim->getOutput();
    ASSERT_TRUE (driver.waitUntilDrawn (wizard));
    ASSERT_TRUE (waitUntilFramed (display, wizard));

    // The notice's place at the bottom of the editor's headers; the editor is read each time, as it may still be placed.
    const auto noticeShown = [&] (const juce::Image& shot)
    {
        const auto e = contentOnScreen (display, editor);
        return showsColour (shot, {e.getX() + 4, e.getBottom() - 76, 90, 50}, gfx::colours::orange, 40); // drawn a little translucent
    };

    const auto welcome = driver.waitForScreen (noticeShown, "orvana-wizard-welcome");
    EXPECT_TRUE (noticeShown (welcome)) << "a fresh state has no verified key: the editor says so";

    clickIn (display, wizard, rightButton (120)); // Continue
    display.run ({"xdotool", "sleep", "0.3", "key", "F5"});
    clickIn (display, wizard, rightButton (120)); // Next
    clickIn (display, wizard, rightButton (160)); // Test the Plugin Key

    // host-sim answers after 2 s: the results page, centred again; "Finish".
    const auto succeeded = driver.waitForScreen ([&] (const juce::Image& shot)
                                                 {
                                                     const auto g = contentOnScreen (display, wizard);
                                                     return g.getHeight() > WizardWin::stripHeight + 50
                                                            && showsColour (shot, g.withHeight (60), gfx::colours::text)
                                                            && sim->getOutput().contains ("testPluginKey"); },
                                                 "orvana-wizard-succeeded");
    const auto prefsFile = driver.getSuite().getPaths().getPreferencesFolder().getChildFile ("Orvana/orv-preferences.xml");
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return prefsFile.loadFileAsString().contains ("pluginKeyValidated=\"1\""); },
                                         XDisplay::patienceMs))
        << prefsFile.getFullPathName() << "\n"
        << prefsFile.loadFileAsString();
    EXPECT_TRUE (prefsFile.loadFileAsString().contains ("pluginKey=\"F5\""));
    // The title bar came back: the window system made the window anew, under a new id.
    const auto results = waitForTitle (display, appInfo::getAppNameWithVersion() + " | Welcome!");
    ASSERT_TRUE (waitUntilFramed (display, results));
    clickIn (display, results, rightButton (120)); // Finish
    const auto noNotice = driver.waitForScreen ([&] (const juce::Image& shot)
                                                { return !noticeShown (shot); },
                                                "orvana-wizard-finished");
    EXPECT_FALSE (noticeShown (noNotice)) << "a verified key leaves no notice";
    juce::ignoreUnused (succeeded);
}
