#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace hostsim
{
/** Makes a failed X request an event rather than the end of the process.
    Xlib's default handler prints the error and exits; the framework only
    replaces it in applications it starts itself, which host-sim is not. A
    request can fail while a window manager is still starting (a property
    change naming an atom the server does not know yet), and the window
    simply carries on. Each error is described in one line ("BadAtom
    (invalid Atom parameter), request X_ChangeProperty, ...") and handed to
    `report`, on the thread that made the request. */
void installXErrorHandler (std::function<void (const juce::String&)> report);
} // namespace hostsim
