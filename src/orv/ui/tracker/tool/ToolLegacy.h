#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

namespace orv::tracker::tools
{
/** A node of the tool tree: a tool may have children, of which at most one
    is active. Activating a child deactivates the one before it (and that
    one's own active child). */
class ToolLegacy
{
public:
    virtual ~ToolLegacy() = default;

    /** Activates the tool as the root of its tree. */
    void activateAsRoot();
    /** Makes the child the active one; nothing happens when it already is. */
    void activateChild (ToolLegacy& child);
    void deactivateActiveChild();
    /** Activates the child as the user's choice: onChildPicked tells the toolboard. */
    void pickChild (ToolLegacy& child);

    virtual void onActivate() {}
    virtual void onDeactivate() {}
    /** The toolboard button's image; none for tools without a button. */
    virtual juce::Image getButtonImage() const { return {}; }
    virtual juce::String getName() const = 0;

    bool isActive() const { return active; }
    ToolLegacy* getActiveChild() const { return activeChild; }
    const std::vector<ToolLegacy*>& getChildren() const { return children; }
    ToolLegacy* getParent() const { return parent; }

    /** Runs after pickChild with the picked child. */
    std::function<void (ToolLegacy&)> onChildPicked;

protected:
    void addChild (ToolLegacy& child);

private:
    ToolLegacy* parent = nullptr;
    ToolLegacy* activeChild = nullptr;
    std::vector<ToolLegacy*> children;
    bool active = false;
};
} // namespace orv::tracker::tools
