#pragma once

#include "gadget/GadgetDrawerViewPort.h"

#include <memory>

/** Owns a gadget's optional drawer window and opens, closes and re-places it
    beside the gadget's body. Shared by both gadget window classes. */
class GadgetDrawerHost final
{
public:
    /** body: the component the drawer slides out from; window: repainted when a reveal completes. */
    GadgetDrawerHost (IGadget& owner, juce::Component& body, juce::Component& window);
    ~GadgetDrawerHost();

    /** true creates a fresh, empty drawer (replacing any old one); false destroys it. */
    void setHasDrawer (bool shouldHaveDrawer);

    /** Null content destroys the drawer; otherwise a new drawer replaces the old
        one. A client-area size of -1 means the default, 200. */
    void setDrawer (juce::Component* content, GadgetDrawer::Orientation orientation, int clientAreaSize);

    /** Conceals an open drawer (it leaves the desktop when the slide is over),
        or puts a closed one on the desktop beside the body and reveals it. */
    void toggle();

    /** Conceals the drawer, takes it off the desktop after 210 ms, then runs
        the callback. Without a drawer the callback runs at once. */
    void conceal (std::function<void()> callback);

    /** Re-places an open drawer after the body moved. */
    void followBody();

    /** A drawer exists and is on the desktop. */
    bool isOpen() const;
    juce::Component* getContent() const;
    GadgetDrawerViewPort* getViewPort() const { return viewPort.get(); }

private:
    IGadget& gadget;
    juce::Component& bodyComponent;
    juce::Component& windowComponent;
    std::unique_ptr<GadgetDrawerViewPort> viewPort;

    JUCE_DECLARE_NON_COPYABLE (GadgetDrawerHost)
};
