// The transport wrapper: the play line as shown, and starting from the play line.
#include "orv/model/Transport.h"

#include <gtest/gtest.h>

using namespace orv;

namespace
{
PlayLineDisplayPoser shownAt (const char* meter, Poser line)
{
    Transport transport (juce::ValueTree ("TRANSPORT"));
    transport.setPlayLineMeter (Meter::fromString (meter));
    transport.setPlayLinePoser (line);
    return transport.getPlayLineDisplayPoser();
}
} // namespace

TEST (OrvTransport, DisplayPoserCountsBeatsOfThePlayLineMeter)
{
    // 4/4: a beat is 256 ticks.
    EXPECT_EQ (shownAt ("4/4", {5, 0}), (PlayLineDisplayPoser{5, 1, 0}));
    EXPECT_EQ (shownAt ("4/4", {5, 600}), (PlayLineDisplayPoser{5, 3, 88}));
    EXPECT_EQ (shownAt ("4/4", {5, 1023}), (PlayLineDisplayPoser{5, 4, 255}));
    // 6/8: a beat is an eighth, 128 ticks.
    EXPECT_EQ (shownAt ("6/8", {2, 300}), (PlayLineDisplayPoser{2, 3, 44}));
    EXPECT_EQ (shownAt ("6/8", {2, 767}), (PlayLineDisplayPoser{2, 6, 127}));
    // No meter yet: counted in quarters rather than dividing by zero.
    EXPECT_EQ (shownAt ("", {3, 512}), (PlayLineDisplayPoser{3, 3, 0}));
}

TEST (OrvTransport, PlayStartsFromThePlayLineAndWithoutDriverPositionsShowAtOnce)
{
    Transport transport (juce::ValueTree ("TRANSPORT"));
    transport.setPlayLineDelayMillis (1000);
    transport.setPlayLinePoser ({4, 128});

    transport.play (false);
    EXPECT_TRUE (transport.isPlaying());
    EXPECT_EQ (transport.getCurrentPlayStartedFrom(), Poser (4, 128));

    transport.setPlayLinePosWithDelay (6, 0);
    EXPECT_EQ (transport.getPlayLinePoser(), Poser (6, 0));

    transport.stop (false);
    EXPECT_EQ (transport.getPlayStatus(), Transport::stopped);
}
