#include "gui/ClickOutsideWatcher.h"

namespace gui
{
ClickOutsideWatcher::ClickOutsideWatcher() = default;

ClickOutsideWatcher::~ClickOutsideWatcher()
{
    setTarget (nullptr);
}

void ClickOutsideWatcher::setTarget (juce::Component* newTarget)
{
    if (listening)
    {
        juce::Desktop::getInstance().removeGlobalMouseListener (this);
        listening = false;
    }

    target = newTarget;

    if (newTarget != nullptr)
    {
        juce::Desktop::getInstance().addGlobalMouseListener (this);
        listening = true;
    }
}

bool ClickOutsideWatcher::isOutsideTarget (juce::Point<int> screenPosition) const
{
    auto* t = target.getComponent();
    return t != nullptr && t->isShowing() && !t->getScreenBounds().contains (screenPosition);
}

void ClickOutsideWatcher::mouseDown (const juce::MouseEvent& e)
{
    if (isOutsideTarget (e.getScreenPosition()) && onClickOutside)
        onClickOutside();
}
} // namespace gui
