#pragma once

#include "engine/PluginRegistry.h"

namespace hostsim
{
/** Name of the MIDI clip transfer product's plug-in. */
inline constexpr const char* ferrymoPluginName = "ORV_Ferrymo";

/** The answer of "fetchMidi" when nothing is selected. */
inline constexpr const char* ferrymoNoSelectionText = "Select a passage of bars first, then fetch again.";

/** Registers "ORV_Ferrymo": "fetchMidi" (the selected bars of the selected
    staves) and "fetchFullScoreMidi" (every bar of every staff), both with
    the argument {"includeAutomation": bool}. They answer a score payload:
    "success", "barList" and "staffList" with note groups and, when
    automation is asked for, the staves' MIDI messages. */
void registerFerrymoPlugin (PluginRegistry& registry);

/** The payload for a range of bars and a set of staves (staff numbers; in
    score order in the result). */
juce::var makeFerrymoPayload (const ScoreDocument& score, int firstBar, int lastBar, const std::vector<int>& staves,
                              bool includeAutomation);
} // namespace hostsim
