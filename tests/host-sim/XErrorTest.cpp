// A failed X request is reported, and the process goes on.
#include "app/XErrors.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

TEST (XErrors, AFailedRequestIsReportedAndTheProcessGoesOn)
{
    auto name = juce::SystemStats::getEnvironmentVariable ("ORVANA_TEST_DISPLAY", juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}));
    auto* display = name.isNotEmpty() ? XOpenDisplay (name.toRawUTF8()) : nullptr;

    if (display == nullptr)
        GTEST_SKIP() << "no X server: set ORVANA_TEST_DISPLAY or DISPLAY (tools/run-tests.sh starts Xvfb)";

    juce::StringArray reports;
    hostsim::installXErrorHandler ([&reports] (const juce::String& text)
                                   { reports.add (text); });

    // What a window manager that is not up yet can make happen: a property named by atom 0.
    const unsigned char value[] = {1};
    XChangeProperty (display, DefaultRootWindow (display), 0, XA_CARDINAL, 8, PropModeReplace, value, 1);
    XSync (display, False);

    ASSERT_EQ (reports.size(), 1);
    EXPECT_TRUE (reports[0].startsWith ("BadAtom")) << reports[0];
    EXPECT_TRUE (reports[0].contains ("X_ChangeProperty")) << reports[0];

    hostsim::installXErrorHandler ({});
    XCloseDisplay (display);
}
