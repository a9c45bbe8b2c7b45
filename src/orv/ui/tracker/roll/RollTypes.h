#pragma once

namespace orv::tracker::roll
{
/** What a drag on a note changes. */
enum class EditNoteSubMode
{
    Move = 0,
    ResizeStart = 1,
    ResizeEnd = 2
};

/** The active tool of the rolls: the pointer selects, moves and resizes,
    the phantom tool draws phantom notes. */
enum class RollGridToolMode
{
    pointer = 0,
    phantom = 1
};

/** What lies under a point of a grid (RollGrid::classifyHit). */
enum HitClass : int
{
    hitNone = 0,
    hitBody = 1,
    hitLeftEdge = 2,
    hitRightEdge = 3
};
} // namespace orv::tracker::roll
