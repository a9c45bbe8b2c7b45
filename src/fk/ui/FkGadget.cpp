#include "fk/ui/FkGadget.h"
#include "fk/ui/FkLayout.h"
#include "fk/ui/StemRow.h"
#include "gadget/DrawerSwitch.h"
#include "gfx/FontStyle.h"

namespace fk
{
namespace
{
void runIfSet (const std::function<void()>& callback)
{
    if (callback)
        callback();
}
} // namespace

std::unique_ptr<IFkWindow> FkGadget::makeWindow (FkState state, FkScoreState scoreState)
{
    return std::make_unique<FkGadget> (state, scoreState);
}

ui::CheckListSource FkGadget::stemsSource() const
{
    return {FkScoreState (scoreState).getOrCreateStemList().getTree(), Stem::type, Stem::selected, false, Stem::name};
}

FkGadget::FkGadget (FkState stateToUse, FkScoreState scoreStateToUse)
    : ProductGadget (stateToUse.getGadgetState())
    , state (stateToUse)
    , scoreState (scoreStateToUse)
    , stemList (stemsSource(), [this] (const juce::ValueTree& child) -> std::unique_ptr<juce::Component>
                { return std::make_unique<StemRow> (child, [this] (int stemId)
                                                    {
                                                        if (onRemoveStem)
                                                            onRemoveStem (stemId); }); })
    , toggleAll (stemsSource(), "TOGGLE ALL")
    , drawer (stateToUse)
{
    setName (layout::windowName);
    setHeadVisible (false);
    setGradient (mainColour, darkMainColour);
    setBodyWidth (layout::bodyWidth);
    setBodyHeight (layout::bodyHeight);

    auto& panel = getBody();

    stemList.setRowHeight (layout::rowHeight);
    stemList.showInViewport (listView);
    panel.addAndMakeVisible (listView);
    panel.addAndMakeVisible (toggleAll);

    addButton.setActiveColor (GadgetButton::Colors::lightGreen);
    addButton.setClickAction ([this]
                              { runIfSet (onAddStem); });
    selectFolderButton.setActiveColor (GadgetButton::Colors::lightBlue);
    selectFolderButton.setClickAction ([this]
                                       { runIfSet (onSelectFolder); });
    showButton.setActiveColor (GadgetButton::Colors::lightBlue);
    showButton.setClickAction ([this]
                               { runIfSet (onShowFolder); });
    exportButton.setActiveColor (GadgetButton::Colors::yellow);
    exportButton.setClickAction ([this]
                                 { runIfSet (onExport); });

    makeDrawerSwitch (optionsButton, *this);

    for (auto* button : {&addButton, &selectFolderButton, &showButton, &optionsButton, &exportButton})
        panel.addAndMakeVisible (*button);

    exportFolder.onChange = [this]
    { repaint(); };
    exportFolder.bind (scoreState.getTree(), FkScoreState::exportFolder, juce::String());

    setDrawer (&drawer, GadgetDrawer::Right, layout::drawerClientAreaSize);
    afterResized();
}

FkGadget::~FkGadget()
{
    setDrawer (nullptr, GadgetDrawer::Right, -1);
}

void FkGadget::paintBodyOverlays (juce::Graphics& g)
{
    paintOverlayTitle (g, layout::title);

    g.setColour (getOverlayColor());
    gfx::setFont (g, gfx::font::caption);
    g.drawText ("ADD FROM SELECTION", layout::left, layout::addRowY, layout::addButtonX - layout::left, layout::buttonHeight,
                juce::Justification::centredLeft, false);
    g.drawText ("EXPORT FOLDER", layout::left, layout::folderCaptionY, layout::width, layout::captionHeight,
                juce::Justification::centredLeft, false);

    const auto folder = exportFolder.getText();
    gfx::setFont (g, gfx::font::small);
    g.setColour (getOverlayColor().withAlpha (0.8f));
    g.drawFittedText (folder.isEmpty() ? juce::String ("No folder chosen") : folder, layout::left, layout::folderTextY, layout::width,
                      layout::captionHeight, juce::Justification::centredLeft, 1, 0.7f);
}

void FkGadget::afterResized()
{
    addButton.setBounds (layout::addButtonX, layout::addRowY, layout::addButtonWidth, layout::buttonHeight);
    toggleAll.setBounds (layout::left, layout::toggleAllY, layout::toggleAllWidth, layout::toggleAllHeight);
    listView.setBounds (layout::left, layout::listY, layout::width, layout::listHeight);
    stemList.setSize (listView.getMaximumVisibleWidth(), stemList.getContentHeight());

    selectFolderButton.setBounds (layout::left, layout::folderButtonsY, layout::selectFolderWidth, layout::buttonHeight);
    showButton.setBounds (layout::left + layout::selectFolderWidth + layout::buttonGap, layout::folderButtonsY, layout::showWidth,
                          layout::buttonHeight);
    optionsButton.setBounds (layout::left, layout::bottomRowY, layout::optionsWidth, layout::buttonHeight);
    exportButton.setBounds (layout::exportX, layout::bottomRowY, layout::exportWidth, layout::buttonHeight);
}
} // namespace fk
