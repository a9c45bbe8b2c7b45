#pragma once

#include "products/IProductWindow.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <memory>
#include <type_traits>

/** Owns at most one window of a product: creates it on first show, brings it
    to the front on later ones, destroys it when the user closes it (after
    the close button's click has returned) and then tells the product, which
    stores its state. Window is the product's own window interface. */
template <typename Window>
class ProductWindowSlot final
{
    static_assert (std::is_base_of_v<IProductWindow, Window>, "a product window derives from IProductWindow");

public:
    using Factory = std::function<std::unique_ptr<Window>()>;

    explicit ProductWindowSlot (Factory windowFactory)
        : factory (std::move (windowFactory))
    {
    }

    ~ProductWindowSlot()
    {
        // Destroyed with its product: the product stores its state itself.
        onClosed = nullptr;
        window.reset();
    }

    /** Runs after the window was destroyed by close() or by the user. */
    std::function<void()> onClosed;

    /** Creates and presents the window when there is none, else brings it to
        the front. Null only when the factory made no window. */
    Window* show()
    {
        if (window != nullptr)
        {
            window->bringToFront();
            return window.get();
        }

        return create();
    }

    /** For products whose trigger rebuilds the window: destroys the current
        one (without onClosed) and presents a new one. */
    Window* showAnew()
    {
        window.reset();
        return create();
    }

    /** The window, or null when none is open. */
    Window* get() const { return window.get(); }
    bool isOpen() const { return window != nullptr; }

    /** Destroys the window now and runs onClosed; nothing when none is open. */
    void close()
    {
        if (window == nullptr)
            return;

        window.reset();

        if (onClosed)
            onClosed();
    }

private:
    Window* create()
    {
        window = factory != nullptr ? factory() : nullptr;

        if (window == nullptr)
            return nullptr;

        // The close button is still on the stack when this runs: destroy the
        // window later, and only if it is still the one that asked.
        const auto asking = ++generation;
        window->onCloseRequested = [weak = juce::WeakReference<ProductWindowSlot> (this), asking]
        {
            juce::MessageManager::callAsync ([weak, asking]
                                             {
                                                 if (auto* slot = weak.get())
                                                     if (slot->generation == asking)
                                                         slot->close(); });
        };

        window->present();
        return window.get();
    }

    Factory factory;
    std::unique_ptr<Window> window;
    /** Counts the windows made, so a late close request of an earlier one is ignored. */
    int generation = 0;

    JUCE_DECLARE_WEAK_REFERENCEABLE (ProductWindowSlot)
    JUCE_DECLARE_NON_COPYABLE (ProductWindowSlot)
};
