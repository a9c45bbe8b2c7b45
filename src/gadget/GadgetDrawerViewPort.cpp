#include "gadget/GadgetDrawerViewPort.h"

GadgetDrawerViewPort::GadgetDrawerViewPort (IGadget& owner)
    : drawer (owner)
{
    setName ("Gadget Drawer");
    setOpaque (false);
    addChildComponent (drawer);
}

GadgetDrawerViewPort::~GadgetDrawerViewPort()
{
    juce::Desktop::getInstance().getAnimator().cancelAnimation (&drawer, false);
}

void GadgetDrawerViewPort::setDrawerContent (juce::Component* content)
{
    drawer.setContent (content);
}

juce::Component* GadgetDrawerViewPort::getDrawerContent() const
{
    return drawer.getContent();
}

void GadgetDrawerViewPort::setDrawerOrientation (GadgetDrawer::Orientation orientation)
{
    drawer.setOrientation (orientation);
}

void GadgetDrawerViewPort::setDrawerClientAreaSize (int size)
{
    drawer.setClientAreaSize (size);
}

juce::Rectangle<int> GadgetDrawerViewPort::calcBoundsOnDesktop (juce::Rectangle<int> body) const
{
    const auto size = drawer.calcDrawerSize();
    const auto x = drawer.getOrientation() == GadgetDrawer::Right ? body.getRight() : body.getX() - size;
    return {x, body.getY() + 5, size, body.getHeight() - 10};
}

juce::Rectangle<int> GadgetDrawerViewPort::getHiddenDrawerBounds() const
{
    const auto w = getWidth();
    const auto x = drawer.getOrientation() == GadgetDrawer::Right ? -w : w;
    return {x, 0, w, getHeight()};
}

void GadgetDrawerViewPort::revealDrawer (std::function<void()> callback)
{
    drawer.setBounds (getHiddenDrawerBounds());
    drawer.setVisible (true);
    animateDrawerTo (getLocalBounds(), std::move (callback));
}

void GadgetDrawerViewPort::concealDrawer (std::function<void()> callback)
{
    animateDrawerTo (getHiddenDrawerBounds(), std::move (callback));
}

void GadgetDrawerViewPort::animateDrawerTo (juce::Rectangle<int> target, std::function<void()> callback)
{
    juce::Desktop::getInstance().getAnimator().animateComponent (&drawer, target, 1.0f, animationMs, false, 1.0, 1.0);

    // A weak reference: the gadget may destroy its drawer before the delay ends.
    juce::WeakReference<GadgetDrawerViewPort> self (this);
    juce::Timer::callAfterDelay (completionDelayMs, [self, done = std::move (callback)]
                                 {
                                     if (self != nullptr && done)
                                         done(); });
}
