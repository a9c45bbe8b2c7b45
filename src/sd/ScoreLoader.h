#pragma once

#include "sd/SdScore.h"

namespace sd
{
/** Fills a score from the host's "fetch" reply. The reply may hold
    anything: a reply that is no object leaves the score empty, lists that
    are missing or no arrays are skipped, and so are list elements that are
    no objects. A chord takes its "barId" from its staff bar. */
class ScoreLoader final
{
public:
    static void load (Score& score, const juce::var& reply);
};
} // namespace sd
