#include "orv/ui/tracker/ruler/PlayFromClick.h"
#include "orv/ui/tracker/timePort/GridRules.h"

#include <cmath>

namespace orv::tracker::ruler
{
std::optional<Poser> playFromForClick (const Score& score, float ticks, bool ctrlHeld)
{
    if (!std::isfinite (ticks))
        return std::nullopt;

    auto poser = score.ticksToPoser (static_cast<int64_t> (std::nearbyint (ticks)));

    if (poser.isClear())
        return std::nullopt;

    if (!ctrlHeld)
    {
        const auto beat = timePort::beatTicksOf (score.getBar (poser.getBar()));
        poser = Poser (poser.getBar(), poser.getPos() / beat * beat);
    }

    const auto end = score.getTotalPoser();

    if (end.isClear() || !(poser < end))
        return std::nullopt;

    return poser;
}
} // namespace orv::tracker::ruler
