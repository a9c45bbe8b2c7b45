#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace testsupport
{
/** Runs a command to its end; its standard output, empty on failure or time-out. */
juce::String runCommand (const juce::StringArray& args, int timeoutMs = 15000);

/** A window's place and size on the screen. */
struct WindowGeometry
{
    int x = 0, y = 0, width = 0, height = 0;
};

/** The X display of the windowed tests (the test display that
    tools/run-tests.sh starts, else the user's) and the X tools that look at
    and drive it: xdotool, xprop, import. */
class XDisplay final
{
public:
    /** Finds a display that answers; isAvailable() tells whether one did. */
    XDisplay();

    bool isAvailable() const { return name.isNotEmpty(); }
    const juce::String& getName() const { return name; }

    /** Runs an X tool against this display; its standard output. */
    juce::String run (const juce::StringArray& args) const;

    /** Waits up to 15 s for a window named exactly `windowName`; empty when
        none came. extraSearch, asked anew on every try, adds xdotool search
        options; when it gives none the search waits. */
    juce::String waitForWindow (const juce::String& windowName, const std::function<juce::StringArray()>& extraSearch = nullptr) const;

    WindowGeometry geometryOf (const juce::String& windowId) const;

    /** Saves a picture of the whole screen. */
    void screenshot (const juce::File& file) const;

private:
    juce::String name;
};
} // namespace testsupport
