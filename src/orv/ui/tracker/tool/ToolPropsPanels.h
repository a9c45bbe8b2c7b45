#pragma once

#include "orv/ui/tracker/timePort/ComboSnap.h"
#include "orv/ui/tracker/tool/ToolSnap.h"

namespace orv::tracker::tools
{
class PointerTool1;
class PhantomTool;

/** A tool's properties: a caption and the snap menu bound to the tool's grid. */
class SnapToolPropsPanel : public juce::Component
{
public:
    SnapToolPropsPanel (ToolSnap& snap, juce::String caption);

    timePort::ComboSnap& getComboSnap() { return combo; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    juce::String caption;
    timePort::ComboSnap combo;
};

/** The pointer's properties: its snap grid. */
class PointerToolPropsPanel final : public SnapToolPropsPanel
{
public:
    explicit PointerToolPropsPanel (PointerTool1& tool);
};

/** The phantom tool's properties: its snap grid. */
class PhantomToolPropsPanel final : public SnapToolPropsPanel
{
public:
    explicit PhantomToolPropsPanel (PhantomTool& tool);
};
} // namespace orv::tracker::tools
