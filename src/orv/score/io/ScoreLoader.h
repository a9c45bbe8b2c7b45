#pragma once

#include "orv/IOrvana.h"

#include <optional>
#include <unordered_map>

namespace orv::score::io
{
/** Turns the host's score payload (a parsed JSON object) into the score
    model. Runs on the message thread and completes synchronously.

    The payload comes from outside the program: every value may have the
    wrong type or size, and the loader reads what it can (a wrong-typed
    value reads as 0, false or empty; array elements that are not objects
    are skipped; numbers are clamped into 32 bits; negative bar lengths
    count as 0). Bars, track bars, curve nodes, wing nodes and tempo points
    are gathered and put in place in order, so that any order of arrival
    costs O(n log n), never O(n^2). */
class ScoreLoader final
{
public:
    enum class DecodeMode
    {
        /** A new score: the active region is taken from the payload. */
        load = 0,
        /** The same range again after an edit, undo or redo: the active region stays. */
        reload = 1
    };

    /** A MIDI message written in the score, as the host writes it ("~C7,100", "~-B0,64", "~N60,0"). */
    struct Command
    {
        enum class Kind
        {
            controller,
            pitchBend,
            note
        };

        Kind kind = Kind::controller;
        /** Controller identifier (-2 for pitch bend), or the note's pitch. */
        int number = 0;
        /** Controller value, decoded pitch-bend value, or velocity (0 is note off). */
        int value = 0;
        /** Ramp when the text before the letter is exactly "~-"; Jump otherwise. */
        Node::Type nodeType = Node::Jump;
    };

    ScoreLoader (Score& score, IOrvana& orvana);

    /** Clears the score and loads the payload; returns false (loading
        nothing) when the payload is not an object. A payload that carries
        hit points but no sound set replaces only the hit points. */
    bool load (const juce::var& payload, DecodeMode mode);

    /** Replaces the hit points from the payload's "hitPointList"; false when the payload is not an object. */
    bool loadHitPointsOnly (const juce::var& payload);
    bool applyHitPointListRoot (const juce::var& payload) { return loadHitPointsOnly (payload); }

    /** Replaces the hit points from an array of hit-point objects; points on bars the score lacks are dropped. */
    void loadHitPointsFromArray (const juce::var& array);
    static void loadHitPointsFromArray (const juce::var& array, Score& score);

    /** Reads a command text; nothing for a text without "C", "B" or "N", and
        nothing for a controller text (one with a "C") that does not name a
        controller 0..127 or carry a value 0..127 after its comma: such a
        command is dropped rather than read as controller 0 or as a clear
        node (-1). */
    static std::optional<Command> parseCommandText (const juce::String& text, bool soundSetIsNotePerformer);

private:
    void loadBars (const juce::var& payload);
    void loadStaff (const juce::var& staff, preferences::TrackStyleList& styles);
    void noteDropped (const char* what, const juce::String& text, int staffNum, std::optional<int> barNumber);
    void logDropped() const;

    Score& score;
    IOrvana& orvana;
    std::unordered_map<int, Track> loadedTracks;

    /** Entries of this load that named no controller or carried an
        unreadable value: counted, and the first one kept for the log. */
    int droppedCount = 0;
    juce::String firstDropped;

    JUCE_DECLARE_NON_COPYABLE (ScoreLoader)
};
} // namespace orv::score::io
