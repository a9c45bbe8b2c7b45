#pragma once

#include "gadget/Gadget.h"
#include "gadget/GadgetKnob.h"
#include "gadget/GadgetMainButton.h"
#include "gadget/ProductGadget.h"
#include "sd/ISdWindow.h"
#include "sd/SdState.h"

#include <array>

namespace sd
{
/** The main button with Stridel's logo on its face: a walking line of four
    notes over the name. */
class SdLogoButton final : public GadgetMainButton
{
public:
    void paint (juce::Graphics& g) override;
};

/** The three jump-weight knobs of the head, captioned below. */
class SdKnobRow final : public juce::Component
{
public:
    explicit SdKnobRow (SdState& state);

    GadgetKnob& getKnob (size_t index) { return knobs[index]; }
    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    std::array<GadgetKnob, 3> knobs;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SdKnobRow)
};

/** Stridel's window, on the older gadget (its moves go to "x" and "y" of the
    state): the weight knobs in the head and the main button in the body. */
class SdGadget final : public ProductGadget<ISdWindow, Gadget>
{
public:
    /** The window the product shows. */
    static std::unique_ptr<ISdWindow> makeWindow (SdState state);

    explicit SdGadget (SdState state);
    ~SdGadget() override;

    int getHeadHeight() override;
    int getBodyWidth() override;
    int getBodyHeight() override;
    juce::Colour getColour() override;
    juce::Colour getGradientEndColour() override;

    SdKnobRow& getKnobRow() { return knobRow; }
    GadgetMainButton& getMainButton() { return mainButton; }

private:
    SdState state;
    SdKnobRow knobRow{state};
    SdLogoButton mainButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SdGadget)
};
} // namespace sd
