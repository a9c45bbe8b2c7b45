#include "pnt/ui/PntGadget.h"
#include "gfx/FontStyle.h"
#include "pnt/ui/PntLayout.h"

namespace pnt
{
std::unique_ptr<IPntWindow> PntGadget::makeWindow (PntState state, PntPreferences preferences)
{
    return std::make_unique<PntGadget> (state, preferences);
}

PntGadget::PntGadget (PntState stateToUse, PntPreferences preferences)
    : ProductGadget (stateToUse.getGadgetState())
    , state (stateToUse)
    , fluteTypeRow ({{toString (PntFluteType::FiveHole), labelOf (PntFluteType::FiveHole)},
                     {toString (PntFluteType::SixHole), labelOf (PntFluteType::SixHole)}})
    , presetsDrawer (preferences)
    , transposeDrawer (stateToUse)
{
    setName (layout::windowName);
    setGradient (mainColour, gradientEndColour);
    setHeadVisible (false);
    setBodyWidth (layout::bodyWidth);

    auto tallest = 0;

    for (const auto* drawer : {static_cast<GadgetSectionDrawer*> (&presetsDrawer), static_cast<GadgetSectionDrawer*> (&extrasDrawer),
                               static_cast<GadgetSectionDrawer*> (&transposeDrawer)})
        tallest = juce::jmax (tallest, drawer->getContentHeight());

    // The drawers are as tall as the body, less their margins.
    setBodyHeight (juce::jmax (layout::minBodyHeight, tallest + 40));

    auto& panel = getBody();
    auto tree = state.getTree();

    builder.bind (tree, PntState::fingering, PntState::fluteType);
    panel.addAndMakeVisible (builder);

    fluteTypeRow.bind (tree, PntState::fluteType, toString (PntState::defaultFluteType));
    panel.addAndMakeVisible (fluteTypeRow);

    setUpRequest (insertButton, GadgetButton::Colors::lightGreen, &IPntWindow::onInsertDiagram);
    setUpRequest (autoButton, GadgetButton::Colors::lightGreen, &IPntWindow::onAutoInsert);
    setUpDrawerButton (presetsButton, presetsDrawer);
    setUpDrawerButton (extrasButton, extrasDrawer);
    setUpDrawerButton (transposeButton, transposeDrawer);

    const auto request = [this] (std::function<void()> IPntWindow::*wanted)
    {
        return [this, wanted]
        {
            if (const auto& run = this->*wanted)
                run();
        };
    };
    presetsDrawer.getCreateButton().setClickAction (request (&IPntWindow::onCreatePreset));
    presetsDrawer.getEditButton().setClickAction (request (&IPntWindow::onEditPreset));
    presetsDrawer.getLoadButton().setClickAction (request (&IPntWindow::onLoadPreset));
    extrasDrawer.getSelectButton().setClickAction (request (&IPntWindow::onSelectDiagrams));
    transposeDrawer.getTransposeButton().setClickAction ([this]
                                                         {
                                                            // A key still being typed counts.
                                                            transposeDrawer.getKeyEditor().fixAndCommit();

                                                            if (onTranspose)
                                                                onTranspose(); });

    afterResized();
}

PntGadget::~PntGadget()
{
    nameDialog.reset();
    setDrawer (nullptr, GadgetDrawer::Right, -1);
}

void PntGadget::setUpRequest (GadgetButton& button, juce::Colour colour, std::function<void()> IPntWindow::*request)
{
    button.setActiveColor (colour);
    button.setClickAction ([this, request]
                           {
                               // The request may close this window; it is the last thing done here.
                               if (const auto& run = this->*request)
                                   run(); });
    getBody().addAndMakeVisible (button);
}

void PntGadget::setUpDrawerButton (GadgetButton& button, juce::Component& content)
{
    button.setActiveColor (GadgetButton::Colors::lightBlue);
    button.setLatching (true); // pressed while its drawer is out
    button.setClickAction ([this, &content]
                           { showDrawer (content); });
    getBody().addAndMakeVisible (button);
}

void PntGadget::showDrawer (juce::Component& content)
{
    if (!isDrawerOpen())
    {
        openDrawer (content);
        return;
    }

    const auto sameOne = getDrawerContent() == &content;
    showDrawerButtons (nullptr);
    concealDrawer ([weak = juce::WeakReference<PntGadget> (this), &content, sameOne]
                   {
                       if (weak != nullptr && !sameOne)
                           weak->openDrawer (content); });
}

void PntGadget::openDrawer (juce::Component& content)
{
    setDrawer (&content, GadgetDrawer::Right, layout::drawerClientAreaSize);
    toggleDrawer();
    showDrawerButtons (&content);
}

void PntGadget::showDrawerButtons (const juce::Component* openContent)
{
    presetsButton.setPressed (openContent == &presetsDrawer);
    extrasButton.setPressed (openContent == &extrasDrawer);
    transposeButton.setPressed (openContent == &transposeDrawer);
}

void PntGadget::askPresetName (const juce::String& suggestedName, std::function<void (const juce::String&)> onCreate)
{
    // Without a display there is nowhere to ask (JUCE's dialog would crash looking for a monitor).
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        return;

    // One dialog at a time: a second "Create New" brings the open one back.
    if (nameDialog != nullptr)
    {
        nameDialog->toFront (true);
        return;
    }

    nameDialog = std::make_unique<juce::AlertWindow> ("New Preset", "Name of the new preset file:", juce::MessageBoxIconType::NoIcon, this);
    nameDialog->addTextEditor ("name", suggestedName);
    nameDialog->addButton ("Create", 1, juce::KeyPress (juce::KeyPress::returnKey));
    nameDialog->addButton ("Cancel", 0, juce::KeyPress (juce::KeyPress::escapeKey));

    auto closed = [weak = juce::WeakReference<PntGadget> (this), dialog = nameDialog.get(), onCreate] (int result)
    {
        if (weak == nullptr || weak->nameDialog.get() != dialog)
            return;

        const auto name = dialog->getTextEditorContents ("name");

        // Destroyed later: this runs inside the dialog's own dismissal.
        juce::MessageManager::callAsync ([weak, dialog]
                                         {
                                             if (weak != nullptr && weak->nameDialog.get() == dialog)
                                                 weak->nameDialog.reset(); });

        if (result == 1 && onCreate)
            onCreate (name);
    };

    nameDialog->enterModalState (true, juce::ModalCallbackFunction::create (std::move (closed)), false);
}

void PntGadget::paintBodyOverlays (juce::Graphics& g)
{
    paintOverlayTitle (g, layout::title);

    gfx::setFont (g, gfx::font::small);
    g.setColour (getOverlayColor());
    g.drawText (layout::hint, layout::columnX, layout::hintY, layout::columnWidth, layout::hintHeight, juce::Justification::centredLeft, false);
}

void PntGadget::afterResized()
{
    builder.setBounds (layout::margin, layout::builderY, layout::builderWidth, layout::builderHeight);
    fluteTypeRow.setBounds (layout::columnX, layout::fluteTypeY, layout::columnWidth, GadgetChoiceRow::lineHeight);
    insertButton.setBounds (layout::insertX, layout::insertRowY, layout::halfWidth, layout::buttonHeight);
    autoButton.setBounds (layout::autoX, layout::insertRowY, layout::halfWidth, layout::buttonHeight);
    presetsButton.setBounds (layout::presetsX, layout::presetsRowY, layout::halfWidth, layout::buttonHeight);
    extrasButton.setBounds (layout::extrasX, layout::presetsRowY, layout::halfWidth, layout::buttonHeight);
    transposeButton.setBounds (layout::columnX, layout::transposeY, layout::columnWidth, layout::buttonHeight);
}
} // namespace pnt
