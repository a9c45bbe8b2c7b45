#include "orv/ui/tracker/TrackerLayout.h"

#include <cmath>

namespace orv::tracker
{
TrackerLayout TrackerLayout::forSize (int w, int h)
{
    TrackerLayout l;
    const auto lanesTop = topBarHeight + rulerHeight;
    const auto lanesHeight = h - lanesTop - scrollBarSize;
    l.topBar = {headerWidth, 0, w - headerWidth, topBarHeight};
    l.timePort = {headerWidth, topBarHeight, w - headerWidth - scrollBarSize, h - topBarHeight};
    l.helmets = {0, lanesTop, headerWidth, lanesHeight};
    l.docPane = {headerWidth, lanesTop, w - headerWidth - scrollBarSize, lanesHeight};
    l.verticalScrollBar = {w - scrollBarSize, lanesTop, scrollBarSize, lanesHeight};
    l.verticalZoom = {w - scrollBarSize, topBarHeight, scrollBarSize, rulerHeight};
    l.horizontalZoom = {w - horizontalZoomWidth, h - scrollBarSize, horizontalZoomWidth, scrollBarSize};
    l.statusOverlay = {5, 5, 90, 40};
    return l;
}

TrackerLayout TrackerLayout::withTempoLane (int height) const
{
    auto l = *this;
    const auto shown = juce::jlimit (0, juce::jmax (0, docPane.getHeight()), height);
    l.tempoTray = {0, docPane.getY(), headerWidth, shown};
    l.tempoLane = {docPane.getX(), docPane.getY(), docPane.getWidth(), shown};
    l.helmets = helmets.withTrimmedTop (shown);
    l.docPane = docPane.withTrimmedTop (shown);
    l.verticalScrollBar = verticalScrollBar.withTrimmedTop (shown);
    return l;
}

juce::Rectangle<int> TrackerLayout::portPane (int portWidth, int portHeight)
{
    return {0, 0, portWidth, portHeight - scrollBarSize};
}

juce::Rectangle<int> TrackerLayout::portScrollBar (int portWidth, int portHeight)
{
    return {0, portHeight - scrollBarSize, portWidth - (horizontalZoomWidth - scrollBarSize), scrollBarSize};
}

TrackStack TrackStack::forTracks (int visibleHeight, int numTracks, int wantedOffset)
{
    TrackStack stack;

    if (numTracks <= 0)
        return stack;

    const auto share = static_cast<int> (std::lround (static_cast<double> (visibleHeight) / numTracks));
    stack.trackHeight = juce::jmax (share, minTrackHeight);
    stack.totalHeight = stack.trackHeight * numTracks;
    stack.needsScrollBar = stack.totalHeight > visibleHeight;
    stack.offset = juce::jlimit (0, juce::jmax (0, stack.totalHeight - visibleHeight), wantedOffset);
    return stack;
}
} // namespace orv::tracker
