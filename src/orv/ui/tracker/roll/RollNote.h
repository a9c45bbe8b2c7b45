#pragma once

#include "orv/model/Note.h"

#include <juce_graphics/juce_graphics.h>

namespace orv
{
class Score;
}

namespace orv::tracker::roll
{
class RollGrid;

/** One note as a roll draws it: a plain object the grid owns and paints,
    never a component. While a gesture runs, its preview (bar, ticks,
    duration) stands in for the note's own timing: for a written note the
    played start (ticks in the bar, sound units) and played duration, for a
    phantom note its position and duration. */
class RollNote final
{
public:
    struct Preview
    {
        int bar = 0, ticks = 0, dur = 0;
    };

    RollNote (Note noteToShow, const Score& score);

    Note& getNote() { return note; }
    const Note& getNote() const { return note; }
    int getPitch() const { return pitch; }

    /** Global timeline ticks of the drawn (played) start and its length, as loaded. */
    int64_t getStartTicks() const { return start; }
    int64_t getLengthTicks() const { return length; }
    /** Global timeline ticks of the written start and length (written notes only). */
    int64_t getWrittenStartTicks() const { return writtenStart; }
    int64_t getWrittenLengthTicks() const { return writtenLength; }
    /** The furthest left the note reaches (played or written), for the grid's index. */
    int64_t getSpanStart() const { return std::min (start, writtenStart); }
    int64_t getSpanEnd() const { return std::max (start + length, writtenStart + writtenLength); }

    /** Re-reads the timing from the note (after an erase reset it). */
    void refresh (const Score& score);

    bool isPreviewing() const { return previewing; }
    const Preview& getPreview() const { return preview; }
    void setPreview (Preview newPreview);
    void clearPreview() { previewing = false; }

    /** The played timing as the grid draws it: the preview while there is one. */
    juce::Rectangle<float> getViewBounds (const RollGrid& grid) const;
    /** The played timing as loaded, ignoring the preview. */
    juce::Rectangle<float> getOriginalViewBounds (const RollGrid& grid) const;
    /** The written timing (a written note's head), for the written-time bar. */
    juce::Rectangle<float> getWrittenViewBounds (const RollGrid& grid) const;

    // The note's flags, kept here so that painting and hit tests read no tree
    // properties; the grid keeps them in step with the note.
    bool isPhantom() const { return phantom; }
    bool isSelected() const { return selected; }
    void setSelectedFlag (bool isSelected) { selected = isSelected; }
    bool isDeleteRequested() const { return deleteRequested; }
    /** Marks the note, and the note's tree, for deletion. */
    void markDeleteRequested();
    /** A written note that plays other than written. */
    bool soundDiffers() const { return differs; }

    /** Drawn by the phantom tool in this gesture: the host does not know it yet. */
    bool isDrawn() const { return drawn; }
    void setDrawn (bool isNew) { drawn = isNew; }

private:
    juce::Rectangle<float> boundsFor (const RollGrid& grid, int64_t startTicks, int64_t lengthTicks) const;
    /** The preview in global timeline ticks. */
    std::pair<int64_t, int64_t> previewTicks (const RollGrid& grid) const;

    Note note;
    int pitch = 0;
    int64_t start = 0, length = 0, writtenStart = 0, writtenLength = 0;
    Preview preview;
    bool previewing = false;
    bool drawn = false;
    bool phantom = false, selected = false, deleteRequested = false, differs = false;
};
} // namespace orv::tracker::roll
