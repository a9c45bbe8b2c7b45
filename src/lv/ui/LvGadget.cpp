#include "lv/ui/LvGadget.h"
#include "gfx/FontStyle.h"
#include "lv/ui/LvLayout.h"

namespace lv
{
std::unique_ptr<ILvWindow> LvGadget::makeWindow (LvState state, GadgetState gadgetState)
{
    return std::make_unique<LvGadget> (state, gadgetState);
}

LvGadget::LvGadget (LvState stateToUse, GadgetState gadgetState)
    : ProductGadget (gadgetState)
    , state (stateToUse)
    , decreaseButton (juce::String::fromUTF8 ("\xe2\x88\x92"))
{
    setName (layout::windowName);
    setGradient (gradientStartColour, gradientEndColour);
    setOverlayColor (overlayColour);
    setHeadVisible (false);
    setBodyWidth (layout::bodyWidth);
    setBodyHeight (layout::bodyHeight);

    auto& panel = getBody();

    editor.bind (state.getTree(), LvState::layoutScript);
    editor.onApply = [this] (const juce::String&)
    { apply(); };
    panel.addAndMakeVisible (editor);

    applyButton.setActiveColor (GadgetButton::Colors::orange);
    applyButton.setClickAction ([this]
                                { apply(); });
    panel.addAndMakeVisible (applyButton);

    decreaseButton.setClickAction ([this]
                                   {
        if (onDecreasePageCount)
            onDecreasePageCount(); });
    panel.addAndMakeVisible (decreaseButton);

    increaseButton.setClickAction ([this]
                                   {
        if (onIncreasePageCount)
            onIncreasePageCount(); });
    panel.addAndMakeVisible (increaseButton);

    state.getTree().addListener (this);
    afterResized();
}

LvGadget::~LvGadget()
{
    state.getTree().removeListener (this);
}

void LvGadget::apply()
{
    if (onApplyLayoutScript)
        onApplyLayoutScript (editor.getText());
}

juce::String LvGadget::getPageCountText() const
{
    const auto count = state.getPageCount();
    return count.has_value() ? juce::String (*count) : juce::String();
}

void LvGadget::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree == state.getTree() && property == LvState::pageCount)
        getBody().repaint();
}

void LvGadget::paintBodyOverlays (juce::Graphics& g)
{
    paintOverlayTitle (g, layout::title);

    g.setColour (getOverlayColor());
    gfx::setFont (g, gfx::font::caption);
    g.drawText ("PAGES", juce::Rectangle<int> (layout::clientX, layout::pageRowY, layout::pageCaptionWidth, layout::pageRowHeight),
                juce::Justification::centredLeft, false);
    gfx::setFont (g, gfx::font::labelBoldLarge);
    g.drawText (getPageCountText(), juce::Rectangle<int> (layout::pageCountX, layout::pageRowY, layout::pageCountWidth, layout::pageRowHeight),
                juce::Justification::centred, false);
}

void LvGadget::afterResized()
{
    editor.setBounds (layout::clientX, layout::editorY, layout::clientWidth, layout::editorHeight);
    applyButton.setBounds (layout::clientX, layout::applyButtonY, layout::clientWidth, layout::applyButtonHeight);
    decreaseButton.setBounds (layout::decreaseButtonX, layout::pageRowY, layout::pageButtonWidth, layout::pageRowHeight);
    increaseButton.setBounds (layout::increaseButtonX, layout::pageRowY, layout::pageButtonWidth, layout::pageRowHeight);
}
} // namespace lv
