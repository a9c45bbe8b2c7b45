#include "orv/ui/tracker/WindowPlacement.h"

namespace orv::tracker
{
namespace
{
constexpr int minimumWidth = 400;
constexpr int minimumHeight = 240;
} // namespace

juce::Rectangle<int> initialWindowBounds (const juce::String& storedBounds, bool openNearMouse, juce::Point<int> mouse,
                                          juce::Rectangle<int> screenArea, int wantedWidth, int wantedHeight)
{
    const auto stored = juce::Rectangle<int>::fromString (storedBounds);

    if (storedBounds.isNotEmpty() && stored.getWidth() >= minimumWidth && stored.getHeight() >= minimumHeight
        && stored.intersects (screenArea))
        return stored.constrainedWithin (screenArea);

    const auto width = juce::jlimit (juce::jmin (minimumWidth, screenArea.getWidth()), screenArea.getWidth(), wantedWidth);
    const auto height = juce::jlimit (juce::jmin (minimumHeight, screenArea.getHeight()), screenArea.getHeight(), wantedHeight);
    const auto centre = openNearMouse ? mouse : screenArea.getCentre();
    return juce::Rectangle<int> (width, height).withCentre (centre).constrainedWithin (screenArea);
}
} // namespace orv::tracker
