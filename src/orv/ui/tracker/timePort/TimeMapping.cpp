#include "orv/ui/tracker/timePort/TimeMapping.h"

#include <algorithm>

namespace orv::tracker::timePort
{
float TimeMapping::visibleSpanTicks (int portWidth) const
{
    return viewWidthToTicks (static_cast<float> (std::max (portWidth, minimumPortWidth) - rightMargin));
}

float TimeMapping::clampScrollDocX (float wanted, int64_t totalTicks, int portWidth) const
{
    const auto last = std::max (static_cast<float> (totalTicks) - visibleSpanTicks (portWidth), 0.0f);
    return std::clamp (wanted, 0.0f, last);
}
} // namespace orv::tracker::timePort
