#include "orv/ui/tracker/timePort/ComboSnap.h"

namespace orv::tracker::timePort
{
ComboSnap::ComboSnap (SnapProps props)
    : snapProps (std::move (props))
{
    combo.addItem (offId, "Off");

    for (const auto& [ticks, label] : {std::pair<int, const char*>{1024, "1"}, {512, "1/2"}, {256, "1/4"}, {128, "1/8"}, {64, "1/16"}, {32, "1/32"}})
        combo.addItem (ticks, label);

    combo.setOffValueId (offId);
    combo.bind (snapProps.getState(), SnapProps::snapTicks, offId);
    addAndMakeVisible (combo);
}
} // namespace orv::tracker::timePort
