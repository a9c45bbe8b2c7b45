#pragma once

#include <juce_core/juce_core.h>

namespace sd
{
/** The keys of Stridel's host replies and requests, declared once. */
struct SdPayloadIds
{
    static inline const juce::Identifier barList{"barList"};
    static inline const juce::Identifier staffList{"staffList"};
    static inline const juce::Identifier staffBarList{"staffBarList"};
    static inline const juce::Identifier chordList{"chordList"};
    static inline const juce::Identifier noteList{"noteList"};
    static inline const juce::Identifier score{"score"};
    static inline const juce::Identifier barNumber{"barNumber"};
    static inline const juce::Identifier length{"length"};
    static inline const juce::Identifier staffNum{"staffNum"};
    static inline const juce::Identifier name{"name"};
    static inline const juce::Identifier chromaticBass{"chromaticBass"};
    static inline const juce::Identifier diatonicBass{"diatonicBass"};
    static inline const juce::Identifier chromaticRoot{"chromaticRoot"};
    static inline const juce::Identifier diatonicRoot{"diatonicRoot"};
    static inline const juce::Identifier pos{"pos"};
    static inline const juce::Identifier pitchList{"pitchList"};
    static inline const juce::Identifier suffixList{"suffixList"};
    static inline const juce::Identifier position{"position"};
    static inline const juce::Identifier duration{"duration"};
    static inline const juce::Identifier pitch{"pitch"};
    static inline const juce::Identifier diatonicPitch{"diatonicPitch"};
    static inline const juce::Identifier info{"info"};
};
} // namespace sd
