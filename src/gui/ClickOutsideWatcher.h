#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace gui
{
/** Runs a callback when the mouse is pressed anywhere outside a target
    component (for closing pop-ups). Listens to the whole desktop only while
    it has a target. */
class ClickOutsideWatcher final : private juce::MouseListener
{
public:
    ClickOutsideWatcher();
    ~ClickOutsideWatcher() override;

    /** Run on a press outside the showing target. */
    std::function<void()> onClickOutside;

    /** Watches presses outside this component (borrowed); null stops watching. */
    void setTarget (juce::Component* newTarget);
    juce::Component* getTarget() const { return target.getComponent(); }

    /** Whether a press at this screen position counts as outside the target. */
    bool isOutsideTarget (juce::Point<int> screenPosition) const;

private:
    void mouseDown (const juce::MouseEvent& e) override;

    juce::Component::SafePointer<juce::Component> target;
    bool listening = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ClickOutsideWatcher)
};
} // namespace gui
