#include "fry/ui/FryGadget.h"
#include "fry/ui/FryLayout.h"
#include "gadget/DrawerSwitch.h"
#include "gfx/FontStyle.h"

namespace fry
{
namespace
{
const char* const idleText = "Press the button to fetch\nthe selection as a MIDI clip";
const char* const busyText = "Fetching from Sibelius...";
const char* const mainCaption = "SELECTION";
} // namespace

std::unique_ptr<IFryWindow> FryGadget::makeWindow (State state)
{
    return std::make_unique<FryGadget> (state, std::make_unique<ExternalFileDrag>());
}

FryGadget::FryGadget (State stateToUse, std::unique_ptr<IExternalFileDrag> drag)
    : ProductGadget (stateToUse.getGadgetState())
    , state (stateToUse)
    , externalDrag (std::move (drag))
    , dragArea (*externalDrag)
    , optionsDrawer (stateToUse)
{
    setName (layout::windowName);
    setGradient (mainColour, gradientEndColour);
    setHeadVisible (false);
    setBodyWidth (layout::bodyWidth);
    setBodyHeight (layout::bodyHeight);
    setDrawer (&optionsDrawer, GadgetDrawer::Right, layout::drawerClientAreaSize);

    auto& panel = getBody();

    mainButton.setBgGradient (juce::ColourGradient (mainColour.brighter (0.2f), 0.0f, 0.0f, gradientEndColour.darker (0.3f), 120.0f, 0.0f, false));
    mainButton.setTitle ("Fetch the selection");
    mainButton.onClick = [this]
    {
        if (onFetchSelection)
            onFetchSelection();
    };
    panel.addAndMakeVisible (mainButton);

    led.setStatus (GadgetLed::off);
    led.setInterceptsMouseClicks (false, false);
    panel.addAndMakeVisible (led);

    dragArea.setEmptyText (idleText);
    panel.addAndMakeVisible (dragArea);

    fullScoreButton.setActiveColor (GadgetButton::Colors::lightGreen);
    fullScoreButton.setClickAction ([this]
                                    {
        if (onFetchFullScore)
            onFetchFullScore(); });
    panel.addAndMakeVisible (fullScoreButton);

    makeDrawerSwitch (optionsButton, *this);
    panel.addAndMakeVisible (optionsButton);

    afterResized();
}

FryGadget::~FryGadget()
{
    led.setBlinking (false);
    setDrawer (nullptr, GadgetDrawer::Right, -1);
}

void FryGadget::setBusy (bool shouldBeBusy)
{
    busy = shouldBeBusy;
    led.setStatus (busy ? GadgetLed::yellow : GadgetLed::off);
    led.setBlinking (busy);
    dragArea.setEmptyText (busy ? busyText : idleText);
}

void FryGadget::clearClip()
{
    dragArea.clearClip();
}

void FryGadget::showClip (const juce::File& clipFile, const juce::var& payload)
{
    dragArea.setMidiClipForDrag (clipFile, payload);
}

void FryGadget::paintBodyOverlays (juce::Graphics& g)
{
    paintOverlayTitle (g, layout::title);

    gfx::setFont (g, gfx::font::caption);
    g.setColour (getOverlayColor());
    g.drawText (mainCaption, juce::Rectangle<int> (layout::mainButtonX, layout::mainCaptionY, layout::mainButtonSize, 16),
                juce::Justification::centred, false);
}

void FryGadget::afterResized()
{
    mainButton.setBounds (layout::mainButtonX, layout::mainButtonY, layout::mainButtonSize, layout::mainButtonSize);
    led.setBounds (layout::rightColumnX, layout::ledY, layout::ledSize, layout::ledSize);
    dragArea.setBounds (layout::rightColumnX, layout::dragAreaY, layout::rightColumnWidth, layout::dragAreaHeight);

    auto row = juce::Rectangle<int> (layout::rightColumnX, layout::buttonRowY, layout::rightColumnWidth, layout::buttonHeight);
    fullScoreButton.setBounds (row.removeFromLeft (layout::fullScoreButtonWidth));
    row.removeFromLeft (layout::buttonGap);
    optionsButton.setBounds (row);
}
} // namespace fry
