#pragma once

#include "orv/ui/tracker/tempo/TrayControls.h"

namespace orv::tracker::tempo
{
/** "Loading tempo..." over the tray while the tempo curve is asked for. */
class TempoCurveLoadingOverlay final : public juce::Component
{
public:
    static constexpr float opacity = 0.95f;
    static constexpr const char* text = "Loading tempo...";

    TempoCurveLoadingOverlay();
    void paint (juce::Graphics& g) override;
};

/** The tempo lane's own controls, beside the lane: the snap menu, the
    value-step lever, the chomp button, the node-shape switch and the
    pendulum, with the labels "SNAP", "CHOMP" and "TYPE". */
class TempoTray final : public juce::Component
{
public:
    explicit TempoTray (OrvTempoState state);

    void setCurveLoadingOverlayVisible (bool visible);
    bool isCurveLoadingOverlayVisible() const { return overlay.isVisible(); }
    TempoCurveLoadingOverlay& getOverlay() { return overlay; }

    TempoComboSnap& getComboSnap() { return comboSnap; }
    ToggleSizeKnob& getToggleSizeKnob() { return toggleSizeKnob; }
    ChompBtn& getChompBtn() { return chompBtn; }
    NodeReachShapeSwitch& getNodeReachShapeSwitch() { return shapeSwitch; }
    Pendulum& getPendulum() { return pendulum; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    OrvTempoState tempoState;
    TempoComboSnap comboSnap;
    ToggleSizeKnob toggleSizeKnob;
    ChompBtn chompBtn;
    NodeReachShapeSwitch shapeSwitch;
    Pendulum pendulum;
    TempoCurveLoadingOverlay overlay;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TempoTray)
};
} // namespace orv::tracker::tempo
