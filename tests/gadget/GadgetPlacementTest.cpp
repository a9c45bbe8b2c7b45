#include "gadget/GadgetPlacement.h"
#include "gadget/Gadget.h"
#include "gadget/Gadget2.h"
#include "gadget/GadgetDesktop.h"

#include <gtest/gtest.h>

namespace
{
using Kind = gadget::Placement::Kind;

const std::vector<juce::Rectangle<int>> oneMonitor{{0, 0, 1600, 1000}};
const std::vector<juce::Rectangle<int>> twoMonitors{{0, 0, 1600, 1000}, {1600, 0, 1920, 1080}};
const juce::Rectangle<int> window{0, 0, 210, 236};
const juce::Point<int> centred{800 - 105, 500 - 118};

GadgetState stateWith (std::initializer_list<std::pair<juce::Identifier, juce::var>> properties)
{
    GadgetState state;

    for (const auto& [name, value] : properties)
        state.getTree().setProperty (name, value, nullptr);

    return state;
}

} // namespace

TEST (GadgetPlacement, FollowsTheStoredStateWhenItIsUsable)
{
    const auto x = GadgetState::x, y = GadgetState::y, max = GadgetState::maximized;
    const struct
    {
        GadgetState state;
        std::vector<juce::Rectangle<int>> monitors;
        Kind kind;
        juce::Point<int> topLeft;
    } cases[] = {
        {stateWith ({{max, true}, {x, 5}, {y, 6}}), oneMonitor, Kind::maximize, {}},
        {stateWith ({{max, "1"}}), oneMonitor, Kind::maximize, {}},
        {stateWith ({{x, 120}, {y, 80}}), oneMonitor, Kind::moveTo, {120, 80}},
        // Values read back from a file are text.
        {stateWith ({{x, "-40"}, {y, "300"}, {max, "0"}}), oneMonitor, Kind::moveTo, {-40, 300}},
        // Missing or unusable coordinates centre the window.
        {stateWith ({}), oneMonitor, Kind::centre, centred},
        {stateWith ({{x, 120}}), oneMonitor, Kind::centre, centred},
        {stateWith ({{x, "left"}, {y, 80}}), oneMonitor, Kind::centre, centred},
        {stateWith ({{x, ""}, {y, ""}}), oneMonitor, Kind::centre, centred},
        {stateWith ({{x, "99999999999"}, {y, "1"}}), oneMonitor, Kind::centre, centred},
        // A position off every monitor is not used; without any known monitor it is taken as it is.
        {stateWith ({{x, 5000}, {y, 80}}), oneMonitor, Kind::centre, centred},
        {stateWith ({{x, 3000}, {y, 80}}), twoMonitors, Kind::moveTo, {3000, 80}},
        {stateWith ({{x, 5000}, {y, 80}}), {}, Kind::moveTo, {5000, 80}},
    };

    for (const auto& c : cases)
    {
        const auto placement = gadget::decidePlacement (c.state, window, c.monitors);
        EXPECT_EQ (placement.kind, c.kind) << c.state.getTree().toXmlString();

        if (c.kind != Kind::maximize)
        {
            EXPECT_EQ (placement.topLeft, c.topLeft) << c.state.getTree().toXmlString();
        }
    }

    EXPECT_EQ (gadget::decidePlacement (stateWith ({}), window.withPosition (7, 8), {}).topLeft, juce::Point<int> (7, 8))
        << "with no monitor, centring keeps the window where it is";
}

TEST (ShowGadget, PlacesAndPutsTheWindowOnTheDesktop)
{
    auto state = stateWith ({{GadgetState::x, 120}, {GadgetState::y, 80}});
    Gadget2 gadgetWindow{state};

    // Peers are numbered in the order they are made, two apart: the gadget's
    // window must be the next one after the probe's, made once, not made and
    // then replaced to put it on top.
    juce::Component probe;
    probe.addToDesktop (0);
    const auto probeId = probe.getPeer()->getUniqueID();
    probe.removeFromDesktop();

    gadget::showOnDesktop (gadgetWindow);

    ASSERT_NE (gadgetWindow.getPeer(), nullptr);
    EXPECT_EQ (gadgetWindow.getPeer()->getUniqueID(), probeId + 2);
    EXPECT_TRUE (gadgetWindow.isOnDesktop());
    EXPECT_TRUE (gadgetWindow.isVisible());
    EXPECT_TRUE (gadgetWindow.isAlwaysOnTop());
    EXPECT_EQ (gadgetWindow.getPosition(), juce::Point<int> (120, 80));
}

TEST (ShowGadget, TheOlderGadgetIsPlacedByTheSameRuleAndWritesWhereItMoves)
{
    auto state = stateWith ({{GadgetState::x, 140}, {GadgetState::y, 60}, {GadgetState::maximized, true}});
    Gadget older;
    older.updateLayout(); // a real gadget has its size before it is shown
    older.setPositionState (state);
    gadget::showOnDesktop (older, state);

    EXPECT_TRUE (older.isOnDesktop());
    EXPECT_EQ (older.getPosition(), juce::Point<int> (140, 60)) << "the older gadget is never maximized";

    older.setTopLeftPosition (300, 200);
    EXPECT_EQ (state.getX(), 300);
    EXPECT_EQ (state.getY(), 200);
}
