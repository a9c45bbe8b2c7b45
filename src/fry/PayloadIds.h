#pragma once

#include <juce_core/juce_core.h>

namespace fry
{
/** The names of the score payload that the host's plug-in sends back. */
struct PayloadIds
{
    static inline const juce::Identifier success{"success"};
    static inline const juce::Identifier error{"error"};
    static inline const juce::Identifier message{"message"};
    static inline const juce::Identifier barList{"barList"};
    static inline const juce::Identifier barNumber{"barNumber"};
    static inline const juce::Identifier length{"length"};
    static inline const juce::Identifier meter{"meter"};
    static inline const juce::Identifier staffList{"staffList"};
    static inline const juce::Identifier header{"header"};
    static inline const juce::Identifier fullInstrumentName{"fullInstrumentName"};
    static inline const juce::Identifier shortInstrumentName{"shortInstrumentName"};
    static inline const juce::Identifier staffBarList{"staffBarList"};
    static inline const juce::Identifier potList{"potList"};
    static inline const juce::Identifier position{"position"};
    static inline const juce::Identifier duration{"duration"};
    static inline const juce::Identifier noteList{"noteList"};
    static inline const juce::Identifier pitch{"pitch"};
    static inline const juce::Identifier commandList{"commandList"};
    static inline const juce::Identifier text{"text"};
};

} // namespace fry
