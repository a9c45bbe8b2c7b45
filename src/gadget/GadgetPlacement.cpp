#include "gadget/GadgetPlacement.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace gadget
{
std::optional<juce::Rectangle<int>> findDesktopMonitorArea (juce::Rectangle<int> screenBounds)
{
    if (auto* display = juce::Desktop::getInstance().getDisplays().getDisplayForRect (screenBounds))
        return display->userArea;

    return std::nullopt;
}

std::vector<juce::Rectangle<int>> getDesktopMonitorAreas()
{
    std::vector<juce::Rectangle<int>> areas;
    const auto& displays = juce::Desktop::getInstance().getDisplays();

    if (auto* primary = displays.getPrimaryDisplay())
        areas.push_back (primary->userArea);

    for (const auto& display : displays.displays)
        if (!display.isMain)
            areas.push_back (display.userArea);

    return areas;
}

bool isMaximizedSize (int width, int height, juce::Rectangle<int> monitorArea)
{
    return std::abs (width - monitorArea.getWidth()) < 3 && std::abs (height - monitorArea.getHeight()) < 3;
}

Placement decidePlacement (const GadgetState& state, juce::Rectangle<int> windowBounds,
                           const std::vector<juce::Rectangle<int>>& monitorAreas)
{
    if (state.isMaximized())
        return {Placement::Kind::maximize, windowBounds.getPosition()};

    const auto x = state.getX();
    const auto y = state.getY();

    if (x.has_value() && y.has_value())
    {
        const auto stored = windowBounds.withPosition (*x, *y);
        const auto visible = monitorAreas.empty()
                             || std::any_of (monitorAreas.begin(), monitorAreas.end(),
                                             [&stored] (auto area)
                                             { return area.intersects (stored); });

        if (visible)
            return {Placement::Kind::moveTo, stored.getPosition()};
    }

    if (monitorAreas.empty())
        return {Placement::Kind::centre, windowBounds.getPosition()};

    const auto centre = monitorAreas.front().getCentre();
    return {Placement::Kind::centre, centre - juce::Point<int> (windowBounds.getWidth() / 2, windowBounds.getHeight() / 2)};
}
} // namespace gadget
