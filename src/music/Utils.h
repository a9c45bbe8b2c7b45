#pragma once

#include "music/Interval.h"
#include "music/Pitch.h"

namespace music::Utils
{
/** Moves a spelled pitch by a spelled interval and spells the result on the
    target letter: C4 up a major third is E4, Bb3 down a perfect fifth is Eb3. */
Pitch transposePitchByInterval (const Pitch& pitch, const Interval& interval);
} // namespace music::Utils
