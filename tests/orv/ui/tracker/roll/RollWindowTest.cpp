// End to end on the test X display: host-sim launches the real suite, the
// editor opens, and xdotool drives the piano roll: a written note's played
// start is dragged (host-sim stores the offset and the reload draws it), a
// phantom note is drawn (it becomes a note-on/note-off pair in host-sim), a
// phantom note is erased with the right button and the undo button brings
// it back. Every step waits for what the programs show.
#include "gadget/TestMouse.h"
#include "orv/ui/tracker/TrackerLayout.h"
#include "orv/ui/tracker/TrackerWin.h"
#include "orv/ui/tracker/topBar/TopBar.h"
#include "support/Subprocess.h"

#include "orv/ui/tracker/TrackerWindowStart.h"

#include <gtest/gtest.h>

namespace
{
using orv::tracker::TrackerLayout;
using testsupport::XDisplay;

/** Eight 4/4 bars, one staff: a written C4 in bar 3 at 256 for 512 ticks,
    a phantom E4 in bar 5 from 0 to 512. */
juce::String scoreJson()
{
    juce::StringArray bars, staffBars;

    for (int bar = 1; bar <= 8; ++bar)
        bars.add ("{\"number\": " + juce::String (bar) + ", \"length\": 1024, \"meter\": \"4/4\"}");

    staffBars.add (R"({"bar": 3, "noteGroups": [{"position": 256, "duration": 512, "notes": [{"pitch": 60}]}]})");
    staffBars.add (R"({"bar": 5, "midi": [{"position": 0, "text": "~N64,90"}, {"position": 512, "text": "~N64,0"}]})");

    return "{\"format\": \"host-sim score\", \"version\": 1, \"title\": \"Roll\", \"bars\": [" + bars.joinIntoString (",")
           + "], \"staves\": [{\"number\": 1, \"fullName\": \"Piano\", \"shortName\": \"Pno.\", \"bars\": [" + staffBars.joinIntoString (",")
           + "]}], \"selection\": {\"firstBar\": 1, \"lastBar\": 8, \"staves\": [1]}}";
}

/** The saved score's bar of staff 1, or void. */
juce::var savedBar (const juce::var& score, int bar)
{
    if (const auto* staves = score.getProperty ("staves", {}).getArray(); staves != nullptr && !staves->isEmpty())
        if (const auto* list = staves->getReference (0).getProperty ("bars", {}).getArray())
            for (const auto& b : *list)
                if (static_cast<int> (b.getProperty ("bar", 0)) == bar)
                    return b;
    return {};
}

juce::String midiOf (const juce::var& bar)
{
    return juce::JSON::toString (bar.getProperty ("midi", {}), true);
}
} // namespace

TEST (RollWindow, MovesDrawsErasesAndUndoesNotesAgainstTheHost)
{
    XDisplay display;

    if (!display.isAvailable())
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    testsupport::ProductWindowDriver driver{display};
    const auto window = openTrackerWindow (driver, scoreJson());
    ASSERT_TRUE (window.isNotEmpty()) << "the editor did not appear, or was not drawn";
    auto* sim = driver.getSim();

    const auto geo = display.geometryOf (window);

    // The score starts at the port's left; the roll is centred on the mean pitch 62, 9 pixels a row.
    const auto zoom = 0.15625f;
    const auto docHeight = geo.height - 90;
    const auto rollHeight = docHeight - juce::jlimit (24, 60, juce::roundToInt (static_cast<float> (docHeight) * 0.2f));
    const auto xOf = [&] (int ticks)
    { return TrackerLayout::headerWidth + juce::roundToInt (static_cast<float> (ticks) * zoom); };
    const auto yOf = [&] (int pitch)
    { return TrackerLayout::topBarHeight + TrackerLayout::rulerHeight + rollHeight / 2 + (62 - pitch) * 9; };
    const auto onScreen = [&] (juce::Point<int> p)
    { return p + juce::Point<int> (geo.x, geo.y); };
    const auto differs = [&] (const juce::Image& shot, juce::Point<int> a, juce::Point<int> b)
    { return !testing_support::coloursClose (shot.getPixelAt (onScreen (a).x, onScreen (a).y), shot.getPixelAt (onScreen (b).x, onScreen (b).y), 24); };
    const juce::Point<int> background (xOf (4 * 1024 + 600), yOf (60));
    const juce::Point<int> movedPart (xOf (2 * 1024 + 800), yOf (60)); // inside the moved note only, off the snap lines

    // The written note is drawn where it is written.
    driver.waitForScreen ([&] (const juce::Image& shot)
                          { return differs (shot, {xOf (2 * 1024 + 512), yOf (60)}, background); },
                          "orvana-roll-opened");
    ASSERT_FALSE (differs (driver.screenshot ("orvana-roll-before-move"), movedPart, background)) << "nothing drawn there yet";

    // Drag its middle a quarter note right (40 pixels): the played start moves by 256 ticks.
    driver.drag (onScreen ({xOf (2 * 1024 + 512), yOf (60)}), onScreen ({xOf (2 * 1024 + 512) + 40, yOf (60)}));
    const auto playedOffset = [&]
    {
        const auto groups = savedBar (driver.readSavedScore(), 3).getProperty ("noteGroups", {});
        const auto notes = groups.isArray() && groups.size() > 0 ? groups[0].getProperty ("notes", {}) : juce::var();
        return notes.isArray() && notes.size() > 0 ? notes[0].getProperty ("playedOffset", {}) : juce::var();
    };
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return playedOffset() == juce::var (256); },
                                         XDisplay::patienceMs, 100))
        << juce::JSON::toString (savedBar (driver.readSavedScore(), 3)) << sim->getOutput();
    const auto moved = driver.waitForScreen ([&] (const juce::Image& shot)
                                             { return differs (shot, movedPart, background); },
                                             "orvana-roll-moved");
    EXPECT_TRUE (differs (moved, movedPart, background)) << "the reload did not draw the new played start";

    // The phantom tool (the toolboard's second button) draws a 64-tick note at bar 7, pitch 67.
    const auto toolboardX = TrackerLayout::headerWidth + 380;
    driver.clickAt (window, {toolboardX + 26 + 2 + 13, 15});
    driver.clickAt (window, {xOf (6 * 1024 + 10), yOf (67)});
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return midiOf (savedBar (driver.readSavedScore(), 7)).contains ("~N67,100"); },
                                         XDisplay::patienceMs, 100))
        << juce::JSON::toString (savedBar (driver.readSavedScore(), 7)) << sim->getOutput();
    EXPECT_TRUE (midiOf (savedBar (driver.readSavedScore(), 7)).contains ("~N67,0"));

    // A right click erases the phantom note of bar 5; the undo button brings it back.
    const auto loadsBeforeErase = trackerLoads (driver);
    display.run ({"xdotool", "mousemove", juce::String (onScreen ({xOf (4 * 1024 + 256), yOf (64)}).x), juce::String (onScreen ({xOf (4 * 1024 + 256), yOf (64)}).y), "click", "3"});
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return !midiOf (savedBar (driver.readSavedScore(), 5)).contains ("~N64,90"); },
                                         XDisplay::patienceMs, 100))
        << sim->getOutput();

    // The editor takes the host's answer first: its undo follows the score it shows.
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return trackerLoads (driver) > loadsBeforeErase; },
                                         XDisplay::patienceMs, 50));
    const auto undoX = TrackerLayout::headerWidth + 2 + 70 + 2 + 56 + 2 + 110 + 2 + 2 * (orv::tracker::TopBarButton::size + 2) + orv::tracker::TopBarButton::size / 2;
    driver.clickAt (window, {undoX, 15});
    EXPECT_TRUE (testsupport::waitUntil ([&]
                                         { return midiOf (savedBar (driver.readSavedScore(), 5)).contains ("~N64,90"); },
                                         XDisplay::patienceMs, 100))
        << sim->getOutput();
}
