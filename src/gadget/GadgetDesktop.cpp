#include "gadget/GadgetDesktop.h"
#include "gadget/Gadget.h"
#include "gadget/Gadget2.h"
#include "gadget/GadgetPlacement.h"
#include "platform/ProcessControl.h"

namespace gadget
{
void showOnDesktop (juce::Component& window, const GadgetState& state, const std::function<void()>& maximize)
{
    const auto placement = decidePlacement (state, window.getBounds(), getDesktopMonitorAreas());

    if (placement.kind == Placement::Kind::maximize && maximize)
        maximize();
    else
        window.setTopLeftPosition (placement.topLeft);

    const auto styleFlags = platform::isUiElementApplication() ? 0 : juce::ComponentPeer::windowAppearsOnTaskbar;
    // On top before the window exists: X11 windows cannot change it later,
    // so JUCE would destroy the new window and make another.
    window.setAlwaysOnTop (true);
    window.addToDesktop (styleFlags);
    bringToFront (window);
}

void showOnDesktop (Gadget2& gadget)
{
    showOnDesktop (gadget, gadget.getState(), [&gadget]
                   { gadget.maximize(); });
}

void showOnDesktop (Gadget& gadget, const GadgetState& state)
{
    // The older gadget cannot be maximized: a stored "maximized" is ignored
    // and the window goes where "x" and "y" say.
    GadgetState position;

    if (const auto x = state.getX(), y = state.getY(); x.has_value() && y.has_value())
        position.setPosition (*x, *y);

    showOnDesktop (gadget, position, {});
}

void bringToFront (juce::Component& window)
{
    window.setVisible (true);
    window.toFront (true);
}
} // namespace gadget
