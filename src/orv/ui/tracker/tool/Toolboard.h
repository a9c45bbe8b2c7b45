#pragma once

#include "orv/ui/tracker/tool/ToolLegacy.h"

#include <map>
#include <memory>
#include <vector>

namespace orv::tracker::tools
{
class RollTool;

/** A tool's button: its image on a plate that is lit while the tool is active. */
class ToolboardButton final : public juce::Component
{
public:
    static constexpr int size = 26;

    ToolboardButton (ToolLegacy& tool, std::function<void (ToolLegacy&)> onPick);

    ToolLegacy& getTool() const { return tool; }
    void setPicked (bool isPicked);
    bool isPicked() const { return picked; }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    ToolLegacy& tool;
    std::function<void (ToolLegacy&)> pick;
    bool picked = false;
};

/** The row of tool buttons; exactly the active tool's button is lit. */
class ToolboardButtonsBar final : public juce::Component
{
public:
    explicit ToolboardButtonsBar (std::function<void (ToolLegacy&)> onPick);

    ToolboardButton& addButton (ToolLegacy& tool);
    /** Lights the tool's button and darkens the others. */
    void pickButton (ToolLegacy& tool);
    const std::vector<std::unique_ptr<ToolboardButton>>& getButtons() const { return buttons; }

    void resized() override;

private:
    std::function<void (ToolLegacy&)> pick;
    std::vector<std::unique_ptr<ToolboardButton>> buttons;
};

/** Shows the properties panel of the active tool, one at a time. */
class ToolPropsPanelContainer final : public juce::Component
{
public:
    void addPanel (ToolLegacy& tool, std::unique_ptr<juce::Component> panel);
    void pickPanel (ToolLegacy& tool);
    juce::Component* getVisiblePanel() const;

    void resized() override;

private:
    std::map<ToolLegacy*, std::unique_ptr<juce::Component>> panels;
};

/** The tools of the piano rolls: a button per tool and the active tool's
    properties. Picking a button activates its tool; the toolboard follows
    the tool tree however the tool was picked. */
class Toolboard final : public juce::Component
{
public:
    static constexpr int propsWidth = 110;

    explicit Toolboard (RollTool& rollTool);

    ToolboardButtonsBar& getButtonsBar() { return bar; }
    ToolPropsPanelContainer& getPropsContainer() { return props; }
    int getPreferredWidth() const;

    void resized() override;

private:
    void followPicked (ToolLegacy& tool);

    RollTool& rollTool;
    ToolboardButtonsBar bar;
    ToolPropsPanelContainer props;
};
} // namespace orv::tracker::tools
