#include "fry/ui/OptionsDrawer.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

TEST (FerrymoOptionsDrawer, TheCheckBoxSitsUnderTheHeadingAndWritesTheState)
{
    fry::State state;
    fry::OptionsDrawer drawer (state);
    drawer.setSize (200, 170);

    EXPECT_EQ (drawer.getHeading(), "OPTIONS");
    auto& box = drawer.getIncludeAutomationBox();
    EXPECT_EQ (box.getLabel(), "Include CC Automation");

    // Where the window test and the user find it: the row below the heading.
    EXPECT_EQ (box.getScreenBounds().translated (-drawer.getScreenX(), -drawer.getScreenY()), juce::Rectangle<int> (10, 27, 180, 22));

    box.mouseUp (testing_support::makeMouseEvent (box, {4.0f, 4.0f}));
    EXPECT_TRUE (state.getIncludeAutomation());
    state.setIncludeAutomation (false);
    EXPECT_FALSE (box.getState());

    // The explanation is drawn under the box.
    const auto image = testing_support::paintToImage (drawer);
    auto inked = 0;

    for (int y = 53; y < 93; ++y)
        for (int x = 10; x < 190; ++x)
            inked += image.getPixelAt (x, y).getAlpha() > 0 ? 1 : 0;

    EXPECT_GT (inked, 100);
}
