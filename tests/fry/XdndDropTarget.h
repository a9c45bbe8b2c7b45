#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <thread>

namespace frytest
{
/** A window of another X client that accepts drops of "text/uri-list"
    through the X drag-and-drop protocol (XDND, version 5), as a file
    manager does, and keeps what was dropped. Its own connection and thread
    make it independent of the application that drags. */
class XdndDropTarget final
{
public:
    /** Opens a window of the size at the screen position on the display. */
    XdndDropTarget (const juce::String& display, int x, int y, int width, int height);
    ~XdndDropTarget();

    /** True once the window is on the screen. */
    bool isShowing() const { return showing; }

    /** True while some window owns the XDND selection: a drag is going on. */
    bool hasDragSource() const { return dragSource != 0; }

    /** Waits until something was dropped; the dropped text, empty on time-out. */
    juce::String waitForDrop (int timeoutMs);

    /** The XDND messages seen so far ("XdndEnter", "XdndPosition", "XdndDrop",
        ...), and "XdndStatus" once the target has accepted the drag. */
    juce::StringArray getMessages() const;

private:
    void run (juce::String display, int x, int y, int width, int height);

    std::atomic<bool> stopping{false}, showing{false};
    std::atomic<unsigned long> dragSource{0};
    mutable std::mutex mutex;
    juce::String dropped;
    juce::StringArray messages;
    juce::WaitableEvent dropEvent{true};

    // Last: the thread runs at once and uses every member above, so they
    // must be made before it starts.
    std::thread thread;
};
} // namespace frytest
