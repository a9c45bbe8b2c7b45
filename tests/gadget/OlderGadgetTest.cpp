#include "gadget/Gadget.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

namespace
{
struct SizedGadget final : public Gadget
{
    int headHeight = 50;
    int getHeadHeight() override { return headHeight; }
    int getBodyHeight() override { return 150; }
    int getBodyWidth() override { return 200; }
};
} // namespace

TEST (OlderGadget, LayoutComesFromTheProductsGetters)
{
    SizedGadget g;
    g.updateLayout();
    EXPECT_EQ (g.getViewHeight(), 240);
    EXPECT_EQ (g.getBounds().withZeroOrigin(), juce::Rectangle<int> (0, 0, 210, 240));
    EXPECT_EQ (g.getHead().getBounds(), juce::Rectangle<int> (7, 30, 186, 50));
    EXPECT_EQ (g.getBody().getBounds(), juce::Rectangle<int> (0, 80, 200, 150));
    EXPECT_EQ (g.getCloseButton().getBounds(), juce::Rectangle<int> (165, 35, 20, 20));

    g.headHeight = 0;
    g.updateLayout();
    EXPECT_FALSE (g.getHead().isVisible());
    EXPECT_EQ (g.getBody().getBounds(), juce::Rectangle<int> (0, 30, 200, 150));
    EXPECT_EQ (g.getCloseButton().getBounds(), juce::Rectangle<int> (175, 14, 20, 20));
}

TEST (OlderGadget, DrawerFollowsTheWindowWhichKeepsNoState)
{
    SizedGadget g;
    g.updateLayout();
    juce::Component content;
    g.setDrawer (&content, GadgetDrawer::Right, -1);
    g.toggleDrawer();
    ASSERT_TRUE (g.isDrawerOpen());

    g.setTopLeftPosition (300, 200);
    auto* viewPort = content.getParentComponent() != nullptr ? content.getParentComponent()->getParentComponent() : nullptr;
    ASSERT_NE (viewPort, nullptr);
    EXPECT_EQ (viewPort->getPosition(), juce::Point<int> (300 + 200, 200 + 80 + 5));
    EXPECT_EQ (viewPort->getWidth(), 210);

    int closes = 0;
    g.onClose = [&closes]
    { ++closes; };
    auto& button = g.getCloseButton();
    button.mouseDown (testing_support::makeMouseEvent (button, {3.0f, 3.0f}));
    button.mouseUp (testing_support::makeMouseEvent (button, {3.0f, 3.0f}));
    EXPECT_EQ (closes, 1);
    g.setDrawer (nullptr, GadgetDrawer::Right, -1);
}
