#include "gadget/Gadget2.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

using testsupport::pumpUntil;

namespace
{
// Slides take 200 ms; on a loaded machine timers run late, so every wait is
// for the state itself, with room to spare.
constexpr int patienceMs = 20000;

struct DrawerFixture : public ::testing::Test
{
    bool drawerRestsAt (int x)
    {
        auto* port = gadget.getDrawerViewPort();
        return port != nullptr && port->getDrawer().getPosition() == juce::Point<int> (x, 0);
    }

    /** Runs the message loop until every timer started so far with a delay
        up to `ms` has fired: a timer started now with a longer delay fires
        after them. */
    static void pumpPastTimersOf (int ms)
    {
        bool fired = false;
        juce::Timer::callAfterDelay (ms + 50, [&fired]
                                     { fired = true; });
        ASSERT_TRUE (pumpUntil ([&fired]
                                { return fired; },
                                patienceMs));
    }

    Gadget2 gadget{GadgetState()};
    juce::Component content;
};
} // namespace

TEST_F (DrawerFixture, SizePlacementAndLayoutFollowTheOrientation)
{
    gadget.setDrawer (&content, GadgetDrawer::Right, -1);
    ASSERT_NE (gadget.getDrawerViewPort(), nullptr);
    EXPECT_EQ (gadget.getDrawerViewPort()->getDrawer().calcDrawerSize(), 210) << "the default client area";
    EXPECT_EQ (gadget.getDrawerContent(), &content);

    gadget.setDrawer (&content, GadgetDrawer::Right, 240);
    const juce::Rectangle<int> body (100, 50, 300, 400);
    EXPECT_EQ (gadget.getDrawerViewPort()->calcBoundsOnDesktop (body), juce::Rectangle<int> (400, 55, 250, 390));
    auto& drawer = gadget.getDrawerViewPort()->getDrawer();
    drawer.setSize (250, 390);
    EXPECT_EQ (content.getBounds(), juce::Rectangle<int> (0, 10, 240, 370));
    EXPECT_EQ (drawer.getLipBounds(), juce::Rectangle<int> (240, 0, 10, 390));

    drawer.setOrientation (GadgetDrawer::Left);
    EXPECT_EQ (content.getBounds(), juce::Rectangle<int> (10, 10, 240, 370));
    EXPECT_EQ (drawer.getLipBounds(), juce::Rectangle<int> (0, 0, 10, 390));

    gadget.setDrawer (&content, GadgetDrawer::Left, 240);
    EXPECT_EQ (gadget.getDrawerViewPort()->calcBoundsOnDesktop (body), juce::Rectangle<int> (-150, 55, 250, 390));
}

TEST_F (DrawerFixture, NullContentOrNoDrawerMeansNothingToToggle)
{
    gadget.toggleDrawer();
    EXPECT_FALSE (gadget.isDrawerOpen());

    gadget.setDrawer (&content, GadgetDrawer::Right, 200);
    gadget.setDrawer (nullptr, GadgetDrawer::Right, 200);
    EXPECT_EQ (gadget.getDrawerViewPort(), nullptr);
    EXPECT_EQ (content.getParentComponent(), nullptr);

    gadget.setHasDrawer (true);
    ASSERT_NE (gadget.getDrawerViewPort(), nullptr);
    EXPECT_EQ (gadget.getDrawerContent(), nullptr);
    gadget.setHasDrawer (false);
    EXPECT_EQ (gadget.getDrawerViewPort(), nullptr);
}

TEST_F (DrawerFixture, RevealSlidesInConcealTakesItOffAndFollowsTheWindow)
{
    gadget.setBodyWidth (300);
    gadget.setDrawer (&content, GadgetDrawer::Right, 200);
    gadget.setTopLeftPosition (100, 100);

    gadget.toggleDrawer();
    auto* port = gadget.getDrawerViewPort();
    ASSERT_TRUE (gadget.isDrawerOpen());
    EXPECT_EQ (port->getBounds(), port->calcBoundsOnDesktop (gadget.getBody().getScreenBounds()));
    EXPECT_EQ (port->getDrawer().getX(), -port->getWidth()) << "it starts hidden behind the body's edge";

    ASSERT_TRUE (pumpUntil ([this]
                            { return drawerRestsAt (0); },
                            patienceMs))
        << port->getDrawer().getX();
    gadget.setTopLeftPosition (200, 150);
    EXPECT_EQ (port->getPosition(), juce::Point<int> (200 + 300, 150 + 20 + 5));

    gadget.toggleDrawer();
    EXPECT_TRUE (gadget.isDrawerOpen()) << "still there while it slides";
    ASSERT_TRUE (pumpUntil ([this, port]
                            { return !gadget.isDrawerOpen() && drawerRestsAt (-port->getWidth()); },
                            patienceMs))
        << port->getDrawer().getX();
}

TEST_F (DrawerFixture, TwoQuickTogglesOnAnOpenDrawerBothConceal)
{
    gadget.setDrawer (&content, GadgetDrawer::Right, 200);
    gadget.toggleDrawer();
    ASSERT_TRUE (pumpUntil ([this]
                            { return drawerRestsAt (0); },
                            patienceMs));
    ASSERT_TRUE (gadget.isDrawerOpen());

    // The second toggle comes before the first slide is over, however slow
    // the machine: the viewport is still on the desktop, so it conceals again.
    gadget.toggleDrawer();
    gadget.toggleDrawer();
    EXPECT_TRUE (gadget.isDrawerOpen());

    pumpPastTimersOf (GadgetDrawerViewPort::completionDelayMs);
    EXPECT_FALSE (gadget.isDrawerOpen());
    const auto width = gadget.getDrawerViewPort()->getWidth();
    EXPECT_TRUE (pumpUntil ([this, width]
                            { return drawerRestsAt (-width); },
                            patienceMs))
        << "no reveal slipped in";
}

TEST_F (DrawerFixture, ConcealCallbacksRunAfterTheDelayButNeverForADestroyedDrawer)
{
    int calls = 0;
    gadget.concealDrawer ([&calls]
                          { ++calls; });
    EXPECT_EQ (calls, 1) << "no drawer: at once";

    gadget.setDrawer (&content, GadgetDrawer::Right, 200);
    gadget.toggleDrawer();
    gadget.concealDrawer ([&calls, this]
                          {
                              ++calls;
                              EXPECT_FALSE (gadget.isDrawerOpen()); });
    EXPECT_EQ (calls, 1);
    ASSERT_TRUE (pumpUntil ([&calls]
                            { return calls == 2; },
                            patienceMs));

    gadget.toggleDrawer();
    gadget.concealDrawer ([&calls]
                          { ++calls; });
    gadget.setDrawer (nullptr, GadgetDrawer::Right, -1);
    pumpPastTimersOf (GadgetDrawerViewPort::completionDelayMs);
    EXPECT_EQ (calls, 2);
}
