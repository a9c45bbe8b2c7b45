#pragma once

#include "sd/SdScore.h"
#include "sd/SdState.h"

#include <functional>
#include <optional>
#include <vector>

namespace sd
{
/** Which way a chord's second note jumps from its first. */
enum class SdJumpDirection
{
    upward = 0,
    downward = 1
};

/** How far the jump goes: to a near chord tone, the fifth or the octave. */
enum class JumpSize
{
    Closest = 0,
    Fifth = 1,
    Octave = 2
};

/** One beat of the line: its pitch once chosen, and the pitches it chose from. */
struct PitchSlot
{
    std::optional<int> pitch;
    std::vector<int> candidates;
};

/** One chord of the line and the beats until the next chord. */
struct SdChordSegment
{
    Chord chord;
    std::optional<Note> startNote;
    int duration = 0; ///< ticks from this start note to the next one
    /** The start slot and, from three beats on, the jump slot. */
    std::vector<PitchSlot> groundingZone;
    /** The other beats; the last leads into the next chord. */
    std::vector<PitchSlot> linkZone;
    SdJumpDirection jumpDirection = SdJumpDirection::upward;
    std::vector<int> linkNoteCandidates;

    std::optional<int> getStartPitch() const;
    std::optional<int> getGroundingLastPitch() const;
    std::optional<int> getLinkPitch() const;
    /** The chord's "pitchList" as ints, read once when the segment is made. */
    const std::vector<int>& getChordPitches() const { return chordPitches; }

    static SdChordSegment forChord (Chord chord);

private:
    std::vector<int> chordPitches;
};

/** Writes a walking bass line, one quarter note per beat, on a staff from
    its chord symbols: each chord's bass note on its first beat, a jump, then
    passing chord tones and a note leading into the next chord's bass. The
    jump's size is drawn by the weights of the state; the random source can
    be replaced (tests), else it is seeded afresh. */
class SdLine final
{
public:
    static constexpr int beatTicks = 256;

    explicit SdLine (juce::ValueTree stateTree);

    /** The lowest and highest pitch written (MIDI numbers, inclusive). */
    void setPitchRange (int low, int high);
    int getLow() const { return low; }
    int getHigh() const { return high; }

    /** A uniform float in [0, 1) per call. */
    void setRandomSource (std::function<float()> source);

    /** Replaces the staff's notes with the line for its chords. */
    void generate (Score score, Staff staff);

    const std::vector<SdChordSegment>& getSegments() const { return segments; }

    //==============================================================================
    // The steps of generate, in order.
    void createChordSegments();
    void addStartNotes();
    int _calculateSegmentDuration (size_t index) const;
    void _addZoneSlots (SdChordSegment& segment) const;
    void addLinkNoteCandidates();
    void addJumpNotes();
    void electLinkNotes();
    void fillPreLinkZone();
    void writeScore();

    //==============================================================================
    // Pitch rules.
    /** Raised by octaves to at least low, then lowered by octaves to at most high. */
    int fitToRange (int pitch) const;
    /** Every pitch of the same class within the range, ascending. */
    std::vector<int> getOctavesWithinRangeForPitch (int pitch) const;
    JumpSize calculateJumpSize();
    std::vector<int> _getLinkNoteCandidatesPitches (const std::vector<int>& chordPitches, int target) const;
    int _getJumpNotePitch (int pitch, const std::vector<int>& chordPitches, SdJumpDirection direction, JumpSize size) const;
    int _getJumpNotePitchAvoidRepeat (int pitch, const std::vector<int>& chordPitches, SdJumpDirection direction);
    std::vector<int> _getUnusedPitches (const SdChordSegment& segment) const;
    std::optional<int> _getShortestPathAdjacentsMoop (int candidate, int left, int right, const std::vector<int>& avoid) const;
    std::optional<int> _getClosestToAnchors (const std::vector<int>& candidates, int left, int right, const std::vector<int>& avoid) const;

    /** A spelled pitch moved by octaves to sound as the MIDI number (same class assumed). */
    static music::Pitch utilsSetOctaveToMatchMidiNumber (music::Pitch pitch, int midiNumber);

private:
    void utilsCreateSegmentsForEmptyBars (const std::vector<Chord>& chords);
    std::optional<int> nextStartPitch (size_t index) const;

    SdState state;
    int low = 0;
    int high = 127;
    std::function<float()> random;
    Score score;
    Staff staff{juce::ValueTree()};
    std::optional<BarTable> bars;
    std::vector<SdChordSegment> segments;
};
} // namespace sd
