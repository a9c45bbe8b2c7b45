#pragma once

#include <juce_core/juce_core.h>

namespace tsl
{
/** The keys of the host plug-in's arguments and replies. */
struct PayloadIds
{
    static inline const juce::Identifier scoreFile{"scoreFile"};
    static inline const juce::Identifier partList{"partList"};
    static inline const juce::Identifier name{"name"};
    static inline const juce::Identifier partIndex{"partIndex"};
    static inline const juce::Identifier sibFile{"sibFile"};
    static inline const juce::Identifier partTemplateFile{"partTemplateFile"};
    static inline const juce::Identifier currentPartIndex{"currentPartIndex"};
    static inline const juce::Identifier exportMode{"exportMode"};
    static inline const juce::Identifier pdfFilePath{"pdfFilePath"};
    static inline const juce::Identifier mode{"mode"};
    /** The "mode" of "openPart": open the part's own file. */
    static constexpr const char* openPartMode = "Sib";
};
} // namespace tsl
