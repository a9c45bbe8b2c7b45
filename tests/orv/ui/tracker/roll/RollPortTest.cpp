// The roll's vertical geometry, scroll clamping and centring, and that each
// track's roll keeps its place across reloads.
#include "orv/ui/tracker/roll/RollPort.h"
#include "orv/ui/tracker/roll/RollTestScore.h"
#include "support/MessagePump.h"

using orv::tracker::roll::RollPort;

TEST (RollPort, MapsPitchesToRowsAndBackAtAnyScrollAndZoom)
{
    RollPort port;
    port.setPortHeight (200);
    EXPECT_FLOAT_EQ (port.getZoomY(), 0.75f);
    EXPECT_FLOAT_EQ (port.getKeyViewHeight(), RollPort::keyHeight * 0.75f);

    for (const auto& [scroll, zoom] : {std::pair{0.0f, 0.75f}, {300.0f, 1.0f}, {777.5f, 2.0f}})
    {
        port.setZoomY (zoom);
        port.setScrollDocY (scroll);

        for (int pitch : {0, 1, 59, 60, 127})
        {
            const auto top = port.getKeyViewY (pitch);
            EXPECT_EQ (port.viewYToPitch (top + 0.01f), pitch) << scroll << " " << zoom;
            EXPECT_EQ (port.viewYToPitch (top + port.getKeyViewHeight() - 0.01f), pitch);
            EXPECT_NEAR (port.viewToDocY (port.docToViewY (123.0f)), 123.0f, 1.0e-3f);
        }

        EXPECT_LT (port.getKeyViewY (61), port.getKeyViewY (60)) << "higher pitches lie higher";
    }

    // White keys are 12/7 rows tall and the bottom one ends at the bottom of pitch 0's row.
    port.setZoomY (1.0f);
    port.setScrollDocY (0.0f);
    EXPECT_NEAR (port.getWhiteKeyViewY (0, 200) + 12.0f / 7.0f * RollPort::keyHeight, port.getKeyViewY (0) + RollPort::keyHeight, 1.0e-3f);
}

TEST (RollPort, ScrollStaysInTheDocumentAndCentresOnTheMeanPitch)
{
    RollPort port;
    port.setZoomY (1.0f);
    port.setPortHeight (240);
    const auto maxScroll = RollPort::keyHeight * 128 - 240.0f;

    port.setScrollDocY (-50.0f);
    EXPECT_FLOAT_EQ (port.getScrollDocY(), 0.0f);
    port.setScrollDocY (1.0e9f);
    EXPECT_FLOAT_EQ (port.getScrollDocY(), maxScroll);
    port.setScrollDocY (std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ (port.getScrollDocY(), 0.0f);

    port.setPortHeight (5000);
    port.setScrollDocY (100.0f);
    EXPECT_FLOAT_EQ (port.getScrollDocY(), 0.0f) << "a port taller than the document shows it from the top";

    port.setPortHeight (240);
    port.centerContentVertically();
    EXPECT_NEAR (port.getKeyViewY (60) + port.getKeyViewHeight() / 2.0f, 120.0f, 0.01f) << "no notes: middle C in the middle";
    port.getCentrePitch = []
    { return 72; };
    port.centerContentVertically();
    EXPECT_NEAR (port.getKeyViewY (72) + port.getKeyViewHeight() / 2.0f, 120.0f, 0.01f);
    port.getCentrePitch = []
    { return 127; };
    port.centerContentVertically();
    EXPECT_FLOAT_EQ (port.getScrollDocY(), 0.0f) << "clamped at the top";
}

TEST_F (RollFixture, EachRollCentresOnItsNotesAndKeepsItsPlaceAcrossReloads)
{
    make ({{1, 2, 0, 256, 70}, {1, 3, 0, 256, 75}, {2, 2, 0, 256, 40}});
    auto& one = grid (1);
    auto& two = grid (2);
    const auto middle = [] (RollGrid& g, int pitch)
    { return g.getKeyViewY (pitch) + g.getKeyViewHeight() / 2.0f - static_cast<float> (g.getHeight()) / 2.0f; };
    EXPECT_NEAR (middle (one, 73), 0.0f, one.getKeyViewHeight()) << "the rounded mean of 70 and 75";
    EXPECT_NEAR (middle (two, 40), 0.0f, two.getKeyViewHeight());

    two.stopAutoCentring(); // as a wheel over the keyboard does
    two.getRollPort().setZoomY (1.5f);
    two.getRollPort().setScrollDocY (300.0f);
    EXPECT_DOUBLE_EQ (orvana.score.getTrack (2).getPianoRollScrollY(), 300.0);

    ASSERT_TRUE (orvana.loadText (rollTestPayload ({{2, 2, 0, 256, 90}}), orv::score::io::ScoreLoader::DecodeMode::reload));
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return grid (2).getTrack().getState() == orvana.score.getTrack (2).getState(); }));
    EXPECT_FLOAT_EQ (grid (2).getRollPort().getScrollDocY(), 300.0f) << "not re-centred on the new notes";
    EXPECT_FLOAT_EQ (grid (2).getRollPort().getZoomY(), 1.5f);
    EXPECT_DOUBLE_EQ (orvana.score.getTrack (2).getPianoRollVerticalZoom(), 2.0) << "stored as a share of the default zoom";
    EXPECT_EQ (grid (1).getRollNotes().size(), 0u);
    EXPECT_EQ (grid (2).getRollNotes().size(), 1u);
}
