#include "orv/ui/tracker/tool/Toolboard.h"
#include "gfx/Palette.h"
#include "orv/ui/tracker/tool/RollTool.h"
#include "orv/ui/tracker/tool/ToolPropsPanels.h"

namespace orv::tracker::tools
{
ToolboardButton::ToolboardButton (ToolLegacy& toolToPick, std::function<void (ToolLegacy&)> onPick)
    : tool (toolToPick)
    , pick (std::move (onPick))
{
    setTitle (tool.getName());
}

void ToolboardButton::setPicked (bool isPicked)
{
    if (picked != isPicked)
    {
        picked = isPicked;
        repaint();
    }
}

void ToolboardButton::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat().reduced (0.5f);
    g.setColour (picked ? gfx::colours::yellow : gfx::colours::control);
    g.fillRoundedRectangle (bounds, 3.0f);
    g.setColour (gfx::colours::outline);
    g.drawRoundedRectangle (bounds, 3.0f, 1.0f);

    const auto image = tool.getButtonImage();

    if (image.isValid())
        g.drawImage (image, bounds.reduced (4.0f), juce::RectanglePlacement::centred);
}

void ToolboardButton::mouseDown (const juce::MouseEvent&)
{
    if (pick)
        pick (tool);
}

//==============================================================================
ToolboardButtonsBar::ToolboardButtonsBar (std::function<void (ToolLegacy&)> onPick)
    : pick (std::move (onPick))
{
}

ToolboardButton& ToolboardButtonsBar::addButton (ToolLegacy& tool)
{
    buttons.push_back (std::make_unique<ToolboardButton> (tool, pick));
    addAndMakeVisible (*buttons.back());
    buttons.back()->setPicked (tool.isActive());
    resized();
    return *buttons.back();
}

void ToolboardButtonsBar::pickButton (ToolLegacy& tool)
{
    for (auto& button : buttons)
        button->setPicked (&button->getTool() == &tool);
}

void ToolboardButtonsBar::resized()
{
    auto row = getLocalBounds();

    for (auto& button : buttons)
    {
        button->setBounds (row.removeFromLeft (ToolboardButton::size).withSizeKeepingCentre (ToolboardButton::size, juce::jmin (ToolboardButton::size, getHeight())));
        row.removeFromLeft (2);
    }
}

//==============================================================================
void ToolPropsPanelContainer::addPanel (ToolLegacy& tool, std::unique_ptr<juce::Component> panel)
{
    addChildComponent (*panel);
    panel->setBounds (getLocalBounds());
    panel->setVisible (tool.isActive());
    panels[&tool] = std::move (panel);
}

void ToolPropsPanelContainer::pickPanel (ToolLegacy& tool)
{
    for (auto& [owner, panel] : panels)
        panel->setVisible (owner == &tool);
}

juce::Component* ToolPropsPanelContainer::getVisiblePanel() const
{
    for (auto& [owner, panel] : panels)
        if (panel->isVisible())
            return panel.get();
    return nullptr;
}

void ToolPropsPanelContainer::resized()
{
    for (auto& [owner, panel] : panels)
        panel->setBounds (getLocalBounds());
}

//==============================================================================
Toolboard::Toolboard (RollTool& toolToShow)
    : rollTool (toolToShow)
    , bar ([this] (ToolLegacy& tool)
           { rollTool.pickChild (tool); })
{
    addAndMakeVisible (bar);
    addAndMakeVisible (props);

    bar.addButton (rollTool.getPointerTool());
    bar.addButton (rollTool.getPhantomTool());
    props.addPanel (rollTool.getPointerTool(), std::make_unique<PointerToolPropsPanel> (rollTool.getPointerTool()));
    props.addPanel (rollTool.getPhantomTool(), std::make_unique<PhantomToolPropsPanel> (rollTool.getPhantomTool()));

    rollTool.onChildPicked = [this] (ToolLegacy& tool)
    { followPicked (tool); };

    if (auto* active = rollTool.getActiveChild())
        followPicked (*active);
}

void Toolboard::followPicked (ToolLegacy& tool)
{
    bar.pickButton (tool);
    props.pickPanel (tool);
}

int Toolboard::getPreferredWidth() const
{
    return static_cast<int> (bar.getButtons().size()) * (ToolboardButton::size + 2) + 4 + propsWidth;
}

void Toolboard::resized()
{
    auto area = getLocalBounds();
    bar.setBounds (area.removeFromLeft (static_cast<int> (bar.getButtons().size()) * (ToolboardButton::size + 2)));
    area.removeFromLeft (4);
    props.setBounds (area);
}
} // namespace orv::tracker::tools
