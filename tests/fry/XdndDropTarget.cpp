#include "fry/XdndDropTarget.h"
#include "support/Subprocess.h"
#include "support/XDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace frytest
{
XdndDropTarget::XdndDropTarget (const juce::String& display, int x, int y, int width, int height)
    : thread ([this, display, x, y, width, height]
              { run (display, x, y, width, height); })
{
    testsupport::waitUntil ([this]
                            { return showing.load(); },
                            testsupport::XDisplay::patienceMs,
                            10);
}

XdndDropTarget::~XdndDropTarget()
{
    stopping = true;
    thread.join();
}

juce::String XdndDropTarget::waitForDrop (int timeoutMs)
{
    dropEvent.wait (static_cast<double> (timeoutMs));
    const std::lock_guard<std::mutex> lock (mutex);
    return dropped;
}

juce::StringArray XdndDropTarget::getMessages() const
{
    const std::lock_guard<std::mutex> lock (mutex);
    return messages;
}

void XdndDropTarget::run (juce::String displayName, int x, int y, int width, int height)
{
    auto* display = XOpenDisplay (displayName.toRawUTF8());

    if (display == nullptr)
        return;

    const auto atom = [display] (const char* name)
    { return XInternAtom (display, name, False); };
    const auto xdndAware = atom ("XdndAware"), xdndEnter = atom ("XdndEnter"), xdndPosition = atom ("XdndPosition"),
               xdndStatus = atom ("XdndStatus"), xdndLeave = atom ("XdndLeave"), xdndDrop = atom ("XdndDrop"),
               xdndFinished = atom ("XdndFinished"), xdndSelection = atom ("XdndSelection"),
               xdndActionCopy = atom ("XdndActionCopy"), uriList = atom ("text/uri-list"), dropProperty = atom ("FERRYMO_TEST_DROP");

    const auto screen = DefaultScreen (display);
    const auto window = XCreateSimpleWindow (display, RootWindow (display, screen), x, y, static_cast<unsigned int> (width),
                                             static_cast<unsigned int> (height), 0, BlackPixel (display, screen), WhitePixel (display, screen));
    XStoreName (display, window, "Drop Target");
    const long version = 5;
    XChangeProperty (display, window, xdndAware, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*> (&version), 1);
    XSelectInput (display, window, StructureNotifyMask | PropertyChangeMask);
    XMapRaised (display, window);
    XFlush (display);

    Window source = 0;

    const auto reply = [&] (Atom type, long accept)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.display = display;
        event.xclient.window = source;
        event.xclient.message_type = type;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long> (window);
        event.xclient.data.l[1] = accept;
        event.xclient.data.l[4] = static_cast<long> (xdndActionCopy);

        if (type == xdndFinished)
            event.xclient.data.l[2] = static_cast<long> (xdndActionCopy);

        XSendEvent (display, source, False, NoEventMask, &event);
        XFlush (display);
    };

    const auto note = [this] (const juce::String& text)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        messages.add (text);
    };

    while (!stopping)
    {
        if (XPending (display) == 0)
        {
            dragSource = static_cast<unsigned long> (XGetSelectionOwner (display, xdndSelection));
            juce::Thread::sleep (5);
            continue;
        }

        XEvent event;
        XNextEvent (display, &event);

        if (event.type == MapNotify)
        {
            showing = true;
        }
        else if (event.type == ClientMessage)
        {
            const auto type = event.xclient.message_type;
            source = static_cast<Window> (event.xclient.data.l[0]);

            if (type == xdndEnter)
                note ("XdndEnter");
            else if (type == xdndLeave)
                note ("XdndLeave");
            else if (type == xdndPosition)
            {
                note ("XdndPosition");
                reply (xdndStatus, 1); // accept, no rectangle
                note ("XdndStatus");
            }
            else if (type == xdndDrop)
            {
                note ("XdndDrop");
                const auto time = static_cast<Time> (event.xclient.data.l[2]);
                XConvertSelection (display, xdndSelection, uriList, dropProperty, window, time);
                XFlush (display);
            }
        }
        else if (event.type == SelectionNotify && event.xselection.property != None)
        {
            Atom actualType = None;
            int actualFormat = 0;
            unsigned long items = 0, remaining = 0;
            unsigned char* data = nullptr;

            if (XGetWindowProperty (display, window, dropProperty, 0, 1 << 20, True, AnyPropertyType, &actualType, &actualFormat,
                                    &items, &remaining, &data)
                    == Success
                && data != nullptr)
            {
                {
                    const std::lock_guard<std::mutex> lock (mutex);
                    dropped = juce::String::fromUTF8 (reinterpret_cast<const char*> (data), static_cast<int> (items));
                }

                XFree (data);
            }

            reply (xdndFinished, 1);
            note ("XdndFinished");
            dropEvent.signal();
        }
    }

    XDestroyWindow (display, window);
    XCloseDisplay (display);
}
} // namespace frytest
