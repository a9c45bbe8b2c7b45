#include "gadget/GadgetButton.h"
#include "gadget/GadgetKnob.h"
#include "gadget/RepaintProbe.h"
#include "gadget/TestMouse.h"

#include <gtest/gtest.h>

using testing_support::coloursClose;
using testing_support::makeMouseEvent;
using testing_support::paintAlone;

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

TEST (GadgetButtonModes, OneModeAtATime)
{
    juce::ValueTree tree ("T");
    GadgetButton button;
    button.setSize (50, 20);
    EXPECT_EQ (button.getMode(), GadgetButton::Mode::press);

    int clicks = 0;
    button.bindToggle (tree, flag);
    button.setClickAction ([&clicks]
                           { ++clicks; });
    EXPECT_EQ (button.getMode(), GadgetButton::Mode::click);

    // A click button neither writes the tree it was bound to nor follows it.
    click (button);
    EXPECT_EQ (clicks, 1);
    EXPECT_FALSE (tree.hasProperty (flag));
    EXPECT_FALSE (button.isPressed());
    tree.setProperty (flag, true, nullptr);
    EXPECT_FALSE (button.isPressed());

    // Binding replaces the click action.
    button.bindToggle (tree, flag);
    EXPECT_EQ (button.getMode(), GadgetButton::Mode::toggle);
    EXPECT_TRUE (button.isPressed());
    click (button);
    EXPECT_EQ (clicks, 1);
    EXPECT_FALSE (static_cast<bool> (tree[flag]));

    // A press action replaces the binding.
    int presses = 0;
    button.setPressAction ([&presses]
                           { ++presses; });
    tree.setProperty (flag, true, nullptr);
    EXPECT_FALSE (button.isPressed());
    button.mouseDown (makeMouseEvent (button, {5.0f, 5.0f}));
    EXPECT_EQ (presses, 1);
    EXPECT_TRUE (button.isPressed());
    EXPECT_TRUE (static_cast<bool> (tree[flag]));

    // The click action may destroy the button.
    auto owned = std::make_unique<GadgetButton>();
    auto* raw = owned.get();
    raw->setClickAction ([&owned]
                         { owned.reset(); });
    raw->mouseDown (makeMouseEvent (*raw, {1.0f, 1.0f}));
    EXPECT_EQ (owned, nullptr);
}

TEST (GadgetButtonModes, BoundToggleShowsTheTreeAndKeepsNoCopy)
{
    juce::ValueTree tree ("T");
    GadgetButton button;
    button.setSize (50, 20);
    button.setFillColor (juce::Colour (0xff225588));
    auto& probe = testing_support::RepaintProbe::attachTo (button);

    // Absent, the property reads as the default.
    button.bindToggle (tree, flag, true);
    EXPECT_TRUE (button.isPressed());
    EXPECT_TRUE (coloursClose (paintAlone (button).getPixelAt (25, 6), GadgetButton::Colors::yellow));

    click (button);
    EXPECT_FALSE (static_cast<bool> (tree[flag]));
    EXPECT_FALSE (button.isPressed());

    // Another writer: the button repaints and shows it.
    const auto before = probe.requests;
    tree.setProperty (flag, true, nullptr);
    EXPECT_GT (probe.requests, before);
    EXPECT_TRUE (button.isPressed());

    // Nothing but the tree decides the look: not a mouse-up, not setPressed.
    button.mouseUp (makeMouseEvent (button, {5.0f, 5.0f}));
    button.setPressed (false);
    EXPECT_TRUE (button.isPressed());
    tree.removeProperty (flag, nullptr);
    EXPECT_TRUE (button.isPressed()) << "the default again";
    tree.setProperty (flag, false, nullptr);
    EXPECT_TRUE (coloursClose (paintAlone (button).getPixelAt (25, 6), juce::Colour (0xff225588)));

    // Through an undo manager a press is one undoable step.
    juce::UndoManager undo;
    button.bindToggle (tree, flag, false, &undo);
    undo.beginNewTransaction();
    click (button);
    EXPECT_TRUE (static_cast<bool> (tree[flag]));
    undo.undo();
    EXPECT_FALSE (button.isPressed());
}

TEST (GadgetButtonModes, PressButtonShowsPressedAndLatchingKeepsIt)
{
    GadgetButton button;
    int presses = 0;
    button.setPressAction ([&presses]
                           { ++presses; });

    button.mouseDown (makeMouseEvent (button, {1.0f, 1.0f}));
    EXPECT_TRUE (button.isPressed());
    EXPECT_EQ (presses, 1);
    button.mouseUp (makeMouseEvent (button, {1.0f, 1.0f}));
    EXPECT_FALSE (button.isPressed());

    button.setLatching (true);
    click (button);
    EXPECT_TRUE (button.isPressed());
    click (button);
    EXPECT_FALSE (button.isPressed()) << "the next press releases a latched button";

    button.setEnabled (false);
    button.mouseDown (makeMouseEvent (button, {1.0f, 1.0f}));
    EXPECT_EQ (presses, 3);
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

TEST (GadgetKnobMapping, ADragPointsItAPlainClickDoesNot)
{
    juce::ValueTree tree ("T");
    GadgetKnob knob;
    knob.setSize (80, 80);
    knob.setRange (0.0f, 100.0f);

    // Without a tree a drag does nothing.
    knob.mouseDrag (makeMouseEvent (knob, {40.0f, 0.0f}, {40.0f, 40.0f}));
    EXPECT_EQ (knob.getValue(), 0.0f);

    auto& probe = testing_support::RepaintProbe::attachTo (knob);
    knob.bind (tree, level, 25.0f);
    EXPECT_EQ (knob.getValue(), 25.0f) << "the default while the property is absent";

    // A click (down and up without moving) anywhere changes nothing.
    knob.mouseDown (makeMouseEvent (knob, {79.0f, 40.0f}));
    knob.mouseUp (makeMouseEvent (knob, {79.0f, 40.0f}));
    knob.mouseDrag (makeMouseEvent (knob, {79.0f, 40.0f}));
    EXPECT_FALSE (tree.hasProperty (level));

    // A drag that starts on the knob writes where it points.
    knob.mouseDrag (makeMouseEvent (knob, {40.0f, 0.0f}, {79.0f, 40.0f}));
    EXPECT_NEAR (static_cast<float> (tree[level]), 50.0f, 1e-3f);
    EXPECT_NEAR (knob.getValue(), 50.0f, 1e-3f);

    // A drag ending near the centre leaves the value alone.
    knob.mouseDrag (makeMouseEvent (knob, {45.0f, 45.0f}, {40.0f, 0.0f}));
    EXPECT_NEAR (static_cast<float> (tree[level]), 50.0f, 1e-3f);

    // The knob's value is the tree's: it repaints on another writer's change
    // and falls back to the default when the property goes.
    const auto before = probe.requests;
    tree.setProperty (level, 75.0f, nullptr);
    EXPECT_GT (probe.requests, before);
    EXPECT_EQ (knob.getValue(), 75.0f);
    tree.removeProperty (level, nullptr);
    EXPECT_EQ (knob.getValue(), 25.0f);
}
