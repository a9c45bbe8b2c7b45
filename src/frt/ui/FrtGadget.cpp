#include "frt/ui/FrtGadget.h"
#include "frt/ui/FrtLayout.h"
#include "gadget/DrawerSwitch.h"
#include "gfx/FontStyle.h"

namespace frt
{
std::unique_ptr<IFrtWindow> FrtGadget::makeWindow (State state, IChordRemoteLoader& loader)
{
    return std::make_unique<FrtGadget> (state, loader);
}

FrtGadget::FrtGadget (State stateToUse, IChordRemoteLoader& loaderToUse)
    : ProductGadget (stateToUse.getGadgetState())
    , state (stateToUse)
    , loader (loaderToUse)
    , variations (stateToUse)
    , diagramEditor (stateToUse)
    , tuningDrawer (stateToUse)
{
    setName (layout::windowName);
    setGradient (mainColour, gradientEndColour);
    setHeadVisible (false);
    setBodyWidth (layout::bodyWidth);
    setBodyHeight (juce::jmax (layout::bodyHeight, tuningDrawer.getContentHeight() + 20));
    setDrawer (&tuningDrawer, GadgetDrawer::Right, layout::drawerClientAreaSize);

    auto& panel = getBody();

    chordNameEditor.setFont (gfx::getFont (gfx::font::labelMedium));
    chordNameEditor.setTextToShowWhenEmpty ("Chord name, e.g. Cmaj7", gfx::colours::neutral);
    chordNameEditor.setText (state.getChord().getName(), false);
    chordNameEditor.onReturnKey = [this]
    { commitChordName(); };
    panel.addAndMakeVisible (chordNameEditor);

    panel.addAndMakeVisible (diagramEditor);

    const auto setUp = [this] (GadgetButton& button, juce::Colour colour, std::function<void()> action)
    {
        button.setActiveColor (colour);
        button.setClickAction (std::move (action));
        getBody().addAndMakeVisible (button);
    };

    setUp (previousButton, GadgetButton::Colors::yellow, [this]
           { variations.showPrevious(); });
    setUp (nextButton, GadgetButton::Colors::yellow, [this]
           { variations.showNext(); });
    // The request may close this window; it is the last thing done here.
    setUp (applyButton, GadgetButton::Colors::lightGreen, [this]
           { if (onApply) onApply(); });
    setUp (previewButton, GadgetButton::Colors::lightGreen, [this]
           { if (onPreview) onPreview(); });

    makeDrawerSwitch (optionsButton, *this);
    panel.addAndMakeVisible (optionsButton);

    variations.onChanged = [this]
    { getBody().repaint(); };

    afterResized();
}

FrtGadget::~FrtGadget()
{
    variations.onChanged = nullptr;
    setDrawer (nullptr, GadgetDrawer::Right, -1);
}

void FrtGadget::syncFromState()
{
    variations.syncFromState();
}

void FrtGadget::loadVariationAndRescroll (int index)
{
    variations.loadVariationAndRescroll (index);
}

void FrtGadget::commitChordName()
{
    const auto name = chordNameEditor.getText().trim();

    if (name.isEmpty())
        return;

    loader.remoteLoadChord (name, [weak = juce::WeakReference<FrtGadget> (this)]
                            {
                                if (weak != nullptr)
                                    weak->getBody().repaint(); });
}

void FrtGadget::present()
{
    ProductGadget::present();
    chordNameEditor.grabKeyboardFocus();
}

void FrtGadget::bringToFront()
{
    ProductGadget::bringToFront();
    chordNameEditor.grabKeyboardFocus();
}

void FrtGadget::paintBodyOverlays (juce::Graphics& g)
{
    paintOverlayTitle (g, layout::title);

    g.setColour (getOverlayColor());
    gfx::setFont (g, gfx::font::caption);
    g.drawText (layout::editorCaption, layout::margin, layout::captionY, layout::nameEditorWidth, layout::captionHeight,
                juce::Justification::centredLeft, false);

    const auto pagingTextX = layout::rightColumnX + layout::pagingButtonWidth;
    const auto pagingTextWidth = layout::rightColumnWidth - 2 * layout::pagingButtonWidth;
    gfx::setFont (g, gfx::font::labelBold);
    g.drawText (variations.getPagingText(), pagingTextX, layout::pagingY, pagingTextWidth, layout::buttonHeight,
                juce::Justification::centred, false);

    gfx::setFont (g, gfx::font::small);
    g.drawText ("VARIATION", layout::rightColumnX, layout::pagingY - layout::captionHeight, layout::rightColumnWidth, layout::captionHeight,
                juce::Justification::centred, false);
}

void FrtGadget::afterResized()
{
    chordNameEditor.setBounds (layout::margin, layout::nameEditorY, layout::nameEditorWidth, layout::nameEditorHeight);
    diagramEditor.setBounds (layout::margin, layout::diagramY, DiagramBuilder::width, DiagramBuilder::height);
    previousButton.setBounds (layout::rightColumnX, layout::pagingY, layout::pagingButtonWidth, layout::buttonHeight);
    nextButton.setBounds (layout::rightColumnX + layout::rightColumnWidth - layout::pagingButtonWidth, layout::pagingY,
                          layout::pagingButtonWidth, layout::buttonHeight);
    applyButton.setBounds (layout::rightColumnX, layout::applyY, layout::rightColumnWidth, layout::buttonHeight);
    previewButton.setBounds (layout::rightColumnX, layout::previewY, layout::rightColumnWidth, layout::buttonHeight);
    optionsButton.setBounds (layout::rightColumnX, layout::optionsY, layout::rightColumnWidth, layout::buttonHeight);
}
} // namespace frt
