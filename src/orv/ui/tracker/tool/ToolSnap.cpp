#include "orv/ui/tracker/tool/ToolSnap.h"
#include "state/TreeProps.h"

namespace orv::tracker::tools
{
ToolSnap::ToolSnap (juce::ValueTree trackerState, juce::Identifier property, int defaultTicks)
    : stateTree (std::move (trackerState))
    , stateProperty (std::move (property))
    , propsTree (props.getState())
{
    // A negative or absurd stored grid reads as the default.
    auto ticks = treeprops::getInt (stateTree, stateProperty, defaultTicks);
    if (ticks < 0 || ticks > 1024 * 64)
        ticks = defaultTicks;

    props.setSnapTicks (ticks);
    propsTree.addListener (this);
}

ToolSnap::~ToolSnap()
{
    propsTree.removeListener (this);
}

void ToolSnap::valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier& property)
{
    if (property != timePort::SnapProps::snapTicks)
        return;

    if (stateTree.isValid())
        stateTree.setProperty (stateProperty, props.getSnapTicks(), nullptr);

    if (onChange)
        onChange();
}
} // namespace orv::tracker::tools
