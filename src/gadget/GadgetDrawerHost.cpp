#include "gadget/GadgetDrawerHost.h"

GadgetDrawerHost::GadgetDrawerHost (IGadget& owner, juce::Component& body, juce::Component& window)
    : gadget (owner)
    , bodyComponent (body)
    , windowComponent (window)
{
}

GadgetDrawerHost::~GadgetDrawerHost() = default;

void GadgetDrawerHost::setHasDrawer (bool shouldHaveDrawer)
{
    viewPort.reset();

    if (shouldHaveDrawer)
        viewPort = std::make_unique<GadgetDrawerViewPort> (gadget);
}

void GadgetDrawerHost::setDrawer (juce::Component* content, GadgetDrawer::Orientation orientation, int clientAreaSize)
{
    viewPort.reset();

    if (content == nullptr)
        return;

    viewPort = std::make_unique<GadgetDrawerViewPort> (gadget);
    viewPort->setDrawerOrientation (orientation);
    viewPort->setDrawerClientAreaSize (clientAreaSize < 0 ? GadgetDrawer::defaultClientAreaSize : clientAreaSize);
    viewPort->setDrawerContent (content);
}

void GadgetDrawerHost::toggle()
{
    if (viewPort == nullptr)
        return;

    if (viewPort->isOnDesktop())
    {
        juce::Component::SafePointer<GadgetDrawerViewPort> port (viewPort.get());
        viewPort->concealDrawer ([port]
                                 {
                                     if (port != nullptr)
                                         port->removeFromDesktop(); });
        return;
    }

    // A temporary window without windowAppearsOnTaskbar: no taskbar entry.
    // On top before the window exists (see gadget::showOnDesktop).
    viewPort->setAlwaysOnTop (true);
    viewPort->addToDesktop (juce::ComponentPeer::windowIsTemporary);
    viewPort->setBounds (viewPort->calcBoundsOnDesktop (bodyComponent.getScreenBounds()));
    viewPort->setVisible (true);
    viewPort->toFront (false);

    juce::Component::SafePointer<juce::Component> window (&windowComponent);
    viewPort->revealDrawer ([window]
                            {
                                if (window != nullptr)
                                    window->repaint(); });
}

void GadgetDrawerHost::conceal (std::function<void()> callback)
{
    if (viewPort == nullptr)
    {
        if (callback)
            callback();

        return;
    }

    juce::Component::SafePointer<GadgetDrawerViewPort> port (viewPort.get());
    viewPort->concealDrawer ([port, done = std::move (callback)]
                             {
                                 if (port != nullptr)
                                     port->removeFromDesktop();

                                 if (done)
                                     done(); });
}

void GadgetDrawerHost::followBody()
{
    if (viewPort != nullptr && viewPort->isOnDesktop())
        viewPort->setBounds (viewPort->calcBoundsOnDesktop (bodyComponent.getScreenBounds()));
}

bool GadgetDrawerHost::isOpen() const
{
    return viewPort != nullptr && viewPort->isOnDesktop();
}

juce::Component* GadgetDrawerHost::getContent() const
{
    return viewPort != nullptr ? viewPort->getDrawerContent() : nullptr;
}
