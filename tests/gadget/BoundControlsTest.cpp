// Every control that binds to a tree property does it the same way: it shows
// the property (its default while the property is absent), a user's change
// writes the property, and another writer's change repaints the control.

#include "gadget/RepaintProbe.h"
#include "gadget/TestMouse.h"
#include "gui/Combo.h"
#include "gui/NumberEditor.h"
#include "gui/Tab.h"
#include "gui/Zoomer.h"
#include "ui/CheckBox.h"
#include "ui/Combo.h"
#include "ui/ScrollBar.h"

#include <gtest/gtest.h>

using testing_support::RepaintProbe;

namespace
{
const juce::Identifier prop{"prop"};

/** Sets the property as another writer would and reports whether the control asked to be repainted. */
bool repaintsOnChange (RepaintProbe& probe, juce::ValueTree& tree, const juce::var& value)
{
    const auto before = probe.requests;
    tree.setProperty (prop, value, nullptr);
    return probe.requests > before;
}
} // namespace

TEST (BoundControls, CheckBoxFlipsThePropertyAndFollowsIt)
{
    juce::ValueTree tree ("T");
    ui::CheckBox box ("Loop");
    box.setSize (80, 20);
    auto& probe = RepaintProbe::attachTo (box);
    int ownerAsked = 0;
    box.onClick = [&ownerAsked] (bool)
    { ++ownerAsked; };

    box.bind (tree, prop, true);
    EXPECT_TRUE (box.getState());

    box.mouseUp (testing_support::makeMouseEvent (box, {5.0f, 5.0f}));
    EXPECT_FALSE (static_cast<bool> (tree[prop]));
    EXPECT_FALSE (box.getState());
    EXPECT_EQ (ownerAsked, 0) << "a bound box asks no owner";

    EXPECT_TRUE (repaintsOnChange (probe, tree, true));
    EXPECT_TRUE (box.getState());

    // setState is a write like any other.
    box.setState (false);
    EXPECT_FALSE (static_cast<bool> (tree[prop]));
}

TEST (BoundControls, CombosShowTheIdThePropertyHolds)
{
    juce::ValueTree tree ("T");

    ui::Combo newer;
    newer.setSize (100, 20);
    newer.addItem (0, "Off");
    newer.addItem (7, "Seven");
    newer.setOffValueId (0);
    auto& probe = RepaintProbe::attachTo (newer);
    int ownerAsked = 0;
    newer.onRequestSelectedId = [&ownerAsked] (int)
    { ++ownerAsked; };
    newer.bind (tree, prop, 0);
    EXPECT_TRUE (newer.isOff());

    newer.requestSetSelectedId (7);
    EXPECT_EQ (static_cast<int> (tree[prop]), 7);
    EXPECT_EQ (newer.getSelectedLabel(), "Seven");
    EXPECT_EQ (ownerAsked, 0);
    EXPECT_TRUE (repaintsOnChange (probe, tree, 0));
    EXPECT_EQ (newer.getSelectedLabel(), "Off");

    gui::Combo older;
    older.setSize (100, 20);
    older.addOption (4, "Four");
    older.addOption (5, "Five");
    auto& olderProbe = RepaintProbe::attachTo (older);
    int picked = 0;
    older.onChange = [&picked] (int id)
    { picked = id; };
    older.bind (tree, prop, 4);

    older.showMenu();
    older.getMenu()->pick (1);
    EXPECT_EQ (static_cast<int> (tree[prop]), 5);
    EXPECT_EQ (picked, 5);
    EXPECT_TRUE (repaintsOnChange (olderProbe, tree, 4));
    ASSERT_NE (older.getSelectedOption(), nullptr);
    EXPECT_EQ (older.getSelectedOption()->label, "Four");

    // An unknown id is not written; clearing the options leaves the tree alone.
    older.setSelectedId (99);
    EXPECT_EQ (static_cast<int> (tree[prop]), 4);
    older.clearOptions();
    EXPECT_EQ (static_cast<int> (tree[prop]), 4);
    EXPECT_EQ (older.getSelectedOption(), nullptr);
}

TEST (BoundControls, NumberEditorAndTabWriteThePropertyAndFollowIt)
{
    juce::ValueTree tree ("T");

    gui::NumberEditor editor;
    editor.setSize (60, 20);
    editor.configureIntegerMode (1, 16);
    std::vector<int> userChanges;
    editor.onValueChange = [&userChanges] (int v)
    { userChanges.push_back (v); };
    editor.bind (tree, prop, 4);
    EXPECT_EQ (editor.getText(), "4");

    editor.keyPressed (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (static_cast<int> (tree[prop]), 5);
    EXPECT_EQ (editor.getText(), "5");

    // Another writer: shown (clamped into the range) without a user callback,
    // and the tree keeps what was written.
    tree.setProperty (prop, 40, nullptr);
    EXPECT_EQ (editor.getText(), "16");
    EXPECT_EQ (editor.getValue(), 16);
    EXPECT_EQ (static_cast<int> (tree[prop]), 40);
    EXPECT_EQ (userChanges, std::vector<int>{5});

    struct CountingTab final : public gui::Tab
    {
        void stateChanged (State) override { ++changes; }
        int changes = 0;
    } tab;
    tab.setSize (60, 20);
    auto& probe = RepaintProbe::attachTo (tab);
    tab.bind (tree, "tab");
    tab.mouseDown (testing_support::makeMouseEvent (tab, {2.0f, 2.0f}));
    EXPECT_TRUE (static_cast<bool> (tree["tab"]));
    EXPECT_EQ (tab.getState(), gui::Tab::on);
    EXPECT_EQ (tab.changes, 1);

    const auto before = probe.requests;
    tree.setProperty ("tab", false, nullptr);
    EXPECT_GT (probe.requests, before);
    EXPECT_EQ (tab.getState(), gui::Tab::off);
    EXPECT_EQ (tab.changes, 1) << "only the user's toggle calls stateChanged";
}

TEST (BoundControls, WheelAndScrollBarKeepTheirPositionInTheProperty)
{
    juce::ValueTree tree ("T");

    gui::Zoomer zoomer;
    zoomer.setSize (110, 20);
    auto& probe = RepaintProbe::attachTo (zoomer);
    zoomer.bind (tree, prop, 20.0f);
    EXPECT_EQ (zoomer.getValue(), 20.0f);
    EXPECT_TRUE (repaintsOnChange (probe, tree, 70.0f));
    EXPECT_EQ (zoomer.getValue(), 70.0f);

    // A value out of range is shown clamped; the tree keeps its value.
    tree.setProperty (prop, 500.0f, nullptr);
    EXPECT_EQ (zoomer.getValue(), 100.0f);
    EXPECT_EQ (static_cast<float> (tree[prop]), 500.0f);

    juce::ValueTree other ("T");
    ui::ScrollBar bar;
    bar.setSize (16, 200);
    bar.setContentSize (1000.0f);
    bar.setViewPortSize (100.0f);
    bar.bind (other, prop);
    bar.setScrollPos (300.0f);
    EXPECT_EQ (static_cast<float> (other[prop]), 300.0f);

    // The position must stay in range: the bar writes the clamped position back.
    other.setProperty (prop, 5000.0f, nullptr);
    EXPECT_EQ (bar.getScrollPos(), 900.0f);
    EXPECT_EQ (static_cast<float> (other[prop]), 900.0f);
}
