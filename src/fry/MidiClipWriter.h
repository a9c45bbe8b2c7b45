#pragma once

#include "fry/ScoreClip.h"

namespace fry
{
/** Encodes a clip as a standard MIDI file (type 1, 960 ticks per quarter
    note): a conductor track with the tempo (120 beats per minute) and the
    meter changes, then one track per staff on channel 1. False when the
    clip cannot be encoded. */
bool encodeScoreClip (const ScoreClip& clip, juce::MemoryBlock& midiFileData);

/** Turns a score payload into a standard MIDI file that replaces the file on
    disk only once it is complete. Fails with the text the user sees. */
juce::Result writeMidiFileFromScoreData (const juce::File& file, const juce::var& payload);
} // namespace fry
