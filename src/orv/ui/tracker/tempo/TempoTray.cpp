#include "orv/ui/tracker/tempo/TempoTray.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace orv::tracker::tempo
{
namespace
{
// Where the tray's parts sit (the tray is 100 pixels wide).
const juce::Rectangle<int> snapLabelArea{2, 2, 30, 16};
const juce::Rectangle<int> comboArea{32, 2, 64, 16};
const juce::Rectangle<int> leverArea{4, 24, 16, 40};
const juce::Rectangle<int> chompArea{26, 24, 24, 18};
const juce::Rectangle<int> chompLabelArea{20, 43, 36, 10};
const juce::Rectangle<int> typeArea{26, 58, 24, 18};
const juce::Rectangle<int> typeLabelArea{20, 77, 36, 10};
const juce::Rectangle<int> pendulumArea{66, 22, 30, 98};
} // namespace

TempoCurveLoadingOverlay::TempoCurveLoadingOverlay()
{
    setAlpha (opacity);
    setInterceptsMouseClicks (true, false);
}

void TempoCurveLoadingOverlay::paint (juce::Graphics& g)
{
    g.setColour (gfx::colours::well);
    g.fillRoundedRectangle (getLocalBounds().toFloat(), 4.0f);
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::small);
    g.drawFittedText (text, getLocalBounds().reduced (4), juce::Justification::centred, 2);
}

//==============================================================================
TempoTray::TempoTray (OrvTempoState state)
    : tempoState (std::move (state))
    , comboSnap (tempoState)
    , toggleSizeKnob (tempoState)
    , chompBtn (tempoState)
    , shapeSwitch (tempoState)
    , pendulum (tempoState)
{
    addAndMakeVisible (comboSnap);
    addAndMakeVisible (toggleSizeKnob);
    addAndMakeVisible (chompBtn);
    addAndMakeVisible (shapeSwitch);
    addAndMakeVisible (pendulum);
    addChildComponent (overlay);
}

void TempoTray::setCurveLoadingOverlayVisible (bool visible)
{
    overlay.setVisible (visible);

    if (visible)
        overlay.toFront (false);
}

void TempoTray::resized()
{
    comboSnap.setBounds (comboArea);
    toggleSizeKnob.setBounds (leverArea);
    chompBtn.setBounds (chompArea);
    shapeSwitch.setBounds (typeArea);
    pendulum.setBounds (pendulumArea.withHeight (juce::jmax (2 * Pendulum::weightHeight, getHeight() - pendulumArea.getY() - 4)));
    overlay.setBounds (getLocalBounds().withSizeKeepingCentre (getWidth() - 8, 36));
}

void TempoTray::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::panel);
    g.setColour (gfx::colours::text);
    gfx::setFont (g, gfx::font::tiny);
    g.drawText ("SNAP", snapLabelArea, juce::Justification::centredLeft, false);
    g.drawText ("CHOMP", chompLabelArea, juce::Justification::centred, false);
    g.drawText ("TYPE", typeLabelArea, juce::Justification::centred, false);
    g.setColour (gfx::colours::outline);
    g.fillRect (0, getHeight() - 1, getWidth(), 1);
}
} // namespace orv::tracker::tempo
