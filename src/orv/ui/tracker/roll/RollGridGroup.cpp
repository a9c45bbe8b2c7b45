#include "orv/ui/tracker/roll/RollGridGroup.h"
#include "orv/ui/tracker/roll/RollGrid.h"

#include <algorithm>

namespace orv::tracker::roll
{
void RollGridGroup::add (RollGrid& grid)
{
    if (std::find (grids.begin(), grids.end(), &grid) == grids.end())
        grids.push_back (&grid);
}

void RollGridGroup::remove (RollGrid& grid)
{
    grids.erase (std::remove (grids.begin(), grids.end(), &grid), grids.end());
}

void RollGridGroup::unselectAll()
{
    for (auto* grid : grids)
        grid->unselectAllRollNotes();
}

void RollGridGroup::cancelGestures()
{
    for (auto* grid : grids)
        grid->getTool().cancelGesture();
}

void RollGridGroup::repaintAll()
{
    for (auto* grid : grids)
        grid->repaint();
}

void RollGridGroup::setMode (RollGridToolMode newMode)
{
    mode = newMode;

    for (auto* grid : grids)
        grid->getTool().setMode (newMode);
}
} // namespace orv::tracker::roll
