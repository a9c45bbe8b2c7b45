#pragma once

#include <juce_core/juce_core.h>

namespace lv
{
/** The keys of the layout replies of Layvo's host plug-in and of the
    arguments the product sends it. */
struct LvPayloadIds
{
    static inline const juce::Identifier pageCount{"pageCount"};
    static inline const juce::Identifier pageList{"pageList"};
    static inline const juce::Identifier index{"index"};
    static inline const juce::Identifier firstBar{"firstBar"};
    static inline const juce::Identifier lastBar{"lastBar"};
    static inline const juce::Identifier barCount{"barCount"};
    static inline const juce::Identifier systemCount{"systemCount"};
    static inline const juce::Identifier systemList{"systemList"};
    static inline const juce::Identifier error{"error"};
    static inline const juce::Identifier pageFirstBar{"pageFirstBar"};
    static inline const juce::Identifier pageLastBar{"pageLastBar"};
    static inline const juce::Identifier nextPageLastBar{"nextPageLastBar"};
    static inline const juce::Identifier aux{"aux"};
    static inline const juce::Identifier newFirstBar{"newFirstBar"};
    static inline const juce::Identifier previousPageFirstBar{"previousPageFirstBar"};
};
} // namespace lv
