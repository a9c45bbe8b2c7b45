#pragma once

#include "score/ScoreDocument.h"

namespace hostsim
{
/** Reads the selection words of the "select" command against a score:
    "none", "all", or a bar range ("5" or "3-8" or "all") optionally
    followed by staves ("1,3-5" or "all"; all staves when left out). */
juce::Result parseSelection (const juce::StringArray& words, const ScoreDocument& score, Selection& out);
} // namespace hostsim
