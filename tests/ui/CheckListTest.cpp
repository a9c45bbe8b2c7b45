#include "ui/CheckList.h"
#include "gadget/TestMouse.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <optional>

using testing_support::makeMouseEvent;

namespace
{
const juce::Identifier selected{"selected"};
const juce::Identifier name{"name"};

juce::ValueTree item (const juce::String& label, std::optional<bool> isSelected = {})
{
    juce::ValueTree t ("PART_ITEM", {{name, label}});

    if (isSelected.has_value())
        t.setProperty (selected, *isSelected, nullptr);

    return t;
}

struct CheckListFixture : public ::testing::Test
{
    /** Parts count as selected while "selected" is absent. */
    ui::CheckListSource source() { return {parts, "PART_ITEM", selected, true, name, &undo}; }

    ui::CheckListRow& rowOf (ui::CheckList& list, int index) { return dynamic_cast<ui::CheckListRow&> (list.getRow (index)); }

    juce::ValueTree parts{"PART_LIST"};
    juce::UndoManager undo;
};
} // namespace

TEST_F (CheckListFixture, OneRowPerItemBoundToItsOwnProperty)
{
    parts.appendChild (item ("Flute"), nullptr);
    parts.appendChild (juce::ValueTree ("OTHER"), nullptr);
    parts.appendChild (item ("Oboe", false), nullptr);

    ui::CheckList list (source());
    list.setSize (200, 100);
    ASSERT_EQ (list.getNumRows(), 2);
    EXPECT_TRUE (rowOf (list, 0).getCheckBox().getState()) << "absent means selected";
    EXPECT_FALSE (rowOf (list, 1).getCheckBox().getState());
    EXPECT_EQ (list.getRow (1).getBounds(), juce::Rectangle<int> (0, 22, 200, 22));

    // A click in a row writes that item only; the rows follow the items.
    auto& oboeBox = rowOf (list, 1).getCheckBox();
    oboeBox.mouseUp (makeMouseEvent (oboeBox, {4.0f, 4.0f}));
    EXPECT_TRUE (static_cast<bool> (parts.getChild (2)[selected]));
    EXPECT_FALSE (parts.getChild (0).hasProperty (selected));
    parts.getChild (0).setProperty (selected, false, nullptr);
    EXPECT_FALSE (rowOf (list, 0).getCheckBox().getState());

    // Renaming an item relabels its row.
    parts.getChild (2).setProperty (name, "Oboe d'amore", nullptr);
    EXPECT_EQ (rowOf (list, 1).getCheckBox().getLabel(), "Oboe d'amore");
}

TEST_F (CheckListFixture, ABurstOfNewItemsIsLaidOutOnce)
{
    ui::CheckList list (source());
    list.setSize (200, 100);
    std::vector<int> heights;
    list.onContentHeightChanged = [&heights] (int h)
    { heights.push_back (h); };

    for (int i = 0; i < 20; ++i)
        parts.appendChild (item ("Part " + juce::String (i)), nullptr);

    parts.moveChild (19, 0, nullptr);
    EXPECT_TRUE (heights.empty()) << "no layout while the burst is made";
    ASSERT_TRUE (testsupport::pumpUntil ([&heights]
                                         { return !heights.empty(); }));
    testsupport::pumpFor (30);
    EXPECT_EQ (heights, std::vector<int>{20 * ui::CheckList::defaultRowHeight});
    EXPECT_EQ (rowOf (list, 0).getTree()[name].toString(), "Part 19");
    EXPECT_EQ (list.getRow (0).getY(), 0);
    EXPECT_EQ (list.getRow (19).getY(), 19 * ui::CheckList::defaultRowHeight);

    parts.removeAllChildren (nullptr);
    EXPECT_EQ (list.getNumRows(), 0);
    EXPECT_EQ (list.getNumChildComponents(), 0);
}

TEST_F (CheckListFixture, ToggleAllIsDerivedFromTheItemsAndSetsThemAll)
{
    ui::ToggleAllBox all (source());
    all.setSize (120, 22);
    EXPECT_FALSE (all.getCheckBox().getState()) << "no items, nothing to tick";

    parts.appendChild (item ("Flute"), nullptr);
    parts.appendChild (item ("Oboe", true), nullptr);
    parts.appendChild (item ("Horn"), nullptr);
    ASSERT_TRUE (testsupport::pumpUntil ([&all]
                                         { return all.getCheckBox().getState(); }));

    // One item unticked by its own box: the box follows after the burst.
    parts.getChild (1).setProperty (selected, false, nullptr);
    ASSERT_TRUE (testsupport::pumpUntil ([&all]
                                         { return !all.getCheckBox().getState(); }));

    // Clicking sets every item to the box's new state, and shows it at once.
    undo.beginNewTransaction();
    all.getCheckBox().simulateClick();
    EXPECT_TRUE (all.getCheckBox().getState());

    for (const auto& part : parts)
        EXPECT_TRUE (static_cast<bool> (part[selected]));

    all.getCheckBox().simulateClick();
    EXPECT_FALSE (all.getCheckBox().getState());

    for (const auto& part : parts)
        EXPECT_FALSE (static_cast<bool> (part[selected]));

    // The fan-out is one undo step.
    undo.undo();
    EXPECT_TRUE (static_cast<bool> (parts.getChild (0)[selected]));
    EXPECT_TRUE (static_cast<bool> (parts.getChild (2)[selected]));
    ASSERT_TRUE (testsupport::pumpUntil ([&all]
                                         { return all.getCheckBox().getState(); }));

    // A new unticked item unticks the box; removing it ticks it again.
    parts.appendChild (item ("Tuba", false), nullptr);
    ASSERT_TRUE (testsupport::pumpUntil ([&all]
                                         { return !all.getCheckBox().getState(); }));
    parts.removeChild (3, nullptr);
    ASSERT_TRUE (testsupport::pumpUntil ([&all]
                                         { return all.getCheckBox().getState(); }));
}

TEST_F (CheckListFixture, ToggleAllMayBeClosedByAnItemsListener)
{
    for (const auto* part : {"Flute", "Oboe", "Horn"})
        parts.appendChild (item (part, false), nullptr);

    // The window of the box closes as soon as the first item changes; the other items are still set.
    auto all = std::make_unique<ui::ToggleAllBox> (source());
    struct Closer final : public juce::ValueTree::Listener
    {
        std::unique_ptr<ui::ToggleAllBox>& box;
        explicit Closer (std::unique_ptr<ui::ToggleAllBox>& b)
            : box (b)
        {
        }
        void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { box.reset(); }
    } closer (all);
    parts.addListener (&closer);

    all->getCheckBox().simulateClick();
    EXPECT_EQ (all, nullptr);

    for (const auto& part : parts)
        EXPECT_TRUE (static_cast<bool> (part[selected]));

    parts.removeListener (&closer);
}
