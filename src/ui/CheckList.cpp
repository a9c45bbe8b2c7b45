#include "ui/CheckList.h"

namespace ui
{
CheckListRow::CheckListRow (const CheckListSource& source, juce::ValueTree child)
    : tree (std::move (child))
{
    box.bind (tree, source.selectedProperty, source.selectedByDefault, source.undoManager);
    addAndMakeVisible (box);

    label.onChange = [this]
    { box.setLabel (label.getText()); };
    label.bind (tree, source.labelProperty);
}

CheckListRow::~CheckListRow() = default;

void CheckListRow::resized()
{
    box.setBounds (getLocalBounds());
}

//==============================================================================
CheckList::CheckList (CheckListSource sourceToUse, RowFactory factory)
    : source (std::move (sourceToUse))
    , rows (source.parent, source.childType, [this, make = std::move (factory)] (const juce::ValueTree& child) -> std::unique_ptr<juce::Component>
            {
                if (make)
                    return make (child);

                return std::make_unique<CheckListRow> (source, child); })
    , relayout ([this]
                { layOutRows(); })
{
    for (auto* row : rows.getObjects())
        addAndMakeVisible (*row);

    rows.onAdded = [this] (juce::Component& row)
    {
        addAndMakeVisible (row);
        relayout.mark();
    };
    rows.onRemoving = [this] (juce::Component& row)
    {
        removeChildComponent (&row);
        relayout.mark();
    };
    rows.onReordered = [this]
    { relayout.mark(); };

    layOutRows();
}

CheckList::~CheckList() = default;

void CheckList::showInViewport (juce::Viewport& view)
{
    onContentHeightChanged = [this, &view] (int height)
    { setSize (view.getMaximumVisibleWidth(), height); };
    view.setViewedComponent (this, false);
    view.setScrollBarsShown (true, false);
    view.setScrollBarThickness (8);
}

void CheckList::setRowHeight (int height)
{
    rowHeight = juce::jmax (1, height);
    layOutRows();
}

void CheckList::resized()
{
    layOutRows();
}

void CheckList::layOutRows()
{
    auto y = 0;

    for (auto* row : rows.getObjects())
    {
        row->setBounds (0, y, getWidth(), rowHeight);
        y += rowHeight;
    }

    if (onContentHeightChanged)
        onContentHeightChanged (getContentHeight());
}

//==============================================================================
ToggleAllBox::ToggleAllBox (CheckListSource sourceToUse, const juce::String& label)
    : source (std::move (sourceToUse))
    , box (label)
    , rederive ([this]
                { derive(); })
{
    box.onClick = [this] (bool requested)
    { setAll (requested); };
    addAndMakeVisible (box);

    rederive.watch (source.parent, {source.selectedProperty});
    derive();
}

ToggleAllBox::~ToggleAllBox() = default;

bool ToggleAllBox::allSelected() const
{
    auto items = 0;

    for (const auto& child : source.parent)
    {
        if (!child.hasType (source.childType))
            continue;

        if (!static_cast<bool> (child.getProperty (source.selectedProperty, source.selectedByDefault)))
            return false;

        ++items;
    }

    return items > 0;
}

void ToggleAllBox::derive()
{
    box.setState (allSelected());
}

void ToggleAllBox::setAll (bool selected)
{
    // Copies: a listener of the items may destroy this box on the way.
    const auto items = source;
    juce::Component::SafePointer<ToggleAllBox> self (this);

    if (items.undoManager != nullptr)
        items.undoManager->beginNewTransaction();

    for (auto child : items.parent)
        if (child.hasType (items.childType))
            child.setProperty (items.selectedProperty, selected, items.undoManager);

    // The box shows the result at once, not after the burst.
    if (self != nullptr)
        rederive.flush();
}

void ToggleAllBox::resized()
{
    box.setBounds (getLocalBounds());
}
} // namespace ui
