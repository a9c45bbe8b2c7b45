#pragma once

#include <juce_core/juce_core.h>

namespace fk
{
/** Small text helpers of Forkel. */
struct FkUtils
{
    /** A stem's name from the host's short staff names joined with "|":
        each name without its dots and with dashes for spaces, the names
        joined with "_", made a legal file name ("Vln. I|Vla." gives
        "Vln-I_Vla"). Empty for an empty list. */
    static juce::String stemNameFromShortNameList (const juce::String& list);
};
} // namespace fk
