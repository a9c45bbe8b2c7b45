#pragma once

#include <juce_core/juce_core.h>

/** The keys of what Lyrel's host plug-in sends, declared once. */
namespace ly::payloadids
{
/** The trigger's key: its tonic name ("Eb", "F#") and whether it is major. */
inline const juce::Identifier name{"name"};
inline const juce::Identifier isMajor{"isMajor"};
} // namespace ly::payloadids
