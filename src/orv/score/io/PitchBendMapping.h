#pragma once

#include <juce_core/juce_core.h>

/** Pitch-bend values, their command text in the score and their place in a
    lane. Two scales: the standard one, 0..127 with centre 64 (one 7-bit data
    byte), and the NotePerformer one, 0..1023 with centre 512 and 256 steps
    per semitone (two semitones each way). Results are clamped to the
    scale; rounding is to the nearest integer with halves to even. */
namespace orv::midi
{
/** The scale's largest value: 127, or 1023 for NotePerformer. */
int pitchBendMax (bool notePerformer) noexcept;

/** The scale's centre (no bend): 64, or 512 for NotePerformer. */
int pitchBendCentre (bool notePerformer) noexcept;

/** The value of a pitch-bend command text such as "~B0,64". Standard: the
    second data byte (after the comma that follows the "B"), 64 without a
    "B". NotePerformer: both data bytes as a 14-bit value mapped onto
    0..1023, 0 below 7167, 512 without a "B" or a comma. */
int decodePitchBendCommandText (const juce::String& text, bool notePerformer);

/** The value at a lane height y, for a lane of the given height and margin. */
int viewYToPitchBendVal (double y, double height, double margin, bool notePerformer);

/** The lane height y of a value. */
int pitchBendValToViewY (int value, double height, double margin, bool notePerformer);

/** The NotePerformer value of a bend in semitones. */
int semitonesToPitchBendNpVal (double semitones);

/** A NotePerformer value moved to the nearest 0.05 semitone. */
int snapPitchBendNpValToDragGrid (int value);

/** The label of a value: semitones with two decimals for NotePerformer
    ("+1.50", "-0.25", "0"), the offset from the centre otherwise ("+10", "0", "-12"). */
juce::String formatPitchBendTagLabel (int value, bool notePerformer);
} // namespace orv::midi
