#include "gadget/GadgetButton.h"
#include "gadget/GadgetKnob.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

using testing_support::makeMouseEvent;

namespace
{
const juce::Identifier flag{"flag"};
const juce::Identifier level{"level"};

void click (GadgetButton& button)
{
    button.mouseDown (makeMouseEvent (button, {5.0f, 5.0f}));
    button.mouseUp (makeMouseEvent (button, {5.0f, 5.0f}));
}
} // namespace

TEST (GadgetButtonBinding, ClickCallbackWinsOverEverything)
{
    juce::ValueTree tree ("T");
    GadgetButton button;
    button.setSize (50, 20);
    button.attachValueTreeProperty (tree, flag);
    int clicks = 0;
    int presses = 0;
    button.onClick = [&clicks]
    { ++clicks; };
    button.onPress = [&presses]
    { ++presses; };

    button.mouseDown (makeMouseEvent (button, {5.0f, 5.0f}));
    EXPECT_EQ (clicks, 1);
    EXPECT_EQ (presses, 0);
    EXPECT_FALSE (tree.hasProperty (flag));
    EXPECT_FALSE (button.isPressed());

    // The callback may destroy the button.
    auto owned = std::make_unique<GadgetButton>();
    auto* raw = owned.get();
    raw->onClick = [&owned]
    { owned.reset(); };
    raw->mouseDown (makeMouseEvent (*raw, {1.0f, 1.0f}));
    EXPECT_EQ (owned, nullptr);
}

TEST (GadgetButtonBinding, BoundButtonFlipsThePropertyAndFollowsIt)
{
    juce::ValueTree tree ("T");
    GadgetButton button;
    button.setLatching (true);
    button.attachValueTreeProperty (tree, flag);

    click (button);
    EXPECT_TRUE (static_cast<bool> (tree[flag]));
    EXPECT_TRUE (button.isPressed());

    click (button);
    EXPECT_FALSE (static_cast<bool> (tree[flag]));
    EXPECT_FALSE (button.isPressed());

    // Someone else writes the tree: the button follows.
    tree.setProperty (flag, true, nullptr);
    EXPECT_TRUE (button.isPressed());
}

TEST (GadgetButtonBinding, SetterAndGetterAreUsedOnlyTogether)
{
    juce::ValueTree tree ("T");
    tree.setProperty (flag, "off", nullptr);

    // Stored as "on"/"off" text: only the pair of functions understands it.
    const GadgetButton::Getter getter = [] (const juce::ValueTree& t, const juce::Identifier& id)
    { return t[id].toString() == "on"; };
    int setterCalls = 0;
    const GadgetButton::Setter setter = [&setterCalls] (juce::ValueTree& t, const juce::Identifier& id, bool v)
    {
        ++setterCalls;
        t.setProperty (id, v ? "on" : "off", nullptr);
    };

    GadgetButton both;
    both.setLatching (true);
    both.attachValueTreeProperty (tree, flag, setter, getter);
    EXPECT_FALSE (both.isPressed());
    click (both);
    EXPECT_EQ (setterCalls, 1);
    EXPECT_EQ (tree[flag].toString(), "on");
    EXPECT_TRUE (both.isPressed());

    // A setter without a getter falls back to flipping the property itself.
    juce::ValueTree other ("T");
    GadgetButton setterOnly;
    setterOnly.attachValueTreeProperty (other, flag, setter, {});
    click (setterOnly);
    EXPECT_EQ (setterCalls, 1);
    EXPECT_TRUE (static_cast<bool> (other[flag]));

    GadgetButton getterOnly;
    getterOnly.attachValueTreeProperty (other, flag, {}, getter);
    click (getterOnly);
    EXPECT_FALSE (static_cast<bool> (other[flag]));
}

TEST (GadgetButtonBinding, UnboundButtonShowsPressedAndRunsPressCallback)
{
    GadgetButton button;
    int presses = 0;
    button.onPress = [&presses]
    { ++presses; };

    button.mouseDown (makeMouseEvent (button, {1.0f, 1.0f}));
    EXPECT_TRUE (button.isPressed());
    EXPECT_EQ (presses, 1);
    button.mouseUp (makeMouseEvent (button, {1.0f, 1.0f}));
    EXPECT_FALSE (button.isPressed());

    button.setEnabled (false);
    button.mouseDown (makeMouseEvent (button, {1.0f, 1.0f}));
    EXPECT_EQ (presses, 1);
    EXPECT_FALSE (button.isPressed());
}

TEST (GadgetKnobMapping, AnglesMapAcrossTheSweepOutsideTheDeadZone)
{
    const auto at = [] (float x, float y)
    { return GadgetKnob::valueForOffset ({x, y}, 0.0f, 100.0f); };

    EXPECT_NEAR (*at (0.0f, -50.0f), 50.0f, 1e-3f);         // up
    EXPECT_NEAR (*at (-50.0f, 0.0f), 100.0f / 6.0f, 1e-3f); // left
    EXPECT_NEAR (*at (50.0f, 0.0f), 500.0f / 6.0f, 1e-3f);  // right
    EXPECT_NEAR (*at (0.0f, 50.0f), 100.0f, 1e-3f);         // down
    EXPECT_NEAR (*at (-0.5f, 50.0f), 0.0f, 1e-3f);          // just left of down
    EXPECT_NEAR (*at (-50.0f, 50.0f), 0.0f, 1e-3f);         // the start of the sweep
    EXPECT_NEAR (*at (50.0f, 50.0f), 100.0f, 1e-3f);        // its end

    EXPECT_NEAR (*GadgetKnob::valueForOffset ({0.0f, -20.0f}, -12.0f, 12.0f), 0.0f, 1e-4f);

    // A dead zone around the centre.
    EXPECT_FALSE (at (0.0f, 0.0f).has_value());
    EXPECT_FALSE (at (6.0f, -8.0f).has_value()); // exactly 10 away
    EXPECT_TRUE (at (6.0f, -8.1f).has_value());
}

TEST (GadgetKnobMapping, DragsWriteTheTreeAndTheKnobFollows)
{
    juce::ValueTree tree ("T");
    GadgetKnob knob;
    knob.setSize (80, 80);
    knob.setRange (0.0f, 100.0f);

    // Without a tree a drag does nothing.
    knob.mouseDrag (makeMouseEvent (knob, {40.0f, 0.0f}, {40.0f, 40.0f}));
    EXPECT_EQ (knob.getValue(), 0.0f);

    knob.attachValueTreeProperty (tree, level);
    knob.mouseDrag (makeMouseEvent (knob, {40.0f, 0.0f}, {40.0f, 40.0f}));
    EXPECT_NEAR (static_cast<float> (tree[level]), 50.0f, 1e-3f);
    EXPECT_NEAR (knob.getValue(), 50.0f, 1e-3f);

    // A drag ending near the centre leaves the value alone.
    knob.mouseDrag (makeMouseEvent (knob, {45.0f, 45.0f}, {40.0f, 40.0f}));
    EXPECT_NEAR (static_cast<float> (tree[level]), 50.0f, 1e-3f);

    tree.setProperty (level, 75.0f, nullptr);
    EXPECT_EQ (knob.getValue(), 75.0f);
    tree.removeProperty (level, nullptr);
    EXPECT_EQ (knob.getValue(), 75.0f);
}
