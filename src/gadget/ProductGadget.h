#pragma once

#include "gadget/Gadget2.h"
#include "gadget/GadgetDesktop.h"

#include <utility>

/** A product's gadget window as its logic sees it: GadgetBase (Gadget2, or
    Gadget with a position state) that implements the product's window
    interface (an IProductWindow). The close button asks the window's owner
    to close it; present() places the window as its stored state says. */
template <typename WindowInterface, typename GadgetBase = Gadget2>
class ProductGadget : public GadgetBase,
                      public WindowInterface
{
public:
    template <typename... Args>
    explicit ProductGadget (Args&&... args)
        : GadgetBase (std::forward<Args> (args)...)
    {
        GadgetBase::onClose = [this]
        {
            if (WindowInterface::onCloseRequested)
                WindowInterface::onCloseRequested();
        };
    }

    void present() override
    {
        if constexpr (std::is_base_of_v<Gadget2, GadgetBase>)
            gadget::showOnDesktop (static_cast<Gadget2&> (*this));
        else
            gadget::showOnDesktop (static_cast<GadgetBase&> (*this), GadgetBase::getPositionState());
    }

    void bringToFront() override { gadget::bringToFront (*this); }
};
