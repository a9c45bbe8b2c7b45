#pragma once

#include "fry/ScoreClip.h"

#include <juce_graphics/juce_graphics.h>

namespace fry
{
/** What the drag area draws of a clip: each note as a bar from its start to
    its end, at the height of its pitch, over the clip's whole length. */
class ClipPreview final
{
public:
    struct NoteBar
    {
        juce::int64 startTick = 0;
        juce::int64 endTick = 0;
        int pitch = 0;
    };

    ClipPreview() = default;

    /** The notes of every track of the clip. */
    static ClipPreview fromClip (const ScoreClip& clip);

    bool isEmpty() const { return notes.empty(); }
    const std::vector<NoteBar>& getNotes() const { return notes; }
    int getLowestPitch() const { return lowestPitch; }
    int getHighestPitch() const { return highestPitch; }
    /** Where the clip's bars start. */
    const std::vector<juce::int64>& getBarStartTicks() const { return barStartTicks; }
    /** The time the preview spans: the clip's length, or the last note's end when later. */
    juce::int64 getLengthTicks() const { return lengthTicks; }

    /** Rows the preview's height is divided into: one per pitch from the
        lowest to the highest note, and at least an octave's worth, so a
        few close notes do not fill the whole height. */
    int getRowCount() const;
    /** The pitch of the top row: the highest note, raised by half the rows
        added to reach an octave, so the notes sit in the middle. */
    int getTopRowPitch() const;

    /** Where a note's bar goes in an area: time runs left to right over the
        whole length, pitches downwards from the top row, one row each; bars
        are at least one pixel wide. */
    juce::Rectangle<float> getBarBounds (const NoteBar& note, juce::Rectangle<float> area) const;

    /** The horizontal position of a time in an area. */
    float getX (juce::int64 tick, juce::Rectangle<float> area) const;

    /** Draws faint bar lines where bars are at least a few pixels wide, then
        every note's bar in the colour. */
    void paint (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour) const;

    static constexpr int minimumRows = 13;
    /** Bar lines are drawn only when bars are at least this wide, in pixels. */
    static constexpr float minimumBarWidth = 4.0f;

private:
    std::vector<NoteBar> notes;
    std::vector<juce::int64> barStartTicks;
    int lowestPitch = 0;
    int highestPitch = 0;
    juce::int64 lengthTicks = 0;
};
} // namespace fry
