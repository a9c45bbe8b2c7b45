#pragma once

#include "orv/ui/tracker/tool/LassoTool.h"
#include "orv/ui/tracker/tool/ToolLegacy.h"
#include "orv/ui/tracker/tool/ToolSnap.h"

#include <functional>

namespace orv
{
class OrvTrackerState;
}

namespace orv::tracker::timePort
{
class TimePort;
}

namespace orv::tracker::roll
{
class RollGridGroup;
}

namespace orv::tracker::tools
{
class RollTool;

/** The pointer: selects, moves and resizes notes, and owns the lasso. Its
    snap grid is the tracker state's "pointerSnapTicks". */
class PointerTool1 final : public ToolLegacy
{
public:
    explicit PointerTool1 (RollTool& owner);

    void onActivate() override;
    juce::Image getButtonImage() const override;
    juce::String getName() const override { return "Pointer"; }

    ToolSnap& getSnap() { return snap; }
    LassoTool& getLasso() { return lasso; }

private:
    RollTool& rollTool;
    ToolSnap snap;
    LassoTool lasso;
};

/** The pencil that draws phantom notes. Its snap grid is the tracker
    state's "phantomSnapTicks". */
class PhantomTool final : public ToolLegacy
{
public:
    explicit PhantomTool (RollTool& owner);

    void onActivate() override;
    juce::Image getButtonImage() const override;
    juce::String getName() const override { return "Phantom"; }

    ToolSnap& getSnap() { return snap; }

private:
    RollTool& rollTool;
    ToolSnap snap;
};

/** The root of the roll tools: the pointer and the phantom tool. The active
    one sets the rolls' mode, the editor's active tool and the time port's
    snap grid. */
class RollTool final : public ToolLegacy
{
public:
    RollTool (timePort::TimePort& port, roll::RollGridGroup& group, OrvTrackerState trackerState);

    void activatePointerTool() { pickChild (pointer); }
    void activatePhantomTool() { pickChild (phantom); }

    juce::String getName() const override { return "Roll"; }

    PointerTool1& getPointerTool() { return pointer; }
    PhantomTool& getPhantomTool() { return phantom; }
    timePort::TimePort& getTimePort() { return port; }
    roll::RollGridGroup& getGroup() { return group; }
    juce::ValueTree getTrackerState() const { return trackerStateTree; }

    /** Runs after the active tool or its grid changed (the snap lines repaint). */
    std::function<void()> onGridChanged;

private:
    friend class PointerTool1;
    friend class PhantomTool;
    void useSnap (ToolSnap& snap);

    timePort::TimePort& port;
    roll::RollGridGroup& group;
    juce::ValueTree trackerStateTree;
    PointerTool1 pointer;
    PhantomTool phantom;
};
} // namespace orv::tracker::tools
