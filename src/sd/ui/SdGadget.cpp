#include "sd/ui/SdGadget.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "sd/ui/SdLayout.h"

namespace sd
{
namespace
{
const juce::Colour mainColour{0xff2f6f8f};
const juce::Colour gradientEndColour{0xff1b3a57};

struct KnobBinding
{
    const juce::Identifier& property;
    float defaultValue;
    const char* caption;
};

const std::array<KnobBinding, 3> knobBindings{{{SdState::jumpToClosestWeight, SdState::defaultClosestWeight, "THIRD"},
                                               {SdState::jumpToFifthWeight, SdState::defaultFifthWeight, "FIFTH"},
                                               {SdState::jumpToOctaveWeight, SdState::defaultOctaveWeight, "OCTAVE"}}};
} // namespace

//==============================================================================
void SdLogoButton::paint (juce::Graphics& g)
{
    GadgetMainButton::paint (g);

    const auto offset = getFrontPlateOffset (getVisualState());
    g.addTransform (juce::AffineTransform::translation (-offset, -offset));

    // Four quarter notes walking up: the line the button writes.
    g.setColour (gfx::colours::overlay);
    for (int i = 0; i < 4; ++i)
    {
        const auto x = 30.0f + static_cast<float> (i) * 15.0f;
        const auto y = 62.0f - static_cast<float> (i) * 5.0f;
        g.fillEllipse (x, y, 9.0f, 7.0f);
        g.fillRect (x + 7.6f, y - 22.0f, 1.4f, 25.0f);
    }

    gfx::setFont (g, gfx::font::labelBold);
    g.drawText ("STRIDEL", juce::Rectangle<float> (20.0f, 74.0f, 80.0f, 16.0f), juce::Justification::centred, false);
}

//==============================================================================
SdKnobRow::SdKnobRow (SdState& state)
{
    for (size_t i = 0; i < knobs.size(); ++i)
    {
        knobs[i].setRange (0.0f, 1.0f);
        knobs[i].bind (state.getTree(), knobBindings[i].property, knobBindings[i].defaultValue);
        knobs[i].setTitle (knobBindings[i].caption);
        addAndMakeVisible (knobs[i]);
    }
}

void SdKnobRow::resized()
{
    for (size_t i = 0; i < knobs.size(); ++i)
        knobs[i].setBounds (static_cast<int> (i) * layout::knobPitch, 0, layout::knobSize, layout::knobSize);
}

void SdKnobRow::paint (juce::Graphics& g)
{
    gfx::setFont (g, gfx::font::micro);
    g.setColour (gfx::colours::overlay);

    for (size_t i = 0; i < knobs.size(); ++i)
    {
        const auto area = juce::Rectangle<int> (static_cast<int> (i) * layout::knobPitch - 4, layout::knobSize + 4, layout::knobSize + 8, layout::captionHeight);
        g.drawText (knobBindings[i].caption, area, juce::Justification::centred, false);
    }
}

//==============================================================================
std::unique_ptr<ISdWindow> SdGadget::makeWindow (SdState state)
{
    return std::make_unique<SdGadget> (state);
}

SdGadget::SdGadget (SdState stateToUse)
    : state (std::move (stateToUse))
{
    setName (layout::windowName);
    setPositionState (state.getPositionState());

    getHead().addAndMakeVisible (knobRow);
    knobRow.setBounds (layout::knobRowX, layout::knobRowY, layout::knobRowWidth, layout::knobRowHeight);

    mainButton.setBgGradient (juce::ColourGradient (mainColour.brighter (0.3f), 0.0f, 0.0f, gradientEndColour, 120.0f, 0.0f, false));
    mainButton.setTitle ("Write a walking bass");
    mainButton.onClick = [this]
    {
        if (onFetchAndWrite)
            onFetchAndWrite();
    };
    getBody().addAndMakeVisible (mainButton);
    mainButton.setBounds (layout::mainButtonX, layout::mainButtonY, layout::mainButtonSize, layout::mainButtonSize);

    updateLayout();
}

SdGadget::~SdGadget() = default;

int SdGadget::getHeadHeight()
{
    return layout::headHeight;
}

int SdGadget::getBodyWidth()
{
    return layout::bodyWidth;
}

int SdGadget::getBodyHeight()
{
    return layout::bodyHeight;
}

juce::Colour SdGadget::getColour()
{
    return mainColour;
}

juce::Colour SdGadget::getGradientEndColour()
{
    return gradientEndColour;
}
} // namespace sd
