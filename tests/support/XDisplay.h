#pragma once

#include <juce_graphics/juce_graphics.h>

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
    /** How long the waits below give the programs under test: a loaded
        machine is slow, a hung one never answers. A sanitizer build runs
        several times slower again (rendering audio in host-sim takes tens of
        seconds under ThreadSanitizer on two busy cores), so it waits longer. */
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    static constexpr int patienceMs = 90000;
#else
    static constexpr int patienceMs = 30000;
#endif

    /** Finds a display that answers; isAvailable() tells whether one did. */
    XDisplay();

    bool isAvailable() const
    {
        return name.isNotEmpty();
    }
    const juce::String& getName() const
    {
        return name;
    }

    /** Runs an X tool against this display; its standard output. */
    juce::String run (const juce::StringArray& args) const;

    /** Waits for a window named exactly `windowName`; empty when none came.
        extraSearch, asked anew on every try, adds xdotool search options;
        when it gives none the search waits. */
    juce::String waitForWindow (const juce::String& windowName, const std::function<juce::StringArray()>& extraSearch = nullptr,
                                int timeoutMs = patienceMs) const;

    WindowGeometry geometryOf (const juce::String& windowId) const;

    /** Saves a picture of the whole screen. */
    void screenshot (const juce::File& file) const;

    /** A picture of the whole screen, by way of the file; invalid on failure. */
    juce::Image capture (const juce::File& file) const;

    /** Takes pictures of the screen (through the file) until one passes the
        check or the time is up; the last one taken. */
    juce::Image waitForScreen (const std::function<bool (const juce::Image&)>& check, const juce::File& file, int timeoutMs = patienceMs) const;

private:
    juce::String name;
};
} // namespace testsupport
