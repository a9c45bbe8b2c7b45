#pragma once

#include "score/ScoreDocument.h"

namespace hostsim
{
// "ORV_Ferrymo" offers "fetchMidi" (the selected bars of the selected staves)
// and "fetchFullScoreMidi" (every bar of every staff), both with the argument
// {"includeAutomation": bool}. They answer a score payload: "success",
// "barList" and "staffList" with note groups and, when automation is asked
// for, the staves' MIDI messages.

/** Name of the MIDI clip transfer product's plug-in. */
inline constexpr const char* ferrymoPluginName = "ORV_Ferrymo";

/** The answer of "fetchMidi" when nothing is selected. */
inline constexpr const char* ferrymoNoSelectionText = "Select a passage of bars first, then fetch again.";

/** The payload for a range of bars and a set of staves (staff numbers; in
    score order in the result). */
juce::var makeFerrymoPayload (const ScoreDocument& score, int firstBar, int lastBar, const std::vector<int>& staves,
                              bool includeAutomation);
} // namespace hostsim
