#pragma once

#include "gui/PropertyBinding.h"
#include "state/ChangeBatcher.h"
#include "state/ObjectList.h"
#include "ui/CheckBox.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace ui
{
/** Where a check list finds its items: the children of a parent tree of one
    type, each with a boolean "selected"-like property (selectedByDefault
    while it is absent) and a text property to show. */
struct CheckListSource
{
    juce::ValueTree parent;
    juce::Identifier childType;
    juce::Identifier selectedProperty;
    bool selectedByDefault = false;
    juce::Identifier labelProperty;
    juce::UndoManager* undoManager = nullptr;
};

/** One line of a check list: a check box bound to the child's selected
    property, labelled with the child's label property (followed as it changes). */
class CheckListRow final : public juce::Component
{
public:
    CheckListRow (const CheckListSource& source, juce::ValueTree child);
    ~CheckListRow() override;

    CheckBox& getCheckBox() { return box; }
    const juce::ValueTree& getTree() const { return tree; }

    void resized() override;

private:
    juce::ValueTree tree;
    CheckBox box;
    gui::PropertyBinding label;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckListRow)
};

/** A column of rows, one per child of the source's parent (of its type), in
    the children's order; rows come and go with the children, and a burst
    of changes lays the column out once. Rows are CheckListRows unless a
    factory makes richer ones (a product's row with a status and buttons). */
class CheckList final : public juce::Component
{
public:
    using RowFactory = std::function<std::unique_ptr<juce::Component> (const juce::ValueTree& child)>;
    static constexpr int defaultRowHeight = 22;

    explicit CheckList (CheckListSource source, RowFactory factory = {});
    ~CheckList() override;

    /** Runs with the new content height after the rows were laid out (in a viewport, size the list to it). */
    std::function<void (int)> onContentHeightChanged;

    void setRowHeight (int height);
    /** Puts the list in the viewport, which scrolls it vertically: the list
        takes the view's width and its rows' height (this sets onContentHeightChanged). */
    void showInViewport (juce::Viewport& view);
    int getNumRows() const { return rows.size(); }
    juce::Component& getRow (int index) const { return rows[index]; }
    int getContentHeight() const { return rows.size() * rowHeight; }

    void resized() override;

private:
    void layOutRows();

    CheckListSource source;
    int rowHeight = defaultRowHeight;
    state::ObjectList<juce::Component> rows;
    state::ChangeBatcher relayout;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckList)
};

/** The box over a check list that ticks every item at once. Its state is
    derived, never stored: ticked while the parent has items and every item
    is selected, re-derived after each burst of changes to the items. A click
    sets every item's selected property to the box's new state (one undo
    step when the source has an undo manager). */
class ToggleAllBox final : public juce::Component
{
public:
    explicit ToggleAllBox (CheckListSource source, const juce::String& label = "TOGGLE ALL");
    ~ToggleAllBox() override;

    /** Whether every item is selected (and there is one), from the tree as it is now. */
    bool allSelected() const;

    CheckBox& getCheckBox() { return box; }

    void resized() override;

private:
    void derive();
    void setAll (bool selected);

    CheckListSource source;
    CheckBox box;
    state::ChangeBatcher rederive;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ToggleAllBox)
};
} // namespace ui
