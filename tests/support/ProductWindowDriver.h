#pragma once

#include "support/HostSimProcess.h"
#include "support/TempSuite.h"
#include "support/XDisplay.h"

#include <juce_graphics/juce_graphics.h>

#include <memory>

namespace testsupport
{
/** The real suite beside the host simulator on the test X display, for the
    one end-to-end window test of each product: host-sim listens on the
    host's fixed port 1898 with a score of the test's own and launches the
    built suite from a temporary suite folder; the test triggers its product,
    finds the window by name and drives it with the X tools. Everything waits
    for what the programs show, never for a fixed time. The destructor stops
    host-sim and ends the suite, so the next test finds no window of this one. */
class ProductWindowDriver final
{
public:
    explicit ProductWindowDriver (const XDisplay& display);
    ~ProductWindowDriver();

    /** Starts host-sim with the score (host-sim's JSON score text), trying
        again a second apart while another simulator holds port 1898.
        extraEnvironment entries ("NAME=value") reach host-sim and the suite.
        False when it did not start. */
    bool start (const juce::String& scoreJson, const juce::StringArray& extraEnvironment = {});

    /** Sends host-sim a command line ("trigger FRY", "select 1-2 1", "fault drop 1"). */
    bool command (const juce::String& line);

    /** Triggers the product (code) and waits until its window (windowName) is
        on the screen and drawn; the window's id, empty when it did not come. */
    juce::String openProductWindow (const juce::String& productCode, const juce::String& windowName);

    /** Waits for a visible window of the suite with exactly this name; its id, or empty. */
    juce::String waitForWindow (const juce::String& windowName) const;

    /** Waits until the window stands still and shows more than a plain fill;
        false when it did not. */
    bool waitUntilDrawn (const juce::String& windowId) const;

    WindowGeometry geometryOf (const juce::String& windowId) const { return display.geometryOf (windowId); }

    /** Clicks the left button at a point of the window (window coordinates). */
    void clickAt (const juce::String& windowId, juce::Point<int> inWindow) const;
    /** Types the text into the window that has the keyboard focus. */
    void typeText (const juce::String& text) const;
    /** Presses at one screen point, moves in steps and lets go at the other. */
    void drag (juce::Point<int> fromOnScreen, juce::Point<int> toOnScreen, int steps = 12) const;

    /** A picture of the whole screen, also left as build/test-artifacts/NAME.png. */
    juce::Image screenshot (const juce::String& artifactName) const;
    /** Takes pictures until one passes the check; the last is left as an artifact. */
    juce::Image waitForScreen (const std::function<bool (const juce::Image&)>& check, const juce::String& artifactName) const;
    /** build/test-artifacts/NAME.png, where pictures for people go. */
    static juce::File artifact (const juce::String& name);

    /** Has host-sim save its score and reads it back; void when it could not. */
    juce::var readSavedScore();

    /** The folder the suite and host-sim use as their temporary folder (TMPDIR). */
    const juce::File& getTempFolder() const { return tempFolder; }
    HostSimProcess* getSim() const { return sim.get(); }
    const TempSuite& getSuite() const { return suite; }
    const XDisplay& getDisplay() const { return display; }

private:
    void reportFailureContext() const;

    const XDisplay& display;
    TempSuite suite{true};
    juce::File tempFolder;
    std::unique_ptr<HostSimProcess> sim;
    int saves = 0;

    JUCE_DECLARE_NON_COPYABLE (ProductWindowDriver)
};
} // namespace testsupport
