#pragma once

#include <juce_core/juce_core.h>

namespace pnt
{
/** The chart that comes with the product, as preset text. Lines end with
    "\n"; files get "\r\n" when they are written. */
class PntFactoryPreset final
{
public:
    /** An empty line, "[SixHole]" and its sixteen notes, an empty line,
        "[FiveHole]" and its sixteen notes; each note line is the name padded
        to three characters, " = " and the pattern ("A4  = 111 110"). */
    static juce::String get();

    /** The editing instructions (fifteen lines, the last one empty), then get(). */
    static juce::String getWithInstructions();
};
} // namespace pnt
