#include "orv/ui/tracker/tool/ToolPropsPanels.h"
#include "gfx/Palette.h"
#include "orv/ui/tracker/tool/RollTool.h"

namespace orv::tracker::tools
{
namespace
{
constexpr int captionWidth = 34;
}

SnapToolPropsPanel::SnapToolPropsPanel (ToolSnap& snap, juce::String captionText)
    : caption (std::move (captionText))
    , combo (snap.getProps())
{
    addAndMakeVisible (combo);
}

void SnapToolPropsPanel::paint (juce::Graphics& g)
{
    g.setColour (gfx::colours::text);
    g.setFont (12.0f);
    g.drawText (caption, getLocalBounds().removeFromLeft (captionWidth), juce::Justification::centred, false);
}

void SnapToolPropsPanel::resized()
{
    combo.setBounds (getLocalBounds().withTrimmedLeft (captionWidth));
}

PointerToolPropsPanel::PointerToolPropsPanel (PointerTool1& tool)
    : SnapToolPropsPanel (tool.getSnap(), "Snap")
{
}

PhantomToolPropsPanel::PhantomToolPropsPanel (PhantomTool& tool)
    : SnapToolPropsPanel (tool.getSnap(), "Snap")
{
}
} // namespace orv::tracker::tools
