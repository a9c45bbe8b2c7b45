#pragma once

#include <juce_data_structures/juce_data_structures.h>

/** Type and property names of Orvana's state and preference trees, declared once. */
namespace orv::prefids
{
#define ORV_PREF_ID(name) inline const juce::Identifier name{#name};

// State.
ORV_PREF_ID (ORV_STATE)
ORV_PREF_ID (TRACKER_STATE)
ORV_PREF_ID (TEMPO_STATE)
ORV_PREF_ID (EDITOR_VIEWPORT_STATE)
ORV_PREF_ID (SNAPPING)
ORV_PREF_ID (TOGGLESIZEKNOB)
ORV_PREF_ID (welcomeWizardFinished)
ORV_PREF_ID (activeAuLaneId)
ORV_PREF_ID (pointerSnapTicks)
ORV_PREF_ID (phantomSnapTicks)
ORV_PREF_ID (velConShown)
ORV_PREF_ID (openNearMouse)
ORV_PREF_ID (winNormalStateBounds)
ORV_PREF_ID (windowState)
ORV_PREF_ID (winState)
ORV_PREF_ID (windowWidth)
ORV_PREF_ID (windowHeight)
ORV_PREF_ID (verticalZoom)
ORV_PREF_ID (show)
ORV_PREF_ID (nodeReachShape)
ORV_PREF_ID (chompMode)
ORV_PREF_ID (bpmViewRange)
ORV_PREF_ID (enabled)
ORV_PREF_ID (ticks)
ORV_PREF_ID (togglePosition)
ORV_PREF_ID (scrollDocX)
ORV_PREF_ID (zoomX)

// Preferences.
ORV_PREF_ID (ORV_PREFERENCES)
ORV_PREF_ID (AUTOMATION)
ORV_PREF_ID (AUTOMATION_MAP)
ORV_PREF_ID (TAB)
ORV_PREF_ID (TRACKSTYLES)
ORV_PREF_ID (TRACKSTYLE)
ORV_PREF_ID (pluginKey)
ORV_PREF_ID (pluginKeyValidated)
ORV_PREF_ID (mapName)
ORV_PREF_ID (index)
ORV_PREF_ID (controlId)
ORV_PREF_ID (tabLabel)
ORV_PREF_ID (colorPreset)
ORV_PREF_ID (config)
ORV_PREF_ID (isDefault)
ORV_PREF_ID (trackName)
ORV_PREF_ID (instrumentType)
ORV_PREF_ID (color)

#undef ORV_PREF_ID
} // namespace orv::prefids
