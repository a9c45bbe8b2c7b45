// The editor's overview window: where its bar strip starts after the
// product's scroll and restore calls, and its track list's centring.
#include "orv/ui/OverviewWindow.h"
#include "orv/score/io/TestOrvana.h"

#include <gtest/gtest.h>

TEST (OverviewWindow, ScrollsToTheRegionThenToTheStoredViewAndCentresTheTracks)
{
    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (R"({"soundSet": "default", "title": "Six", "activeRegion": {"barFrom": 3, "barTo": 4},
        "barList": [{"barNumber": 1, "length": 1024}, {"barNumber": 2, "length": 1024}, {"barNumber": 3, "length": 1024},
                    {"barNumber": 4, "length": 1024}, {"barNumber": 5, "length": 1024}, {"barNumber": 6, "length": 1024}],
        "staffList": [{"header": {"staffNum": 1, "fullInstrumentName": "Flute"}}, {"header": {"staffNum": 2, "fullInstrumentName": "Oboe"}}]})"));

    orv::ui::OverviewWindow window (orvana);
    EXPECT_EQ (window.getFirstVisibleBar(), 1);

    window.scrollToActiveRegion();
    EXPECT_EQ (window.getFirstVisibleBar(), 3);

    // No stored view: the region stays in view.
    window.restoreViewState();
    EXPECT_EQ (window.getFirstVisibleBar(), 3);

    orvana.state.getOrCreateEditorViewportState().setScrollDocX (5 * 1024 + 100);
    window.restoreViewState();
    EXPECT_EQ (window.getFirstVisibleBar(), 6);

    window.centreContent();
    const auto twoTracks = window.getTrackListOffset();
    EXPECT_GT (twoTracks, 0);

    for (int staff = 3; staff <= 40; ++staff)
        orvana.score.getOrCreateTrack (staff);
    window.centreContent();
    EXPECT_EQ (window.getTrackListOffset(), 0) << "a list taller than its area starts at the top";

    // Painting a loaded score draws without a display.
    juce::Image image (juce::Image::ARGB, window.getWidth(), window.getHeight(), true);
    juce::Graphics g (image);
    window.paintEntireComponent (g, false);
}
