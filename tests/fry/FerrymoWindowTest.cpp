// End to end on the test X display (testsupport::ProductWindowDriver): the
// host simulator launches the real suite from a temporary suite folder, the
// user's trigger opens Ferrymo's gadget, clicks (xdotool) tick the automation
// option and fetch the whole score over the host's WebSocket interface, the clip file holds the score's
// notes, and a press-and-move on the clip starts an X11 drag of the file.
// Every step waits for what the suite shows (a window, a file, pixels on the
// screen, X selections and messages), never for a fixed time.
#include "fry/XdndDropTarget.h"
#include "fry/ui/FryGadget.h"
#include "fry/ui/FryLayout.h"
#include "gadget/TestMouse.h"
#include "support/ProductWindowDriver.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>
#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
namespace layout = fry::layout;
using testsupport::XDisplay;

/** Pixels of the area that differ between two pictures of the screen. */
int differingPixels (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            count += testing_support::coloursClose (a.getPixelAt (x, y), b.getPixelAt (x, y), 8) ? 0 : 1;

    return count;
}

/** Two staves; bars 1 and 2 of the clarinet are selected. */
const char* const scoreJson = R"({"format": "host-sim score", "version": 1, "title": "Ferry crossing",
  "bars": [{"number": 1, "length": 1024, "meter": "4/4"}, {"number": 2, "length": 1024, "meter": "4/4"},
           {"number": 3, "length": 768, "meter": "3/4"}],
  "staves": [
    {"number": 1, "fullName": "Clarinet in Bb", "shortName": "Cl.", "bars": [
      {"bar": 1, "noteGroups": [{"position": 0, "duration": 512, "notes": [{"pitch": 62}]},
                                {"position": 512, "duration": 512, "notes": [{"pitch": 65}, {"pitch": 69}]}],
                 "midi": [{"position": 0, "text": "~C7,90"}]},
      {"bar": 2, "noteGroups": [{"position": 0, "duration": 1024, "notes": [{"pitch": 67}]}]}]},
    {"number": 2, "fullName": "Bassoon", "shortName": "Bsn.", "bars": [
      {"bar": 3, "noteGroups": [{"position": 0, "duration": 768, "notes": [{"pitch": 43}]}]}]}],
  "selection": {"firstBar": 1, "lastBar": 2, "staves": [1]}})";

class FerrymoWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!display.isAvailable())
            GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

        ASSERT_TRUE (driver.start (scoreJson)) << "port 1898 stayed busy";
        clipFolder = driver.getTempFolder();
        window = driver.openProductWindow ("FRY", layout::windowName);
        ASSERT_TRUE (window.isNotEmpty()) << "Ferrymo's window did not appear, or was not drawn";

        gadget = display.geometryOf (window);
        ASSERT_EQ (gadget.width, layout::bodyWidth + 10);
        idle = display.capture (scratchShot());
        ASSERT_TRUE (idle.isValid());
    }

    void clickAt (int windowX, int windowY) { driver.clickAt (window, {windowX, windowY}); }

    static juce::File artifact (const juce::String& name) { return testsupport::ProductWindowDriver::artifact (name); }

    juce::File scratchShot() const { return clipFolder.getSiblingFile ("screen.png"); }

    /** A screen position from window coordinates of the gadget. */
    juce::Point<int> onScreen (int windowX, int windowY) const { return {gadget.x + windowX, gadget.y + windowY}; }

    juce::Colour ledColour (const juce::Image& shot) const
    {
        const auto p = onScreen (layout::rightColumnX + layout::ledSize / 2, layout::bodyTopInWindow + layout::ledY + layout::ledSize / 2);
        return shot.getPixelAt (p.x, p.y);
    }

    juce::Rectangle<int> dragAreaOnScreen() const
    {
        const auto topLeft = onScreen (layout::rightColumnX, layout::bodyTopInWindow + layout::dragAreaY);
        return {topLeft.x, topLeft.y, layout::rightColumnWidth, layout::dragAreaHeight};
    }

    /** The gadget shows a clip: its lamp is off again as before the fetch,
        and the drag area no longer shows what it showed then. */
    bool showsClip (const juce::Image& shot) const
    {
        return testing_support::coloursClose (ledColour (shot), ledColour (idle), 8) && differingPixels (idle, shot, dragAreaOnScreen()) > 200;
    }

    /** Waits until the gadget shows the clip; the picture is left as an artifact. */
    void expectClipShown (const juce::String& artifactName)
    {
        const auto shot = display.waitForScreen ([this] (const juce::Image& image)
                                                 { return showsClip (image); },
                                                 artifact (artifactName));
        EXPECT_TRUE (shot.isValid() && showsClip (shot)) << "lamp " << ledColour (shot).toDisplayString (true) << " (idle "
                                                         << ledColour (idle).toDisplayString (true) << "), "
                                                         << differingPixels (idle, shot, dragAreaOnScreen()) << " pixels of the drag area changed";
    }

    juce::File clipFile() const { return clipFolder.getChildFile ("ZEL_Ferrymo_clip.mid"); }

    /** Waits for the clip file and reads it. The suite writes it whole (a
        temporary file renamed over it), so once it parses it is complete. */
    std::optional<juce::MidiFile> waitForClip()
    {
        std::optional<juce::MidiFile> midi;
        testsupport::waitUntil ([&]
                                {
                                    juce::MidiFile read;
                                    juce::FileInputStream in (clipFile());

                                    if (!in.openedOk() || !read.readFrom (in, false))
                                        return false;

                                    midi = read;
                                    return true; },
                                XDisplay::patienceMs,
                                20);
        return midi;
    }

    /** The notes of a track as "pitch@start-end", in time order. */
    static juce::String notesOf (const juce::MidiMessageSequence& track)
    {
        juce::MidiMessageSequence copy (track);
        copy.updateMatchedPairs();
        juce::StringArray notes;

        for (const auto* e : copy)
            if (e->message.isNoteOn() && e->noteOffObject != nullptr)
                notes.add (juce::String (e->message.getNoteNumber()) + "@" + juce::String (juce::roundToInt (e->message.getTimeStamp())) + "-"
                           + juce::String (juce::roundToInt (e->noteOffObject->message.getTimeStamp())));

        return notes.joinIntoString (" ");
    }

    static int countControllers (const juce::MidiMessageSequence& track)
    {
        int count = 0;

        for (const auto* e : track)
            count += e->message.isController() ? 1 : 0;

        return count;
    }

    testsupport::XDisplay display;
    testsupport::ProductWindowDriver driver{display};
    juce::File clipFolder;
    juce::String window;
    testsupport::WindowGeometry gadget;
    /** The screen with the gadget shown and idle, before any click. */
    juce::Image idle;
};
} // namespace

// One run through the gadget: the options drawer's check box, the full-score
// button, the clip file and its drag into another application. (The main
// button's request is checked without a window in FerrymoProductTest.)
TEST_F (FerrymoWindow, FullScoreWithAutomationBecomesAClipThatDragsIntoAnotherApplication)
{
    EXPECT_EQ (gadget.height, layout::bodyHeight + 10 + layout::bodyTopInWindow);
    ASSERT_TRUE (scratchShot().copyFileTo (artifact ("ferrymo-gadget")));

    clickAt (layout::optionsButtonCentreX, layout::buttonRowCentreY);
    const auto drawer = driver.waitForWindow ("Gadget Drawer");
    ASSERT_TRUE (drawer.isNotEmpty());

    // Out (the slide takes 200 ms, longer on a busy machine): the drawer's
    // lip, in the gadget's colour, is on its far right edge.
    testsupport::WindowGeometry d;
    const auto lipOf = [&d] (const juce::Image& shot)
    { return shot.getPixelAt (d.x + d.width - 5, d.y + d.height / 2); };
    const auto out = display.waitForScreen ([&] (const juce::Image& shot)
                                            {
                                                d = display.geometryOf (drawer);
                                                return testing_support::coloursClose (lipOf (shot), fry::FryGadget::mainColour, 8); },
                                            scratchShot());
    ASSERT_TRUE (testing_support::coloursClose (lipOf (out), fry::FryGadget::mainColour, 8)) << lipOf (out).toDisplayString (true);
    EXPECT_EQ (d.x, gadget.x + layout::bodyWidth);

    // The check box sits below the drawer's heading; once ticked it looks different.
    const juce::Rectangle<int> checkBox (d.x + 14, d.y + 10 + 5 + 22, 160, 22);
    display.run ({"xdotool", "mousemove", juce::String (d.x + 30), juce::String (d.y + 10 + 5 + 22 + 11), "click", "1"});
    const auto ticked = display.waitForScreen ([&] (const juce::Image& shot)
                                               { return differingPixels (out, shot, checkBox) > 10; },
                                               artifact ("ferrymo-options"));
    EXPECT_GT (differingPixels (out, ticked, checkBox), 10) << "the check box did not change";

    clickAt (layout::fullScoreButtonCentreX, layout::buttonRowCentreY);
    const auto midi = waitForClip();
    ASSERT_TRUE (midi.has_value()) << "no clip was written to " << clipFolder.getFullPathName() << "\n"
                                   << driver.getSim()->getOutput();

    ASSERT_EQ (midi->getNumTracks(), 3) << "the conductor and both staves";
    EXPECT_EQ (midi->getTimeFormat(), 960);
    const auto& clarinet = *midi->getTrack (1);
    EXPECT_EQ (clarinet.getEventPointer (0)->message.getTextFromTextMetaEvent(), "Clarinet in Bb");
    EXPECT_EQ (notesOf (clarinet), "62@0-1920 65@1920-3840 69@1920-3840 67@3840-7680");
    EXPECT_EQ (countControllers (clarinet), 1) << "the clarinet's controller came along";
    EXPECT_EQ (midi->getTrack (2)->getEventPointer (0)->message.getTextFromTextMetaEvent(), "Bassoon");
    EXPECT_EQ (notesOf (*midi->getTrack (2)), "43@7680-10560");
    expectClipShown ("ferrymo-gadget-with-clip");

    // Another application's window beside the gadget, as a file manager would be.
    frytest::XdndDropTarget target (display.getName(), gadget.x + gadget.width + 60, gadget.y, 300, 240);
    ASSERT_TRUE (target.isShowing());
    const auto targetWindow = display.waitForWindow ("Drop Target");
    ASSERT_TRUE (targetWindow.isNotEmpty());
    const auto t = display.geometryOf (targetWindow);

    // Press on the clip and move past the drag threshold: the suite starts
    // the drag and takes the XDND selection. The server keeps the events in
    // order, so each step only waits for what the suite must have done.
    const auto start = onScreen (layout::dragAreaCentreX, layout::dragAreaCentreY);
    const auto moved = start + juce::Point<int> (20, 0);
    const juce::Point<int> end (t.x + t.width / 2, t.y + t.height / 2);
    display.run ({"xdotool", "mousemove", juce::String (start.x), juce::String (start.y), "mousedown", "1"});
    display.run ({"xdotool", "mousemove", juce::String (moved.x), juce::String (moved.y)});
    ASSERT_TRUE (testsupport::waitUntil ([&]
                                         { return target.hasDragSource(); },
                                         XDisplay::patienceMs,
                                         10))
        << "the drag did not start";

    for (int step = 1; step <= 12; ++step)
    {
        const auto p = moved + (end - moved) * step / 12;
        display.run ({"xdotool", "mousemove", juce::String (p.x), juce::String (p.y)});
    }

    // The target must have accepted the drag before the button is let go.
    ASSERT_TRUE (testsupport::waitUntil ([&]
                                         { return target.getMessages().contains ("XdndStatus"); },
                                         XDisplay::patienceMs,
                                         10))
        << target.getMessages().joinIntoString (", ");
    display.run ({"xdotool", "mouseup", "1"});

    const auto dropped = target.waitForDrop (XDisplay::patienceMs);
    EXPECT_EQ (dropped.trim(), "file://" + clipFile().getFullPathName()) << target.getMessages().joinIntoString (", ");
    EXPECT_TRUE (target.getMessages().contains ("XdndEnter"));
    EXPECT_TRUE (target.getMessages().contains ("XdndDrop"));
    EXPECT_TRUE (clipFile().existsAsFile()) << "a copy, not a move";
}
