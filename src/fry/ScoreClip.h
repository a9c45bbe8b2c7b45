#pragma once

#include "fry/ScorePayloadBarTable.h"

#include <cstdint>
#include <vector>

namespace fry
{
/** One channel event of a clip track, at a whole MIDI tick. */
struct ClipEvent
{
    /** The order of events that share a tick: a note that ends where the
        next one of the same pitch starts is released first, and controllers
        take effect before the notes that start with them. */
    enum class Kind : std::uint8_t
    {
        noteOff = 0,
        controller = 1,
        pitchBend = 2,
        noteOn = 3
    };

    juce::int64 tick = 0;
    Kind kind = Kind::noteOn;
    /** The pitch or controller number. */
    std::uint8_t number = 0;
    /** Velocity, controller value (0..127) or pitch-bend value (0..16383). */
    std::uint16_t value = 0;
};

/** A staff of the payload: its track name and its events in time order. */
struct ClipTrack
{
    juce::String name;
    std::vector<ClipEvent> events;
};

/** A meter change of the conductor track. */
struct ClipTimeSignature
{
    juce::int64 tick = 0;
    int numerator = 4;
    int denominator = 4;
};

/** Everything a clip file holds, read from a score payload. */
struct ScoreClip
{
    std::vector<ClipTimeSignature> timeSignatures;
    std::vector<ClipTrack> tracks;
    /** Where each bar starts, in payload order. */
    std::vector<juce::int64> barStartTicks;
    /** Where the last bar of the payload ends, in MIDI ticks. */
    juce::int64 lengthTicks = 0;
};

/** MIDI ticks per quarter note in the clip file. */
inline constexpr int clipTicksPerQuarterNote = 960;

/** The latest tick a clip event may have: the largest time a standard MIDI
    file's variable-length numbers can carry. */
inline constexpr juce::int64 maxClipTick = 0x0fffffff;

/** A time in MIDI ticks rounded to a whole tick and kept within 0..maxClipTick. */
juce::int64 toClipTick (double midiTicks);

/** Reads a score payload (bars, staves, notes and controller commands) into a
    clip. Fails with the text the user sees: see buildScorePayloadBarTable,
    and "no staves" when no staff object is listed. */
juce::Result buildScoreClip (const juce::var& payload, ScoreClip& clip);
} // namespace fry
