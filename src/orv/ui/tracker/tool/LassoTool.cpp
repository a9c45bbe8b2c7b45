#include "orv/ui/tracker/tool/LassoTool.h"
#include "orv/ui/tracker/roll/RollGrid.h"
#include "orv/ui/tracker/roll/RollGridGroup.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

#include <algorithm>

namespace orv::tracker::tools
{
LassoTool::LassoTool (roll::RollGridGroup& groupToSelectIn)
    : group (groupToSelectIn)
{
}

juce::Component* LassoTool::pane() const
{
    if (auto* docPane = group.getDocPane())
        return docPane;

    return origin != nullptr ? origin->getParentComponent() : nullptr;
}

void LassoTool::beginLasso (roll::RollGrid& grid, const juce::MouseEvent& e)
{
    origin = &grid;
    anchorTicks = grid.viewXToTicks (e.position.x);
    const auto* p = pane();
    anchorPaneY = p != nullptr ? p->getLocalPoint (&grid, e.position).y : e.position.y;
    rect = {};
    autoScrollHint = 0;
    applyCursorToAllGrids();
}

void LassoTool::updateLasso (const juce::MouseEvent& e)
{
    if (origin == nullptr)
        return;

    auto& port = origin->getTimePort();
    const auto x = e.position.x;
    const auto previousHint = autoScrollHint;

    // Past the grid's side the time port scrolls a step per drag event.
    autoScrollHint = x < static_cast<float> (roll::RollGrid::keyboardWidth) ? -1 : (x > static_cast<float> (origin->getWidth()) ? 1 : 0);

    if (autoScrollHint != 0)
    {
        const auto step = port.viewWidthToTicks (std::max (1, static_cast<int> (static_cast<float> (port.getPortWidth()) * autoScrollShare)));
        port.setScrollDocX (port.viewXToTicks (0.0f) + static_cast<float> (autoScrollHint) * step, true);
    }

    auto* p = pane();
    const auto pointer = p != nullptr ? p->getLocalPoint (origin, e.position) : e.position;
    const auto originX = p != nullptr ? p->getLocalPoint (origin, juce::Point<float> (0.0f, 0.0f)).x : 0.0f;
    const juce::Point<float> anchor (originX + origin->ticksToViewX (static_cast<int64_t> (anchorTicks)), anchorPaneY);
    const auto oldRect = rect;
    rect = juce::Rectangle<float> (anchor, pointer);

    selectNotes (rect);

    if (oldRect != rect || previousHint != autoScrollHint)
        group.repaintAll();
}

void LassoTool::endLasso()
{
    origin = nullptr;
    rect = {};
    autoScrollHint = 0;
    applyCursorToAllGrids();
    group.repaintAll();
}

void LassoTool::selectNotes (juce::Rectangle<float> area)
{
    for (auto* grid : group.getGrids())
        selectNotesForTrackPane (*grid, area);
}

void LassoTool::selectNotesForTrackPane (roll::RollGrid& grid, juce::Rectangle<float> area)
{
    auto* p = pane();
    const auto local = p != nullptr && p != &grid ? grid.getLocalArea (p, area) : area;
    auto inside = grid.findNotesIn (local.getIntersection (grid.getLocalBounds().toFloat()));
    std::sort (inside.begin(), inside.end());

    // Only what changes is touched: a step costs the notes near the rectangle, not the whole track.
    for (auto* n : std::vector<roll::RollNote*> (grid.getSelectedRollNotes()))
        if (!std::binary_search (inside.begin(), inside.end(), n))
            grid.setNoteSelected (*n, false);

    for (auto* n : inside)
        grid.setNoteSelected (*n, true);
}

void LassoTool::paintHints (juce::Graphics& g, roll::RollGrid& grid) const
{
    if (origin == nullptr)
        return;

    auto* p = pane();
    const auto local = p != nullptr && p != &grid ? grid.getLocalArea (p, rect) : rect;

    if (local.intersects (grid.getLocalBounds().toFloat()))
    {
        g.setColour (juce::Colours::white.withAlpha (0.12f));
        g.fillRect (local);
        g.setColour (juce::Colours::white.withAlpha (0.8f));
        g.drawRect (local, 1.0f);
    }

    if (autoScrollHint != 0 && &grid == origin)
    {
        // A soft band on the side the port scrolls towards.
        constexpr float band = 12.0f;
        const auto x = autoScrollHint < 0 ? static_cast<float> (roll::RollGrid::keyboardWidth) : static_cast<float> (grid.getWidth()) - band;
        const juce::Colour c (0xfff9d023);
        g.setGradientFill (juce::ColourGradient (c.withAlpha (autoScrollHint < 0 ? 0.5f : 0.0f), x, 0.0f, c.withAlpha (autoScrollHint < 0 ? 0.0f : 0.5f), x + band, 0.0f, false));
        g.fillRect (x, 0.0f, band, static_cast<float> (grid.getHeight()));
    }
}

void LassoTool::applyCursorToAllGrids()
{
    for (auto* grid : group.getGrids())
    {
        if (origin != nullptr)
            grid->setMouseCursor (juce::MouseCursor::CrosshairCursor);
        else
            grid->getTool().refreshCursor();
    }
}
} // namespace orv::tracker::tools
