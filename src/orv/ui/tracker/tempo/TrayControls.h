#pragma once

#include "orv/pref/OrvState.h"
#include "ui/Combo.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace orv::tracker::tempo
{
/** A control of the tempo tray that follows the tempo state: it writes the
    tree and repaints from its change notification. */
class TempoStateControl : public juce::Component,
                          private juce::ValueTree::Listener
{
public:
    explicit TempoStateControl (OrvTempoState& state);
    ~TempoStateControl() override;

protected:
    /** The state changed (anywhere under the tempo state). */
    virtual void stateChanged() { repaint(); }
    OrvTempoState& tempoState;

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { stateChanged(); }
    juce::ValueTree tree;
};

/** The tempo snap menu: Off, 1, 1/2, 1/4, 1/8, 1/16, 1/32, written to the
    "SNAPPING" subtree ("off" disables it, any other id sets its ticks). */
class TempoComboSnap final : public TempoStateControl
{
public:
    explicit TempoComboSnap (OrvTempoState& state);

    ui::Combo& getCombo() { return combo; }
    void resized() override { combo.setBounds (getLocalBounds()); }

private:
    void stateChanged() override;
    ui::Combo combo;
};

/** The value-step lever: three positions (top: unrounded, middle: whole
    bpm, bottom: half bpm). A press or drag puts the knob in the third of
    the slot under the pointer. */
class Lever final : public TempoStateControl
{
public:
    explicit Lever (OrvTempoState& state);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override { setFromY (e.position.y); }
    void mouseDrag (const juce::MouseEvent& e) override { setFromY (e.position.y); }

private:
    void setFromY (float y);
    std::unique_ptr<juce::Drawable> images[3];
};

/** The lever with its slot, stored in "togglePosition". */
class ToggleSizeKnob final : public juce::Component
{
public:
    explicit ToggleSizeKnob (OrvTempoState& state);
    Lever& getLever() { return lever; }
    void resized() override { lever.setBounds (getLocalBounds()); }

private:
    Lever lever;
};

/** "CHOMP": toggles "chompMode"; lit while it is on. */
class ChompBtn final : public TempoStateControl
{
public:
    explicit ChompBtn (OrvTempoState& state);

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    std::unique_ptr<juce::Drawable> image;
};

/** "TYPE": switches "nodeReachShape" between ramp and jump, showing the current one. */
class NodeReachShapeSwitch final : public TempoStateControl
{
public:
    explicit NodeReachShapeSwitch (OrvTempoState& state);

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    std::unique_ptr<juce::Drawable> rampImage, jumpImage;
};

/** One end of the pendulum: it shows its bpm, and dragging it up or down
    moves that end of the lane's view range by a bpm per pixel. */
class PendulumWeight final : public juce::Component
{
public:
    static constexpr double bpmPerPixel = 1.0;

    PendulumWeight (OrvTempoState& state, bool upper);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    double currentValue() const;

    OrvTempoState& tempoState;
    bool isUpper;
    double valueAtDragStart = 0.0;
};

/** The lane's visible tempo range: a rod with a weight for each end. The
    range never becomes narrower than 20 bpm and is stored as its text. */
class Pendulum final : public TempoStateControl
{
public:
    static constexpr int weightHeight = 16;

    explicit Pendulum (OrvTempoState& state);

    PendulumWeight& getUpperWeight() { return upper; }
    PendulumWeight& getLowerWeight() { return lower; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void stateChanged() override;
    PendulumWeight upper, lower;
};
} // namespace orv::tracker::tempo
