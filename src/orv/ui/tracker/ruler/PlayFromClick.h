#pragma once

#include "orv/model/Score.h"

#include <optional>

namespace orv::tracker::ruler
{
/** Where a click on the ruler's lower stripe at `ticks` starts playback: the
    nearest tick's bar and offset, the offset floored to the bar's beat
    unless Ctrl is held. Empty outside the score and at or past its end. */
std::optional<Poser> playFromForClick (const Score& score, float ticks, bool ctrlHeld);
} // namespace orv::tracker::ruler
