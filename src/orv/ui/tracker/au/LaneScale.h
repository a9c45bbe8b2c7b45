#pragma once

#include <juce_core/juce_core.h>

#include <optional>

namespace orv::tracker::au
{
/** The vertical scale of an automation lane: values to y and back, the
    line its area is filled down to, and the node panel's reading of typed
    text. Controllers run 0..127; pitch bend runs over its scale (0..127, or
    0..1023 for NotePerformer). */
struct LaneScale
{
    static constexpr float margin = 6.0f;

    float height = 0.0f;
    int controller = 0;
    bool notePerformer = false;

    bool isPitchBend() const;
    /** A lane shorter than both margins and one pixel has no room to draw or edit in. */
    bool isUsable() const { return height >= 2.0f * margin + 1.0f; }
    int getMaxValue() const;
    /** The value of "no change": the centre of pitch bend and of pan and balance. */
    int getCentreValue() const;
    /** Pan, balance and pitch bend fill towards their centre, the rest to the bottom. */
    bool isBipolar() const;

    float valueToY (int value) const;
    /** The value under the pointer, clamped into the lane's range. On the
        NotePerformer scale the value lands on the drag grid (0.05 semitone);
        the standard scale keeps every step. */
    int yToValue (float y) const;
    /** Where the filled area ends: the centre value's line, or the bottom. */
    float getBaselineY() const;

    /** The tag text of a value: the number, or the bend as the tag shows it. */
    juce::String formatValue (int value) const;
    /** The value one arrow step away: 0.05 semitone on the NotePerformer
        scale, one step otherwise, within the range. */
    int step (int value, int direction) const;
    /** The node value typed text stands for, or nothing when the text is
        not (yet) a number. Controllers: a whole number, clamped to
        [0, max]. Pitch bend, NotePerformer: semitones clamped to [-2, 2].
        Pitch bend, standard scale: the signed offset from the centre the
        tag shows, the result clamped to 0..127. */
    std::optional<int> parseValueText (const juce::String& text) const;
};
} // namespace orv::tracker::au
