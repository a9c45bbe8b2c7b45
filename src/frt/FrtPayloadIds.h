#pragma once

#include <juce_core/juce_core.h>

namespace frt
{
/** The keys of Frettle's host replies and of the arguments it sends. */
struct FrtPayloadIds
{
    static inline const juce::Identifier name{"name"};
    static inline const juce::Identifier chordNameAsPlainText{"chordNameAsPlainText"};
    static inline const juce::Identifier chromaticRoot{"chromaticRoot"};
    static inline const juce::Identifier diatonicRoot{"diatonicRoot"};
    static inline const juce::Identifier chromaticBass{"chromaticBass"};
    static inline const juce::Identifier diatonicBass{"diatonicBass"};
    static inline const juce::Identifier barId{"barId"};
    static inline const juce::Identifier pos{"pos"};
    static inline const juce::Identifier suffixList{"suffixList"};
    static inline const juce::Identifier pitchList{"pitchList"};
    static inline const juce::Identifier pitches{"pitches"};
    static inline const juce::Identifier fingering{"fingering"};
};
} // namespace frt
