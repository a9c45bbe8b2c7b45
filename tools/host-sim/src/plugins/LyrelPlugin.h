#pragma once

#include "score/ScoreDocument.h"

namespace hostsim
{
// "ORV_Lyrel" writes harp glissandi and pedal diagrams: "apply" (a
// glissando from the first to the last note group of the selection's first
// staff, written out as a run over every string when "spell" is "1"),
// "applyPostProcess", "insertDiagram", and "undo" / "redo" of the host's
// history. Its trigger data is the key at the selection's start.

/** Name of the harp pedalling product's plug-in. */
inline constexpr const char* lyrelPluginName = "ORV_Lyrel";

/** The answers of "apply" and "insertDiagram" without a selection, and of
    "apply" without two note groups to join. */
inline constexpr const char* lyrelNoSelectionText = "Select the harp notes first, then try again.";
inline constexpr const char* lyrelTooFewNotesText = "The selection needs two notes to join with a glissando.";

/** {"name", "isMajor"} of the key at the selection's first bar (bar 1 without
    a selection); C major where the score has no key signature. */
juce::String lyrelTriggerData (const ScoreDocument& score);

/** The notes a written-out glissando between the two pitches plays: every
    string strictly between them, upwards or downwards, each at the pitch
    its pedal gives (pedaling: seven characters for D C B E F G A, "#"
    sharp, "b" flat, anything else natural). Pitches are staff steps
    (C4 = 35) and MIDI numbers, each pair as {diatonic, midi}. */
std::vector<std::pair<int, int>> lyrelRun (int fromDiatonic, int toDiatonic, const juce::String& pedaling);

/** Ticks of one note of the run for a "beams" text: Beams2 sixteenths,
    Beams3 thirty-seconds, Beams4 sixty-fourths, Beams5 hundred-twenty-eighths
    (unknown texts as Beams4). */
int lyrelRunNoteTicks (const juce::String& beams);

/** What "apply" does to the score; returns its answer. */
juce::var lyrelApply (ScoreDocument& score, const juce::var& argument);

/** What "insertDiagram" does to the score; returns its answer. */
juce::var lyrelInsertDiagram (ScoreDocument& score, const juce::var& argument);
} // namespace hostsim
