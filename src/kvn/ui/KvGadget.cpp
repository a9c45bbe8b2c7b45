#include "kvn/ui/KvGadget.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "kvn/ui/KvLayout.h"

namespace kv
{
namespace
{
const juce::Colour gradientStart{0xff8fd3c7};
const juce::Colour gradientEnd{0xff5b7fc4};
} // namespace

std::unique_ptr<IKvWindow> KvGadget::makeWindow (KvState state)
{
    return std::make_unique<KvGadget> (state);
}

KvGadget::KvGadget (KvState stateToUse)
    : state (std::move (stateToUse))
{
    setName (layout::windowName);
    setPositionState (state.getPositionState());

    auto& panel = getBody();
    panel.onPaintOverlays = [this] (juce::Graphics& g)
    { paintLabels (g); };

    knob.onPlay = [this]
    { run (onPlay); };

    modeButton.setActiveColor (GadgetButton::Colors::lightBlue);
    // Latching: the button shows the mode the state has, not the mouse.
    modeButton.setLatching (true);
    modeButton.setClickAction ([this]
                               {
        const auto toInterval = state.getTransposingMode() == KvState::TransposingMode::Key;
        state.setTransposingMode (toInterval ? KvState::TransposingMode::Interval : KvState::TransposingMode::Key); });

    transposeButton.setActiveColor (GadgetButton::Colors::orange);
    transposeButton.setClickAction ([this]
                                    { run (onTranspose); });
    signatureButton.setActiveColor (GadgetButton::Colors::orange);
    signatureButton.setClickAction ([this]
                                    { run (onInsertSignature); });
    playButton.setActiveColor (GadgetButton::Colors::yellow);
    playButton.setClickAction ([this]
                               { run (onPlay); });
    autoButton.setActiveColor (GadgetButton::Colors::yellow);
    autoButton.bindToggle (state.getTree(), KvState::autoPlay, false);

    for (auto* part : std::initializer_list<juce::Component*>{&knob, &intervalTypes, &modeButton, &transposeButton, &writtenSignaturesButton,
                                                              &signatureButton, &playButton, &autoButton})
        panel.addAndMakeVisible (part);

    state.getTree().addListener (this);
    modeButton.setPressed (state.getTransposingMode() == KvState::TransposingMode::Interval);
    updateLayout();
    layOut();
}

KvGadget::~KvGadget()
{
    state.getTree().removeListener (this);
}

void KvGadget::run (const std::function<void()>& callback)
{
    if (callback)
        callback();
}

int KvGadget::getBodyWidth()
{
    return layout::bodyWidth;
}

int KvGadget::getBodyHeight()
{
    return layout::bodyHeight;
}

juce::Colour KvGadget::getColour()
{
    return gradientStart;
}

juce::Colour KvGadget::getGradientEndColour()
{
    return gradientEnd;
}

void KvGadget::layOut()
{
    using namespace layout;
    modeButton.setBounds (modeButtonX, modeRowY, modeButtonWidth, modeRowHeight);
    knob.setBounds (knobX, knobY, knobSize, knobSize);
    intervalTypes.setBounds (clientX, typeRowY, clientWidth, typeRowHeight);
    transposeButton.setBounds (clientX, transposeRowY, halfWidth, rowHeight);
    writtenSignaturesButton.setBounds (rightColumnX, transposeRowY, halfWidth, rowHeight);
    signatureButton.setBounds (clientX, signatureRowY, halfWidth, rowHeight);
    playButton.setBounds (rightColumnX, signatureRowY, playWidth, rowHeight);
    autoButton.setBounds (rightColumnX + playWidth + 6, signatureRowY, playWidth, rowHeight);
}

void KvGadget::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree != state.getTree() || property != KvState::transposingMode)
        return;

    modeButton.setPressed (state.getTransposingMode() == KvState::TransposingMode::Interval);
    getBody().repaint();
}

void KvGadget::paintLabels (juce::Graphics& g)
{
    using namespace layout;
    const auto interval = state.getTransposingMode() == KvState::TransposingMode::Interval;
    const auto active = gfx::colours::overlay;
    const auto inactive = gfx::colours::outline.withAlpha (0.6f);

    gfx::setFont (g, gfx::font::labelBoldMedium);
    g.setColour (interval ? inactive : active);
    g.drawText ("Key", juce::Rectangle<int> (clientX, modeRowY, modeLabelWidth, modeRowHeight), juce::Justification::centredRight, false);
    g.setColour (interval ? active : inactive);
    g.drawText ("Interval", juce::Rectangle<int> (intervalLabelX, modeRowY, modeLabelWidth, modeRowHeight), juce::Justification::centredLeft, false);

    gfx::setFont (g, gfx::font::caption);
    g.setColour (gfx::colours::outline);
    g.drawText ("TRANSPOSE", juce::Rectangle<int> (clientX, transposeCaptionY, clientWidth, captionHeight), juce::Justification::centredLeft, false);
    g.drawText ("KEY SIGNATURE", juce::Rectangle<int> (clientX, signatureCaptionY, clientWidth, captionHeight), juce::Justification::centredLeft, false);
}
} // namespace kv
