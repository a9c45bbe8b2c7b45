#include "orv/pref/OrvState.h"
#include "orv/pref/PrefIds.h"

#include <gtest/gtest.h>

using orv::OrvState;
using orv::OrvTempoState;
using orv::TempoBpmViewRange;
namespace ids = orv::prefids;

TEST (OrvState, DefaultsAreAddedOnlyWhereMissing)
{
    OrvState state;
    state.ensureDefaults();

    auto tracker = state.getOrCreateTrackerState();
    auto tempo = state.getOrCreateTempoState();

    // Values the user set survive a later ensureDefaults.
    tracker.setOpenNearMouse (false);
    tempo.setShow (OrvTempoState::Show::shown);
    tempo.getSnapping().setEnabled (false);
    state.setWelcomeWizardFinished (true);
    state.ensureDefaults();
    EXPECT_FALSE (state.getOrCreateTrackerState().getOpenNearMouse());
    EXPECT_TRUE (state.getOrCreateTempoState().isShown());
    EXPECT_FALSE (state.getOrCreateTempoState().getSnapping().isEnabled());
    EXPECT_TRUE (state.getWelcomeWizardFinished());

    // A tree read from a file that lacks some properties is completed.
    OrvState partial (juce::ValueTree (ids::ORV_STATE, {}, {juce::ValueTree (ids::TEMPO_STATE, {{ids::show, "showTempo"}})}));
    partial.ensureDefaults();
    EXPECT_TRUE (partial.getOrCreateTempoState().isShown());
    EXPECT_TRUE (partial.getOrCreateTempoState().getState().hasProperty (ids::chompMode));
    EXPECT_TRUE (partial.getOrCreateTempoState().getState().getChildWithName (ids::TOGGLESIZEKNOB).hasProperty (ids::togglePosition));
}

TEST (OrvState, TempoStateTexts)
{
    OrvState state;
    auto tempo = state.getOrCreateTempoState();
    tempo.setNodeReachShape (orv::ReachShape::Ramp);
    EXPECT_EQ (tempo.getState()[ids::nodeReachShape].toString(), "R");

    auto snapping = tempo.getSnapping();
    snapping.utilSetTicksWithOff ("off");
    EXPECT_FALSE (snapping.isEnabled());
    EXPECT_EQ (snapping.utilGetTicksWithOff(), "off");
    EXPECT_EQ (snapping.getGridTicks(), 1);
    snapping.utilSetTicksWithOff ("128");
    EXPECT_EQ (snapping.utilGetTicksWithOff(), "128");
    EXPECT_EQ (snapping.getGridTicks(), 128);
    snapping.setTicks (0);
    EXPECT_EQ (snapping.getGridTicks(), 1);
}

TEST (OrvState, BpmViewRange)
{
    EXPECT_EQ (TempoBpmViewRange (130, 140), TempoBpmViewRange (130, 150));
    EXPECT_EQ (TempoBpmViewRange (-5, 100).getMin(), 0.0);
    for (const char* bad : {"abc", "a,b", "1,2,3"})
        EXPECT_EQ (TempoBpmViewRange::fromString (bad), TempoBpmViewRange (0, 20)) << bad;

    EXPECT_EQ (TempoBpmViewRange::fromString ("60.5, 120"), TempoBpmViewRange (60.5, 120));
    EXPECT_EQ (TempoBpmViewRange (60.5, 120).toString(), "60.5,120");

    OrvState state;
    auto tempo = state.getOrCreateTempoState();
    tempo.utilSetUpperBpm (180);
    EXPECT_EQ (tempo.getBpmViewRange(), TempoBpmViewRange (40, 180));
    tempo.utilSetUpperBpm (45);
    EXPECT_EQ (tempo.getBpmViewRange(), TempoBpmViewRange (40, 60)) << "never narrower than 20";
    tempo.utilSetLowerBpm (55);
    EXPECT_EQ (tempo.getBpmViewRange(), TempoBpmViewRange (40, 60)) << "the lower end stops 20 below the upper";
    tempo.utilSetLowerBpm (10);
    EXPECT_EQ (tempo.getBpmViewRange(), TempoBpmViewRange (10, 60));
    tempo.utilSetLowerBpm (-30);
    EXPECT_EQ (tempo.getBpmViewRange(), TempoBpmViewRange (0, 60));
}
