#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

namespace orv::tracker
{
/** Where the editor's parts sit for a window body of width w and height h.
    The top bar spans w - 100 so that it ends at the window's right edge. */
struct TrackerLayout
{
    static constexpr int headerWidth = 100;
    static constexpr int topBarHeight = 30;
    static constexpr int rulerHeight = 40;
    static constexpr int scrollBarSize = 20;
    static constexpr int horizontalZoomWidth = 100;

    juce::Rectangle<int> topBar;
    juce::Rectangle<int> timePort;
    juce::Rectangle<int> helmets;
    juce::Rectangle<int> docPane;
    juce::Rectangle<int> verticalScrollBar;
    juce::Rectangle<int> verticalZoom;
    juce::Rectangle<int> horizontalZoom;
    juce::Rectangle<int> statusOverlay;

    /** The tempo block under the ruler: its tray in the headers' column and
        its lanes across the time axis; empty while it is hidden. */
    juce::Rectangle<int> tempoTray;
    juce::Rectangle<int> tempoLane;

    static TrackerLayout forSize (int w, int h);

    /** The layout with the tempo block shown: the headers, the lanes and the
        vertical scroll bar start that much lower. */
    TrackerLayout withTempoLane (int height) const;

    /** The time port's own children: the pane and the horizontal scroll bar. */
    static juce::Rectangle<int> portPane (int portWidth, int portHeight);
    static juce::Rectangle<int> portScrollBar (int portWidth, int portHeight);
};

/** The track containers stacked in the lanes' area. */
struct TrackStack
{
    static constexpr int minTrackHeight = 120;
    static constexpr int scrollStep = 40;

    int trackHeight = 0;
    int totalHeight = 0;
    bool needsScrollBar = false;
    /** The vertical scroll offset, kept within [0, total - visible]. */
    int offset = 0;

    /** Each of n tracks gets max(round(visible / n), 120); no tracks give an empty stack. */
    static TrackStack forTracks (int visibleHeight, int numTracks, int wantedOffset);
};
} // namespace orv::tracker
