#include "gadget/GadgetPlacement.h"
#include "gadget/Gadget2.h"
#include "products/Product.h"

#include <gtest/gtest.h>

namespace
{
using Kind = gadget::Placement::Kind;

const std::vector<juce::Rectangle<int>> oneMonitor{{0, 0, 1600, 1000}};
const juce::Rectangle<int> window{0, 0, 210, 236};

GadgetState stateWith (std::initializer_list<std::pair<juce::Identifier, juce::var>> properties)
{
    GadgetState state;

    for (const auto& [name, value] : properties)
        state.getTree().setProperty (name, value, nullptr);

    return state;
}

const juce::Point<int> centred{800 - 105, 500 - 118};
} // namespace

TEST (GadgetPlacement, FollowsTheStoredState)
{
    EXPECT_EQ (gadget::decidePlacement (stateWith ({{GadgetState::maximized, true}, {GadgetState::x, 5}, {GadgetState::y, 6}}), window, oneMonitor).kind,
               Kind::maximize);

    const auto moved = gadget::decidePlacement (stateWith ({{GadgetState::x, 120}, {GadgetState::y, 80}}), window, oneMonitor);
    EXPECT_EQ (moved.kind, Kind::moveTo);
    EXPECT_EQ (moved.topLeft, juce::Point<int> (120, 80));

    const auto notMaximized = gadget::decidePlacement (stateWith ({{GadgetState::maximized, false}, {GadgetState::x, 1}, {GadgetState::y, 2}}), window, oneMonitor);
    EXPECT_EQ (notMaximized.kind, Kind::moveTo);
}

TEST (GadgetPlacement, MissingOrUnusableCoordinatesCentre)
{
    for (const auto& state : {stateWith ({}),
                              stateWith ({{GadgetState::x, 120}}),
                              stateWith ({{GadgetState::y, 80}}),
                              stateWith ({{GadgetState::x, "left"}, {GadgetState::y, 80}}),
                              stateWith ({{GadgetState::x, ""}, {GadgetState::y, ""}}),
                              stateWith ({{GadgetState::x, "99999999999"}, {GadgetState::y, "1"}})})
    {
        const auto placement = gadget::decidePlacement (state, window, oneMonitor);
        EXPECT_EQ (placement.kind, Kind::centre) << state.getTree().toXmlString();
        EXPECT_EQ (placement.topLeft, centred);
    }
}

TEST (GadgetPlacement, ValuesReadBackFromAFileAreText)
{
    const auto placement = gadget::decidePlacement (stateWith ({{GadgetState::x, "-40"}, {GadgetState::y, "300"}, {GadgetState::maximized, "0"}}), window, oneMonitor);
    EXPECT_EQ (placement.kind, Kind::moveTo);
    EXPECT_EQ (placement.topLeft, juce::Point<int> (-40, 300));

    EXPECT_EQ (gadget::decidePlacement (stateWith ({{GadgetState::maximized, "1"}}), window, oneMonitor).kind, Kind::maximize);
}

TEST (GadgetPlacement, APositionOffEveryMonitorIsNotUsed)
{
    const auto lost = gadget::decidePlacement (stateWith ({{GadgetState::x, 5000}, {GadgetState::y, 80}}), window, oneMonitor);
    EXPECT_EQ (lost.kind, Kind::centre);

    const std::vector<juce::Rectangle<int>> twoMonitors{{0, 0, 1600, 1000}, {1600, 0, 1920, 1080}};
    const auto second = gadget::decidePlacement (stateWith ({{GadgetState::x, 3000}, {GadgetState::y, 80}}), window, twoMonitors);
    EXPECT_EQ (second.kind, Kind::moveTo);

    // Without any known monitor the stored position is taken as it is.
    EXPECT_EQ (gadget::decidePlacement (stateWith ({{GadgetState::x, 5000}, {GadgetState::y, 80}}), window, {}).kind, Kind::moveTo);
    const auto nowhere = gadget::decidePlacement (stateWith ({}), window.withPosition (7, 8), {});
    EXPECT_EQ (nowhere.topLeft, juce::Point<int> (7, 8));
}

namespace
{
struct TestProduct final : public Product
{
    juce::String getCode() const override { return "TST"; }
    juce::String getInternalName() const override { return "Test"; }
    juce::String getDisplayName() const override { return "Test"; }
};
} // namespace

TEST (ShowGadget, PlacesAndPutsTheWindowOnTheDesktop)
{
    TestProduct product;
    product.showGadget (nullptr, GadgetState()); // nothing happens

    auto state = stateWith ({{GadgetState::x, 120}, {GadgetState::y, 80}});
    Gadget2 window{state};
    product.showGadget (&window, state);

    EXPECT_TRUE (window.isOnDesktop());
    EXPECT_TRUE (window.isVisible());
    EXPECT_TRUE (window.isAlwaysOnTop());
    EXPECT_EQ (window.getPosition(), juce::Point<int> (120, 80));
    EXPECT_EQ (window.getWidth(), 210);
}
