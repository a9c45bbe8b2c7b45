// The track header: the mute and solo buttons change the model, then tell
// the host, and follow the tree; the name label and the properties panel;
// the helmets and velocity lanes the editor keeps per staff across reloads.
#include "orv/ui/tracker/header/TrackHeader.h"
#include "gadget/TestMouse.h"
#include "orv/score/io/TestOrvana.h"
#include "orv/ui/tracker/Tracker.h"
#include "orv/ui/tracker/TrackerTestScores.h"
#include "orv/ui/tracker/ve/VelLane.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

using orv::Track;
using orv::tracker::TrackHelmet;
using orv::tracker::header::HeaderButton;

namespace
{
/** A release of the left button over the component (a click). */
void click (juce::Component& component)
{
    const auto centre = component.getLocalBounds().getCentre().toFloat();
    component.mouseUp (testing_support::makeMouseEvent (component, centre));
}

juce::StringArray sentTexts (const TestOrvana& orvana, const juce::String& method)
{
    juce::StringArray texts;

    for (const auto& sent : orvana.sentActions)
        if (sent.method == method)
            texts.add (sent.argument["dataStr"].toString());

    return texts;
}

/** Staves 1..3; staff 2 is "Violin I" ("Vln. I"), half muted. */
struct HeaderFixture
{
    HeaderFixture()
    {
        for (int staff = 1; staff <= 3; ++staff)
            orvana.score.getOrCreateTrack (staff);

        track = orvana.score.getTrack (2);
        track.setName ("Violin I");
        track.setShortName ("Vln. I");
        track.setMute (Track::Mute::halfMuted);
        helmet = std::make_unique<TrackHelmet> (orvana, track);
        helmet->setSize (100, 120);
    }

    TestOrvana orvana;
    Track track;
    std::unique_ptr<TrackHelmet> helmet;
};
} // namespace

TEST (TrackHeader, MuteAndSoloChangeTheModelThenTellTheHostAndFollowTheTrack)
{
    HeaderFixture f;
    auto& mute = f.helmet->getHeader().getMuteButton();
    auto& solo = f.helmet->getHeader().getSoloButton();
    EXPECT_EQ (mute.getLit(), HeaderButton::Lit::half) << "half muted shows apart";

    click (mute);
    EXPECT_EQ (f.track.getMute(), Track::Mute::muted) << "half muted becomes muted";
    EXPECT_EQ (mute.getLit(), HeaderButton::Lit::on);
    click (mute);
    EXPECT_EQ (f.track.getMute(), Track::Mute::notMuted) << "muted becomes not muted";
    EXPECT_EQ (mute.getLit(), HeaderButton::Lit::off);
    EXPECT_EQ (sentTexts (f.orvana, "staffMute"), juce::StringArray ({"2,M", "2,N"}));

    click (solo);
    EXPECT_TRUE (f.track.getSolo());
    EXPECT_EQ (solo.getLit(), HeaderButton::Lit::on);
    click (solo);
    EXPECT_EQ (sentTexts (f.orvana, "staffSolo"), juce::StringArray ({"2;T;1,2,3", "2;F;1,2,3"}));

    // A release outside the button, or a right click, does nothing.
    mute.mouseUp (testing_support::makeMouseEvent (mute, {-5.0f, -5.0f}));
    mute.mouseUp (testing_support::makeMouseEvent (mute, {5.0f, 5.0f}, {5.0f, 5.0f}, false));
    EXPECT_EQ (f.orvana.sentActions.size(), 4u);

    // A change from the host, and a reload's new tree, show up.
    f.track.setMute (Track::Mute::muted);
    EXPECT_EQ (mute.getLit(), HeaderButton::Lit::on);
    auto reloaded = Track::create (2);
    reloaded.setMute (Track::Mute::halfMuted);
    reloaded.setSolo (true);
    reloaded.setName ("Viola");
    f.helmet->setTrack (reloaded);
    EXPECT_EQ (mute.getLit(), HeaderButton::Lit::half);
    EXPECT_EQ (solo.getLit(), HeaderButton::Lit::on);
    EXPECT_EQ (f.helmet->getHeader().getNameLabel().getText(), "Viola");
    f.track.setMute (Track::Mute::notMuted);
    EXPECT_EQ (mute.getLit(), HeaderButton::Lit::half) << "the old tree is no longer followed";
}

TEST (TrackHeader, ThePropertiesPanelOpensOnADoubleClickAndSendsTheNamesAsTyped)
{
    HeaderFixture f;
    juce::Component window;
    window.setSize (600, 400);
    window.addAndMakeVisible (*f.helmet);
    auto& label = f.helmet->getHeader().getNameLabel();

    label.mouseDoubleClick (testing_support::makeMouseEvent (label, {4.0f, 4.0f}));
    ASSERT_TRUE (f.helmet->isPropsPanelOpen());
    auto* panel = f.helmet->getPropsPanel();
    EXPECT_EQ (panel->getParentComponent(), &window) << "beside the header, not clipped by it";
    EXPECT_EQ (panel->getNameField().getText(), "Violin I");
    EXPECT_EQ (panel->getShortNameField().getText(), "Vln. I");

    // Cancel changes nothing.
    panel->getNameField().setText ("Nothing");
    panel->cancel();
    EXPECT_FALSE (f.helmet->isPropsPanelOpen());
    EXPECT_EQ (f.track.getName(), "Violin I");
    EXPECT_TRUE (f.orvana.sentActions.empty());
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return f.helmet->getPropsPanel() == nullptr; }));

    // A name with the separators goes out as typed; the model and the label have it.
    f.helmet->openPropsPanel();
    panel = f.helmet->getPropsPanel();
    f.track.setName ("Violin II"); // changed meanwhile by a reload
    panel->syncFromState();
    EXPECT_EQ (panel->getNameField().getText(), "Violin II");
    panel->getNameField().setText ("Vl. | solo: A");
    panel->getShortNameField().setText ("V:1");
    panel->submitAndClose();
    EXPECT_FALSE (f.helmet->isPropsPanelOpen());
    EXPECT_EQ (f.track.getName(), "Vl. | solo: A");
    EXPECT_EQ (label.getText(), "Vl. | solo: A");
    EXPECT_EQ (sentTexts (f.orvana, "setTrackProps"), juce::StringArray ({"staffIndex:2|name:Vl. | solo: A|shortName:V:1"}));
}

TEST (TrackHeader, TheEditorKeepsAHelmetAndAVelocityLanePerStaffAcrossReloads)
{
    TestOrvana orvana;
    ASSERT_TRUE (orvana.loadText (trackerTestPayload (8, 1024, "4/4", 2)));
    orv::tracker::Tracker tracker (orvana);
    tracker.setSize (1000, 700);

    auto* helmet = tracker.getHelmets().getHelmet (2);
    ASSERT_NE (helmet, nullptr);
    const auto& cons = tracker.getTrackCons();
    ASSERT_EQ (cons.size(), 2u);
    EXPECT_EQ (helmet->getBounds().getY(), cons[1]->getY()) << "level with its container";
    EXPECT_EQ (helmet->getHeight(), cons[1]->getHeight());
    auto& lane = cons[1]->getVelLane();
    EXPECT_TRUE (lane.isVisible());
    EXPECT_EQ (lane.getBounds(), cons[1]->getLaneAreas().velocity);
    EXPECT_GT (lane.getHeight(), 0);

    tracker.hideVelCon();
    EXPECT_FALSE (lane.isVisible());
    EXPECT_FALSE (orvana.getOrvState().getOrCreateTrackerState().getVelConShown());
    tracker.showVelCon();
    EXPECT_TRUE (lane.isVisible());
    EXPECT_EQ (lane.getBounds(), cons[1]->getLaneAreas().velocity);
    EXPECT_TRUE (orvana.getOrvState().getOrCreateTrackerState().getVelConShown());

    // A reload: the same helmet and lane follow staff 2's new tree.
    ASSERT_TRUE (orvana.loadText (juce::String (trackerTestPayload (8, 1024, "4/4", 2)).replace ("Staff 2", "Cello"),
                                  orv::score::io::ScoreLoader::DecodeMode::reload));
    ASSERT_TRUE (testsupport::pumpUntil ([&]
                                         { return helmet->getHeader().getNameLabel().getText() == "Cello"; }));
    EXPECT_EQ (tracker.getHelmets().getHelmet (2), helmet);
    EXPECT_EQ (lane.getTrack().getState(), orvana.score.getTrack (2).getState());
    EXPECT_EQ (helmet->getTrack().getState(), orvana.score.getTrack (2).getState());
}
