// The tempo tray: its snap menu against "SNAPPING", the lever, the chomp
// and shape switches, the pendulum's 20 bpm floor, and the tempo block's
// loading notice while the curve is asked for.
#include "orv/ui/tracker/tempo/TempoTray.h"
#include "orv/ui/tracker/tempo/TempoPanel.h"
#include "orv/ui/tracker/tempo/TempoTestFixture.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

using orv::tracker::tempo::TempoCurveLoadingOverlay;
using orv::tracker::tempo::TempoPanel;
using orv::tracker::tempo::TempoTray;

TEST (TempoTray, SnapMenuFollowsAndWritesTheSnapping)
{
    TempoFixture f;
    TempoTray tray (f.tempoState());
    auto& combo = tray.getComboSnap().getCombo();

    juce::StringArray labels;
    for (const auto& item : combo.getItems())
        labels.add (item.label + "=" + juce::String (item.id));
    EXPECT_EQ (labels, juce::StringArray ({"Off=0", "1=1024", "1/2=512", "1/4=256", "1/8=128", "1/16=64", "1/32=32"}));

    auto snapping = f.tempoState().getSnapping();
    combo.requestSetSelectedId (256);
    EXPECT_TRUE (snapping.isEnabled());
    EXPECT_EQ (snapping.getTicks(), 256);
    combo.requestSetSelectedId (0);
    EXPECT_FALSE (snapping.isEnabled());
    EXPECT_EQ (combo.getSelectedId(), 0);

    // The state changed elsewhere (a loaded state file): the menu shows it.
    snapping.setTicks (64);
    snapping.setEnabled (true);
    EXPECT_EQ (combo.getSelectedId(), 64);
    EXPECT_EQ (combo.getSelectedLabel(), "1/16");
}

TEST (TempoTray, LeverSwitchesAndPendulumWriteTheTempoState)
{
    TempoFixture f;
    TempoTray tray (f.tempoState());
    tray.setBounds (0, 0, 100, 128);
    auto state = f.tempoState();

    // The lever's thirds: top, middle, bottom.
    auto& lever = tray.getToggleSizeKnob().getLever();
    for (const auto& [y, position] : {std::pair<float, int>{36.0f, 2}, {2.0f, 0}, {20.0f, 1}})
    {
        lever.mouseDown (mouseAt (lever, {8.0f, y}, {8.0f, y}, leftButton));
        EXPECT_EQ (state.getToggleSizePosition(), position) << y;
    }

    const auto chomp = state.getChompMode();
    auto& chompBtn = tray.getChompBtn();
    chompBtn.mouseUp (mouseAt (chompBtn, {5.0f, 5.0f}, {5.0f, 5.0f}, leftButton));
    EXPECT_NE (state.getChompMode(), chomp);

    auto& shape = tray.getNodeReachShapeSwitch();
    const auto before = state.getNodeReachShape();
    shape.mouseUp (mouseAt (shape, {5.0f, 5.0f}, {5.0f, 5.0f}, leftButton));
    EXPECT_NE (state.getNodeReachShape(), before);
    shape.mouseUp (mouseAt (shape, {5.0f, 5.0f}, {5.0f, 5.0f}, leftButton));
    EXPECT_EQ (state.getNodeReachShape(), before);

    // Dragging the lower weight up raises the minimum, never closer than 20 bpm to the maximum (200).
    auto& lower = tray.getPendulum().getLowerWeight();
    lower.mouseDown (mouseAt (lower, {5.0f, 5.0f}, {5.0f, 5.0f}, leftButton));
    lower.mouseDrag (mouseAt (lower, {5.0f, -25.0f}, {5.0f, 5.0f}, leftButton));
    EXPECT_EQ (state.getBpmViewRange(), orv::TempoBpmViewRange (70.0, 200.0));
    lower.mouseDrag (mouseAt (lower, {5.0f, -395.0f}, {5.0f, 5.0f}, leftButton));
    EXPECT_DOUBLE_EQ (state.getBpmViewRange().getMax() - state.getBpmViewRange().getMin(), 20.0);
    EXPECT_EQ (state.getState()["bpmViewRange"].toString(), state.getBpmViewRange().toString()) << "stored as text";

    // The upper weight dragged down far below the minimum pushes nothing under 20 bpm wide, nor below 0.
    auto& upper = tray.getPendulum().getUpperWeight();
    upper.mouseDown (mouseAt (upper, {5.0f, 5.0f}, {5.0f, 5.0f}, leftButton));
    upper.mouseDrag (mouseAt (upper, {5.0f, 900.0f}, {5.0f, 5.0f}, leftButton));
    const auto range = state.getBpmViewRange();
    EXPECT_GE (range.getMin(), 0.0);
    EXPECT_GE (range.getMax() - range.getMin(), 20.0);
}

TEST (TempoPanel, AsksForTheCurveShowsLoadingAndBuildsTheLaneWithTheReply)
{
    TempoFixture f;
    f.orvana.score.getOrCreateTempoCurve().clear();
    f.orvana.tempoCurveLoadPending = true;
    juce::Component editor;
    editor.setSize (1500, 400);
    TempoPanel panel (f.port, f.orvana);
    std::vector<bool> notices;
    panel.onLoadingChanged = [&] (bool loading)
    {
        notices.push_back (loading);
        panel.getTray().setCurveLoadingOverlayVisible (loading);
    };
    panel.addTo (editor, 0);
    panel.setBounds ({0, 0, 100, TempoPanel::height}, {100, 0, 1400, TempoPanel::height});
    EXPECT_EQ (f.orvana.tempoCurveRequests, 0) << "hidden: nothing is asked";

    f.tempoState().setShow (orv::OrvTempoState::Show::shown);
    EXPECT_EQ (f.orvana.tempoCurveRequests, 1);
    auto& overlay = panel.getTray().getOverlay();
    EXPECT_TRUE (panel.getTray().isCurveLoadingOverlayVisible());
    EXPECT_NEAR (overlay.getAlpha(), 0.95f, 0.005f) << "stored in 8 bits";
    EXPECT_STREQ (TempoCurveLoadingOverlay::text, "Loading tempo...");
    EXPECT_EQ (panel.getLane(), nullptr) << "no lane before the curve";

    // Still pending: the notice stays.
    testsupport::pumpFor (150);
    EXPECT_TRUE (panel.getTray().isCurveLoadingOverlayVisible());

    // The reply: the curve is loaded and the request is over.
    f.loadCurve (R"({"startLevel": 96, "points": []})");
    f.orvana.tempoCurveLoadPending = false;
    EXPECT_TRUE (testsupport::pumpUntil ([&]
                                         { return !panel.getTray().isCurveLoadingOverlayVisible(); }));
    ASSERT_NE (panel.getLane(), nullptr);
    EXPECT_TRUE (panel.getLane()->isVisible());
    EXPECT_EQ (panel.getLane()->getBounds(), juce::Rectangle<int> (100, TempoPanel::hitPointsHeight, 1400, TempoPanel::laneHeight));
    EXPECT_EQ (notices, (std::vector<bool>{true, false}));

    // Hiding and showing again with the curve there asks nothing more.
    panel.toggleShown();
    EXPECT_FALSE (panel.getLane()->isVisible());
    panel.toggleShown();
    EXPECT_TRUE (panel.getLane()->isVisible());
    EXPECT_EQ (f.orvana.tempoCurveRequests, 1);
}
