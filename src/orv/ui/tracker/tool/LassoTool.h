#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace orv::tracker::roll
{
class RollGrid;
class RollGridGroup;
} // namespace orv::tracker::roll

namespace orv::tracker::tools
{
/** Rubber-band selection over the rolls of every track. The rectangle runs
    from the press to the pointer in the pane that holds the grids; its start
    is kept in ticks, so that it stays on the same music while a drag past
    the grid's side scrolls the time port. */
class LassoTool final
{
public:
    /** Ticks scrolled for each drag event past the grid's side, as a share of the port's width. */
    static constexpr float autoScrollShare = 0.05f;

    explicit LassoTool (roll::RollGridGroup& group);

    void beginLasso (roll::RollGrid& origin, const juce::MouseEvent& e);
    /** Follows the pointer: the rectangle, the selection and the hints. */
    void updateLasso (const juce::MouseEvent& e);
    void endLasso();
    bool isActive() const { return origin != nullptr; }

    /** Selects the notes of every grid under the rectangle (pane coordinates), unselects the rest. */
    void selectNotes (juce::Rectangle<float> rect);
    /** The same for one grid. */
    void selectNotesForTrackPane (roll::RollGrid& grid, juce::Rectangle<float> rect);
    /** Draws the part of the rectangle over the grid, and the auto-scroll hint. */
    void paintHints (juce::Graphics& g, roll::RollGrid& grid) const;
    /** The lasso's cursor on every grid while it runs, each tool's own after. */
    void applyCursorToAllGrids();

    /** The rectangle in pane coordinates. */
    juce::Rectangle<float> getRect() const { return rect; }
    /** -1 while the pointer is left of the grid, 1 right of it, 0 inside. */
    int getAutoScrollHint() const { return autoScrollHint; }

private:
    juce::Component* pane() const;

    roll::RollGridGroup& group;
    roll::RollGrid* origin = nullptr;
    float anchorTicks = 0.0f, anchorPaneY = 0.0f;
    juce::Rectangle<float> rect;
    int autoScrollHint = 0;
};
} // namespace orv::tracker::tools
