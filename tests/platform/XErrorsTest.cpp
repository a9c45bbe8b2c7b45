#include "platform/XErrors.h"
#include "support/XDisplay.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

// Xlib's default handler would print the error and exit(1) here.
TEST (XErrorsDeathTest, FailedRequestIsLoggedAndTheProcessGoesOn)
{
    const testsupport::XDisplay screen;

    if (!screen.isAvailable())
        GTEST_SKIP() << "no X display";

    GTEST_FLAG_SET (death_test_style, "threadsafe");

    EXPECT_EXIT ({
        auto* display = XOpenDisplay (screen.getName().toRawUTF8());

        if (display == nullptr || !platform::logXErrorsInsteadOfExiting())
            std::exit (2);

        // Property atom 0: what a window property set while the window
        // manager starts up can come to.
        const long value = 1;
        XChangeProperty (display, DefaultRootWindow (display), None, XA_ATOM, 32, PropModeReplace,
                         reinterpret_cast<const unsigned char*> (&value), 1);
        XSync (display, False);
        std::fprintf (stderr, "still running\n");
        XCloseDisplay (display);
        std::exit (0);
    },
                 ::testing::ExitedWithCode (0), "X error ignored: BadAtom.* in X_ChangeProperty(.|\n)*still running");
}
