#include "orv/ui/tracker/timePort/SnapProps.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>

namespace orv::tracker::timePort
{
const juce::Identifier SnapProps::type{"SNAPPROPS"};
const juce::Identifier SnapProps::snapTicks{"snapTicks"};
const juce::Identifier SnapProps::gridColor{"gridColor"};

// The keys as of the input event being handled, never the keyboard's state
// right now: asking the window system for the live state also takes its
// mouse buttons, and a window still working through queued drag events then
// sees the button already up and ends the drag at an old point.
std::function<bool()> SnapProps::isBypassHeld = []
{ return juce::ModifierKeys::getCurrentModifiers().isCtrlDown(); };

SnapProps::SnapProps()
    : state (type)
{
}

int SnapProps::getSnapTicks() const
{
    return static_cast<int> (state.getProperty (snapTicks, 0));
}

void SnapProps::setSnapTicks (int ticks)
{
    state.setProperty (snapTicks, ticks, nullptr);
}

juce::Colour SnapProps::getGridColor() const
{
    const auto text = state.getProperty (gridColor, {}).toString();
    return text.isEmpty() ? juce::Colour (0x40ffffff) : juce::Colour::fromString (text);
}

void SnapProps::setGridColor (juce::Colour colour)
{
    state.setProperty (gridColor, colour.toString(), nullptr);
}

int SnapProps::snapFilter (int ticks, SnapFilterMode mode) const
{
    const auto step = getSnapTicks();

    if (step <= 0 || (isBypassHeld != nullptr && isBypassHeld()))
        return ticks;

    const auto q = static_cast<double> (ticks) / step;

    switch (mode)
    {
        case SnapFilterMode::Floor:
            return static_cast<int> (std::floor (q)) * step;
        case SnapFilterMode::Nearest:
            return static_cast<int> (std::round (q)) * step;
        case SnapFilterMode::NearestAtLeastOne:
            return std::max (static_cast<int> (std::round (q)), 1) * step;
    }

    return 0;
}
} // namespace orv::tracker::timePort
