#pragma once

#include "score/ScoreDocument.h"

namespace hostsim
{
// "ORV_Frettle" reads chord names and writes guitar chord diagrams:
// "requestChordInfo" (a chord name, spaces aside, read as a chord symbol: its root, bass,
// suffixes and pitches), "apply" (the chord's pitches and its diagram at the
// selection's start) and "preview" (the pitches shown as played).

/** Name of the guitar chord-diagram product's plug-in. */
inline constexpr const char* frettlePluginName = "ORV_Frettle";

inline constexpr const char* frettleNoSelectionText = "Select where the chord goes, then apply again.";
inline constexpr const char* frettleNoPitchesText = "The diagram sounds no string.";

/** The answer of "requestChordInfo" for a name: success with every field of
    the chord, or a failure naming the text it could not read. */
juce::var frettleChordInfo (const ScoreDocument& score, const juce::String& name);

/** A chord name as the host writes it: the root's letter and accidentals,
    the rest without spaces and with "#" and "b" for the signs, and the
    slash bass by its name ("C#m7/G#"). */
juce::String frettlePlainText (const juce::String& name);

/** The frets of a diagram's text form, string 6 first: -1 muted, 0 open,
    else the highest of the string's spots and the barre; void when the
    text is no diagram. */
juce::var frettleFretsOf (const juce::String& fingeringText);

/** What "apply" does to the score; returns its answer. */
juce::var frettleApply (ScoreDocument& score, const juce::var& argument);
} // namespace hostsim
