#include "gadget/Gadget2.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

namespace
{
using testing_support::makeMouseEvent;

const juce::Rectangle<int> monitor{0, 0, 1600, 1000};

/** Makes a gadget see one fixed monitor (or none) instead of the desktop. */
void useMonitor (Gadget2& g, std::optional<juce::Rectangle<int>> area = monitor)
{
    g.setMonitorAreaLookup ([area] (juce::Rectangle<int>)
                            { return area; });
}
} // namespace

TEST (Gadget2Layout, WindowSizeFollowsBodyHeadAndShadow)
{
    Gadget2 g{GadgetState()};
    EXPECT_EQ (g.getWidth(), 210);
    EXPECT_EQ (g.getHeight(), 236);
    EXPECT_FALSE (g.getHead().isVisible());

    g.setBodyWidth (300);
    g.setBodyHeight (400);
    EXPECT_EQ (g.getWidth(), 310);
    EXPECT_EQ (g.getHeight(), 430);
    EXPECT_EQ (g.getBodyBounds(), juce::Rectangle<int> (0, 20, 300, 400));
    EXPECT_EQ (g.getCloseButton().getBounds(), juce::Rectangle<int> (270, 0, 20, 20));

    g.setHeadVisible (true);
    EXPECT_EQ (g.getHeight(), 480);
    EXPECT_EQ (g.getBodyBounds(), juce::Rectangle<int> (0, 70, 300, 400));
    EXPECT_EQ (g.getHeadBounds(), juce::Rectangle<int> (7, 0, 286, 70));
    EXPECT_EQ (g.getCloseButton().getBounds(), juce::Rectangle<int> (265, 15, 20, 20));
    EXPECT_TRUE (g.getHead().isVisible());

    // Hiding the head takes 50 pixels off the window and moves the body up by as much.
    g.setHeadVisible (false);
    EXPECT_EQ (g.getHeight(), 430);
    EXPECT_EQ (g.getBodyBounds().getY(), 20);
}

TEST (Gadget2Layout, ClientAreasAreInWindowCoordinatesAndNeverNegative)
{
    Gadget2 g{GadgetState()};
    g.setHeadVisible (true);
    g.setBodyWidth (300);
    g.setBodyHeight (200);
    EXPECT_EQ (g.getBodyClientArea(), juce::Rectangle<float> (10.0f, 86.0f, 280.0f, 174.0f));
    EXPECT_EQ (g.getHeadClientArea(), juce::Rectangle<float> (12.0f, 5.0f, 276.0f, 60.0f));
    EXPECT_EQ (g.getBody().getFrontBounds(), juce::Rectangle<int> (0, 6, 300, 194));

    g.setBodyWidth (12);
    g.setBodyHeight (20);
    EXPECT_EQ (g.getBody().getClientArea().getWidth(), 0);
    EXPECT_EQ (g.getBody().getClientArea().getHeight(), 0);
    EXPECT_EQ (g.getHeadClientArea().getWidth(), 0.0f);
    EXPECT_GE (g.getBody().getFrontBounds().getHeight(), 0);
}

TEST (Gadget2Layout, MovingWritesPositionUnlessTheWindowFillsTheMonitor)
{
    EXPECT_TRUE (gadget::isMaximizedSize (1602, 1000, monitor));
    EXPECT_FALSE (gadget::isMaximizedSize (1600, 997, monitor));
    EXPECT_FALSE (gadget::isMaximizedSize (1597, 1000, monitor));

    GadgetState state;
    Gadget2 g{state};
    useMonitor (g);

    g.setTopLeftPosition (120, 80);
    EXPECT_EQ (state.getX(), 120);
    EXPECT_EQ (state.getY(), 80);
    EXPECT_FALSE (state.isMaximized());
    EXPECT_TRUE (state.getTree().hasProperty (GadgetState::maximized));

    // 2 pixels short in both dimensions counts as maximized: x and y stay, even when moved.
    g.setBounds (5, 6, 1598, 998);
    EXPECT_TRUE (state.isMaximized());
    g.setTopLeftPosition (40, 30);
    EXPECT_TRUE (state.isMaximized());
    EXPECT_EQ (state.getX(), 120);
    EXPECT_EQ (state.getY(), 80);

    // 3 pixels short does not.
    g.setBounds (7, 9, 1597, 997);
    EXPECT_FALSE (state.isMaximized());
    EXPECT_EQ (state.getX(), 7);
    EXPECT_EQ (state.getY(), 9);
}

TEST (Gadget2Layout, MaximizeFillsTheMonitorOrOnlyRecordsTheWish)
{
    GadgetState state;
    Gadget2 g{state};
    useMonitor (g);
    g.setHeadVisible (true);

    g.maximize();
    EXPECT_TRUE (state.isMaximized());
    EXPECT_EQ (g.getBounds(), monitor);
    EXPECT_EQ (g.getBodyWidth(), 1600);
    EXPECT_EQ (g.getBodyHeight(), 1000 - 70);
    EXPECT_FALSE (state.getX().has_value());

    GadgetState noScreenState;
    Gadget2 noScreen{noScreenState};
    useMonitor (noScreen, std::nullopt);
    noScreen.maximize();
    EXPECT_TRUE (noScreenState.isMaximized());
    EXPECT_EQ (noScreen.getWidth(), 210);
}

TEST (Gadget2Layout, DraggingTheBodyMovesTheWindowAndCloseRunsOnMouseUpEvenOutside)
{
    GadgetState state;

    struct Recorder final : public Gadget2
    {
        using Gadget2::Gadget2;
        void afterMouseDown (const juce::MouseEvent&) override { ++downs; }
        void afterMoved() override { ++moves; }
        int downs = 0;
        int moves = 0;
    };

    Recorder r{state};
    useMonitor (r);
    r.setTopLeftPosition (100, 100);
    const auto movesBefore = r.moves;

    auto& body = r.getBody();
    const juce::Point<float> start (50.0f, 30.0f);
    body.mouseDown (makeMouseEvent (body, start));
    // The window listens to its body: forward as the toolkit would.
    r.mouseDown (makeMouseEvent (body, start).getEventRelativeTo (&body));
    r.mouseDrag (makeMouseEvent (body, start + juce::Point<float> (25.0f, 15.0f), start));

    EXPECT_EQ (r.downs, 1);
    EXPECT_EQ (r.getPosition(), juce::Point<int> (125, 115));
    EXPECT_EQ (state.getX(), 125);
    EXPECT_EQ (state.getY(), 115);
    EXPECT_GT (r.moves, movesBefore);

    int closes = 0;
    r.onClose = [&closes]
    { ++closes; };
    auto& button = r.getCloseButton();
    button.mouseDown (makeMouseEvent (button, {5.0f, 5.0f}));
    EXPECT_TRUE (button.isPressed());
    EXPECT_EQ (closes, 0);
    button.mouseUp (makeMouseEvent (button, {500.0f, 500.0f}, {5.0f, 5.0f}));
    EXPECT_FALSE (button.isPressed());
    EXPECT_EQ (closes, 1);
}
