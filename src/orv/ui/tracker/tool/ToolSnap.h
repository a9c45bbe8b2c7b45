#pragma once

#include "orv/ui/tracker/timePort/SnapProps.h"

#include <functional>

namespace orv::tracker::tools
{
/** A tool's own snap grid: SnapProps for the snap menu and the time port,
    kept in step with the tool's property of the tracker state (so the
    setting survives the editor). */
class ToolSnap final : private juce::ValueTree::Listener
{
public:
    ToolSnap (juce::ValueTree trackerState, juce::Identifier property, int defaultTicks);
    ~ToolSnap() override;

    timePort::SnapProps getProps() const { return props; }
    int getSnapTicks() const { return props.getSnapTicks(); }

    /** Runs after the grid changed (the snap lines repaint). */
    std::function<void()> onChange;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;

    juce::ValueTree stateTree;
    juce::Identifier stateProperty;
    timePort::SnapProps props;
    juce::ValueTree propsTree;
};
} // namespace orv::tracker::tools
