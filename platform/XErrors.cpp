#include "platform/XErrors.h"

#include <juce_core/juce_core.h>

#if JUCE_LINUX || JUCE_BSD
#include <X11/Xlib.h>
#include <dlfcn.h>

namespace platform
{
namespace
{
// JUCE loads the X library at run time; so does this, to stay usable headless.
using SetErrorHandler = XErrorHandler (*) (XErrorHandler);
using GetErrorText = int (*) (Display*, int, char*, int);
using GetErrorDatabaseText = int (*) (Display*, const char*, const char*, const char*, char*, int);

GetErrorText getErrorText = nullptr;
GetErrorDatabaseText getErrorDatabaseText = nullptr;

// A window that vanished under a view can fail request after request; the
// log keeps the first ones.
constexpr int maxLoggedErrors = 100;
std::atomic<int> errorCount{0};

// Runs inside Xlib with the display locked: it must not make X requests.
// Looking texts up in the error database makes none.
int logError (Display* display, XErrorEvent* event)
{
    const auto count = ++errorCount;

    if (count > maxLoggedErrors)
        return 0;

    if (count == maxLoggedErrors)
    {
        juce::Logger::writeToLog ("X error ignored; further X errors are not logged");
        return 0;
    }

    char error[128] = "unknown error";
    char request[128] = "unknown request";
    const auto requestCode = juce::String (static_cast<int> (event->request_code));

    getErrorText (display, event->error_code, error, sizeof (error));
    getErrorDatabaseText (display, "XRequest", requestCode.toRawUTF8(), "unknown request", request, sizeof (request));

    juce::Logger::writeToLog ("X error ignored: " + juce::String (error) + " in " + juce::String (request)
                              + " (request " + requestCode + "." + juce::String (static_cast<int> (event->minor_code))
                              + ", resource 0x" + juce::String::toHexString (static_cast<juce::int64> (event->resourceid)) + ")");
    return 0;
}
} // namespace

bool logXErrorsInsteadOfExiting()
{
    auto* library = ::dlopen ("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);

    if (library == nullptr)
        return false;

    const auto setErrorHandler = reinterpret_cast<SetErrorHandler> (::dlsym (library, "XSetErrorHandler"));
    getErrorText = reinterpret_cast<GetErrorText> (::dlsym (library, "XGetErrorText"));
    getErrorDatabaseText = reinterpret_cast<GetErrorDatabaseText> (::dlsym (library, "XGetErrorDatabaseText"));

    // The library stays loaded: the handler lives as long as the process.
    if (setErrorHandler == nullptr || getErrorText == nullptr || getErrorDatabaseText == nullptr)
        return false;

    setErrorHandler (logError);
    return true;
}
} // namespace platform
#else
namespace platform
{
bool logXErrorsInsteadOfExiting()
{
    return false;
}
} // namespace platform
#endif
