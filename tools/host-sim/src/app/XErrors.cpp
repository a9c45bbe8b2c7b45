#include "app/XErrors.h"

#include <X11/Xlib.h>

namespace hostsim
{
namespace
{
std::function<void (const juce::String&)>& reporter()
{
    static std::function<void (const juce::String&)> report;
    return report;
}

int onXError (Display* display, XErrorEvent* event)
{
    char error[128] = {};
    char request[128] = {};
    XGetErrorText (display, event->error_code, error, sizeof (error));
    const auto code = juce::String (static_cast<int> (event->request_code));
    XGetErrorDatabaseText (display, "XRequest", code.toRawUTF8(), code.toRawUTF8(), request, sizeof (request));

    const auto text = juce::String (error) + ", request " + juce::String (request) + " (" + code + "."
                      + juce::String (static_cast<int> (event->minor_code)) + "), resource 0x"
                      + juce::String::toHexString (static_cast<juce::int64> (event->resourceid));

    if (auto& report = reporter())
        report (text);

    return 0;
}
} // namespace

void installXErrorHandler (std::function<void (const juce::String&)> report)
{
    reporter() = std::move (report);
    XSetErrorHandler (onXError);
}
} // namespace hostsim
