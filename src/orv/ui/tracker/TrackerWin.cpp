#include "orv/ui/tracker/TrackerWin.h"
#include "gadget/GadgetDesktop.h"
#include "orv/ui/tracker/WindowPlacement.h"

namespace orv::tracker
{
std::unique_ptr<IOrvEditorWindow> TrackerWin::makeWindow (IOrvana& orvana)
{
    return std::make_unique<TrackerWin> (orvana);
}

TrackerWin::TrackerWin (IOrvana& orvanaToShow)
    : juce::DocumentWindow (windowName, juce::Colours::transparentBlack, 0, false)
    , orvana (orvanaToShow)
    , hub (orvana)
{
    setUsingNativeTitleBar (false);
    setTitleBarHeight (0);
    setOpaque (false);
    setResizable (true, true);
    setResizeLimits (400, 240, 10000, 10000);
    setContentNonOwned (&hub, false);

    hub.onClose = [this]
    { closeButtonPressed(); };
    hub.onToggleMaximise = [this]
    { toggleMaximised(); };
}

TrackerWin::~TrackerWin()
{
    storeWindowState();
    clearContentComponent();
}

int TrackerWin::getDesktopWindowStyleFlags() const
{
    return juce::DocumentWindow::getDesktopWindowStyleFlags() & ~juce::ComponentPeer::windowAppearsOnTaskbar;
}

void TrackerWin::present()
{
    const auto tracker = orvana.getOrvState().getOrCreateTrackerState();
    const auto mouse = juce::Desktop::getMousePosition();
    const auto* display = juce::Desktop::getInstance().getDisplays().getDisplayForPoint (mouse);
    const auto area = display != nullptr ? display->userArea : juce::Rectangle<int> (0, 0, 1280, 800);

    auto wantedWidth = tracker.getWindowWidth();

    if (wantedWidth <= 0)
        wantedWidth = hub.getTracker().calcInitialWidth (area.getWidth());

    setBounds (initialWindowBounds (tracker.getWinNormalStateBounds(), tracker.getOpenNearMouse(), mouse, area, wantedWidth, tracker.getWindowHeight()));
    addToDesktop (getDesktopWindowStyleFlags());

    if (tracker.getWindowState() == "maximized")
        setFullScreen (true);

    gadget::bringToFront (*this);
}

void TrackerWin::bringToFront()
{
    gadget::bringToFront (*this);
}

void TrackerWin::closeButtonPressed()
{
    if (onCloseRequested)
        onCloseRequested();
}

void TrackerWin::toggleMaximised()
{
    setFullScreen (!isFullScreen());
}

void TrackerWin::storeWindowState()
{
    auto tracker = orvana.getOrvState().getOrCreateTrackerState();
    const auto maximised = isFullScreen();
    tracker.setWindowState (maximised ? "maximized" : "normal");
    tracker.setWinState (getWindowStateAsString());

    if (!maximised && getWidth() > 0 && getHeight() > 0)
    {
        tracker.setWinNormalStateBounds (getBounds().toString());
        tracker.setWindowWidth (getWidth());
        tracker.setWindowHeight (getHeight());
    }
}
} // namespace orv::tracker
