#pragma once

namespace platform
{
/** Makes a failed X request (a BadAtom while the window manager starts, a
    BadWindow for a window another client destroyed) a line in the log
    instead of the end of the process.

    Xlib's default error handler prints the error and calls exit(). JUCE
    replaces it with a silent handler only when it starts as a standalone
    application, and puts the default back when its window system goes. Call
    this once the window system is up (after the desktop exists), so it
    replaces JUCE's handler rather than being replaced by it. Lost
    connections (I/O errors) still end the process: Xlib exits after any I/O
    error handler returns.

    Returns false when no X library is loaded in the process (no display). */
bool logXErrorsInsteadOfExiting();
} // namespace platform
