#include "orv/ui/tracker/roll/RollNote.h"
#include "orv/model/Score.h"
#include "orv/ui/tracker/roll/RollGrid.h"

namespace orv::tracker::roll
{
RollNote::RollNote (Note noteToShow, const Score& score)
    : note (std::move (noteToShow))
    , selected (note.isSelected())
    , deleteRequested (note.isDeleteRequested())
{
    refresh (score);
}

void RollNote::markDeleteRequested()
{
    deleteRequested = true;
    note.setDeleteRequested (true);
}

void RollNote::refresh (const Score& score)
{
    pitch = note.getPitch();
    phantom = note.isPhantom();
    differs = note.isWritten() && note.soundDiffersFromWritten();
    const auto barStart = score.poserToTicks (note.getBar(), 0);

    if (note.isWritten())
    {
        // Played timing lives in sound ticks; tuplets scale it onto the timeline.
        writtenStart = barStart + note.getPos();
        writtenLength = note.getVisualHeadDurTicks();
        start = writtenStart + note.getVisualTicksForSound (note.getUseSoundDelta() ? note.getSoundDelta() : 0);
        length = note.getVisualSoundDurTicks();
    }
    else
    {
        start = writtenStart = barStart + note.getPos();
        length = writtenLength = note.getDur();
    }

    length = std::max<int64_t> (length, 1);
    writtenLength = std::max<int64_t> (writtenLength, 1);
}

void RollNote::setPreview (Preview newPreview)
{
    preview = newPreview;
    previewing = true;
}

std::pair<int64_t, int64_t> RollNote::previewTicks (const RollGrid& grid) const
{
    const auto& score = grid.getScore();

    if (note.isWritten())
    {
        const auto delta = preview.ticks - note.getPos();
        return {writtenStart + note.getVisualTicksForSound (delta), note.getVisualTicksForSound (preview.dur)};
    }

    return {score.poserToTicks (preview.bar, preview.ticks), preview.dur};
}

juce::Rectangle<float> RollNote::boundsFor (const RollGrid& grid, int64_t startTicks, int64_t lengthTicks) const
{
    const auto x = grid.ticksToViewX (startTicks);
    const auto right = grid.ticksToViewX (startTicks + std::max<int64_t> (lengthTicks, 1));
    // At least one pixel wide, so that every note can be seen and hit.
    return {x, grid.getKeyViewY (pitch), std::max (1.0f, right - x), grid.getKeyViewHeight()};
}

juce::Rectangle<float> RollNote::getViewBounds (const RollGrid& grid) const
{
    if (!previewing)
        return getOriginalViewBounds (grid);

    const auto [s, l] = previewTicks (grid);
    return boundsFor (grid, s, l);
}

juce::Rectangle<float> RollNote::getOriginalViewBounds (const RollGrid& grid) const
{
    return boundsFor (grid, start, length);
}

juce::Rectangle<float> RollNote::getWrittenViewBounds (const RollGrid& grid) const
{
    return boundsFor (grid, writtenStart, writtenLength);
}
} // namespace orv::tracker::roll
