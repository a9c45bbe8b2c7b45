// End to end on the test X display: the host simulator launches the real
// suite from a temporary suite folder, the user's trigger opens Ferrymo's
// gadget, clicks on its buttons (xdotool) fetch the selection or the whole
// score over the host's WebSocket interface, the clip file holds the score's
// notes, and a press-and-move on the clip starts an X11 drag of the file.
#include "fry/ui/FryLayout.h"
#include "fry/XdndDropTarget.h"
#include "support/HostSimProcess.h"
#include "support/Subprocess.h"
#include "support/TempSuite.h"
#include "support/XDisplay.h"

#include <gtest/gtest.h>
#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <csignal>
#include <unistd.h>

namespace
{
namespace layout = fry::layout;

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

        clipFolder = suite.getSuiteFolder().getSiblingFile ("tmp");
        ASSERT_TRUE (clipFolder.createDirectory().wasOk());
        const auto score = suite.getSuiteFolder().getSiblingFile ("ferry.json");
        ASSERT_TRUE (score.replaceWithText (scoreJson));

        // The suite always calls the host on its fixed port: wait while
        // another simulator (a demo, another test run) holds it.
        for (int attempt = 0; attempt < 60 && (sim == nullptr || !sim->isRunning()); ++attempt)
        {
            if (attempt > 0)
                juce::Thread::sleep (1000);

            sim = std::make_unique<HostSimProcess> (juce::StringArray{"--port", "1898", "--suite", suite.getSuiteFolder().getFullPathName(),
                                                                      "--score", score.getFullPathName()},
                                                    juce::StringArray{"DISPLAY=" + display.getName(), "TMPDIR=" + clipFolder.getFullPathName()});
        }

        ASSERT_TRUE (sim->isRunning()) << "port 1898 stayed busy";
        ASSERT_TRUE (sim->sendCommand ("trigger FRY"));
        window = waitForWindow (layout::windowName);
        ASSERT_TRUE (window.isNotEmpty()) << "Ferrymo's window did not appear";
        juce::Thread::sleep (300);
        gadget = display.geometryOf (window);
    }

    void TearDown() override
    {
        if (sim != nullptr)
            sim->stop();

        // The suite would quit by itself once the host is gone; its windows
        // must be gone before the next test looks for its own.
        const auto exe = suite.getExecutable();

        for (const auto pid : testsupport::processIdsOf (exe))
            ::kill (pid, SIGTERM);

        if (!testsupport::waitUntil ([&]
                                     { return testsupport::countProcessesOf (exe) == 0; },
                                     5000))
            for (const auto pid : testsupport::processIdsOf (exe))
                ::kill (pid, SIGKILL);
    }

    /** A visible window of this test's suite process with the name. */
    juce::String waitForWindow (const juce::String& name)
    {
        return display.waitForWindow (name, [this]
                                      {
                                          const auto pids = testsupport::processIdsOf (suite.getExecutable());
                                          return pids.empty() ? juce::StringArray() : juce::StringArray{"--onlyvisible", "--pid", juce::String (pids.front())}; });
    }

    void clickAt (int windowX, int windowY)
    {
        display.run ({"xdotool", "mousemove", juce::String (gadget.x + windowX), juce::String (gadget.y + windowY), "click", "1"});
    }

    /** Saves a picture of the screen for people to look at (build/test-artifacts). */
    void screenshot (const juce::String& name)
    {
        display.screenshot (juce::File (ORVANA_TEST_BINARY_DIR).getChildFile ("test-artifacts").getChildFile (name + ".png"));
    }

    juce::File clipFile() const { return clipFolder.getChildFile ("ZEL_Ferrymo_clip.mid"); }

    /** Waits for a new clip file and reads its tracks: each track's name and notes. */
    std::optional<juce::MidiFile> waitForClip (juce::Time after)
    {
        if (!testsupport::waitUntil ([&]
                                     { return clipFile().existsAsFile() && clipFile().getLastModificationTime() >= after; },
                                     15000))
            return std::nullopt;

        juce::Thread::sleep (100);
        juce::MidiFile midi;
        juce::FileInputStream in (clipFile());

        if (!in.openedOk() || !midi.readFrom (in, false))
            return std::nullopt;

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
    testsupport::TempSuite suite{true};
    juce::File clipFolder;
    std::unique_ptr<HostSimProcess> sim;
    juce::String window;
    testsupport::WindowGeometry gadget;
};
} // namespace

TEST_F (FerrymoWindow, MainButtonFetchesTheSelectionIntoTheClipFile)
{
    EXPECT_EQ (gadget.width, layout::bodyWidth + 10);
    EXPECT_EQ (gadget.height, layout::bodyHeight + 10 + layout::bodyTopInWindow);
    screenshot ("ferrymo-gadget");

    const auto before = juce::Time::getCurrentTime() - juce::RelativeTime::seconds (1.0);
    clickAt (layout::mainButtonCentreX, layout::mainButtonCentreY);
    const auto midi = waitForClip (before);
    ASSERT_TRUE (midi.has_value()) << "no clip was written to " << clipFolder.getFullPathName() << "\n"
                                   << sim->getOutput();

    ASSERT_EQ (midi->getNumTracks(), 2) << "the conductor and the selected staff";
    EXPECT_EQ (midi->getTimeFormat(), 960);
    const auto& clarinet = *midi->getTrack (1);
    EXPECT_EQ (clarinet.getEventPointer (0)->message.getTextFromTextMetaEvent(), "Clarinet in Bb");
    EXPECT_EQ (notesOf (clarinet), "62@0-1920 65@1920-3840 69@1920-3840 67@3840-7680");
    EXPECT_EQ (countControllers (clarinet), 0) << "automation is off by default";

    juce::Thread::sleep (300);
    screenshot ("ferrymo-gadget-with-clip");
}

TEST_F (FerrymoWindow, FullScoreWithAutomationFromTheOptionsDrawer)
{
    clickAt (layout::optionsButtonCentreX, layout::buttonRowCentreY);
    const auto drawer = waitForWindow ("Gadget Drawer");
    ASSERT_TRUE (drawer.isNotEmpty());
    juce::Thread::sleep (500); // the slide takes 200 ms
    const auto d = display.geometryOf (drawer);
    EXPECT_EQ (d.x, gadget.x + layout::bodyWidth);

    // The check box sits below the drawer's heading.
    display.run ({"xdotool", "mousemove", juce::String (d.x + 30), juce::String (d.y + 10 + 5 + 22 + 11), "click", "1"});
    juce::Thread::sleep (300);
    screenshot ("ferrymo-options");

    const auto before = juce::Time::getCurrentTime() - juce::RelativeTime::seconds (1.0);
    clickAt (layout::fullScoreButtonCentreX, layout::buttonRowCentreY);
    const auto midi = waitForClip (before);
    ASSERT_TRUE (midi.has_value()) << sim->getOutput();

    ASSERT_EQ (midi->getNumTracks(), 3);
    EXPECT_EQ (countControllers (*midi->getTrack (1)), 1) << "the clarinet's controller came along";
    EXPECT_EQ (midi->getTrack (2)->getEventPointer (0)->message.getTextFromTextMetaEvent(), "Bassoon");
    EXPECT_EQ (notesOf (*midi->getTrack (2)), "43@7680-10560");
}

TEST_F (FerrymoWindow, TheClipCanBeDraggedIntoAnotherApplication)
{
    const auto before = juce::Time::getCurrentTime() - juce::RelativeTime::seconds (1.0);
    clickAt (layout::mainButtonCentreX, layout::mainButtonCentreY);
    ASSERT_TRUE (waitForClip (before).has_value());
    juce::Thread::sleep (300);

    // Another application's window beside the gadget, as a file manager would be.
    frytest::XdndDropTarget target (display.getName(), gadget.x + gadget.width + 60, gadget.y, 300, 240);
    ASSERT_TRUE (target.isShowing());
    juce::Thread::sleep (300);
    const auto targetWindow = display.waitForWindow ("Drop Target");
    ASSERT_TRUE (targetWindow.isNotEmpty());
    const auto t = display.geometryOf (targetWindow);

    const auto startX = gadget.x + layout::dragAreaCentreX;
    const auto startY = gadget.y + layout::dragAreaCentreY;
    const auto endX = t.x + t.width / 2;
    const auto endY = t.y + t.height / 2;
    // Slowly, as a hand would: a sanitizer build of the suite answers late.
    display.run ({"xdotool", "mousemove", juce::String (startX), juce::String (startY), "mousedown", "1"});
    juce::Thread::sleep (150);

    for (int step = 1; step <= 12; ++step)
    {
        display.run ({"xdotool", "mousemove", juce::String (startX + (endX - startX) * step / 12), juce::String (startY + (endY - startY) * step / 12)});
        juce::Thread::sleep (80);
    }

    // The target must have seen the drag arrive before the button is let go.
    testsupport::waitUntil ([&]
                            { return target.getMessages().contains ("XdndPosition"); },
                            3000);
    juce::Thread::sleep (100);
    display.run ({"xdotool", "mouseup", "1"});

    const auto dropped = target.waitForDrop (5000);
    EXPECT_EQ (dropped.trim(), "file://" + clipFile().getFullPathName()) << target.getMessages().joinIntoString (", ");
    EXPECT_TRUE (target.getMessages().contains ("XdndEnter"));
    EXPECT_TRUE (target.getMessages().contains ("XdndDrop"));
    EXPECT_TRUE (clipFile().existsAsFile()) << "a copy, not a move";
}
