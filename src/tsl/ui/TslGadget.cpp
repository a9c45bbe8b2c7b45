#include "tsl/ui/TslGadget.h"
#include "gadget/DrawerSwitch.h"
#include "gfx/FontStyle.h"
#include "tsl/ui/PartRow.h"
#include "tsl/ui/TslLayout.h"

namespace tsl
{
namespace
{
/** How often the window looks whether the parts folder and the PDFs appeared. */
constexpr int diskCheckMs = 1000;

void runIfSet (const std::function<void()>& callback)
{
    if (callback)
        callback();
}
} // namespace

std::unique_ptr<ITslWindow> TslGadget::makeWindow (TslState state, ScoreState scoreState)
{
    return std::make_unique<TslGadget> (state, scoreState);
}

ui::CheckListSource TslGadget::partsSource() const
{
    return {scoreState.getPartList(), PartItem::type, PartItem::selected, true, PartItem::name};
}

TslGadget::TslGadget (TslState stateToUse, ScoreState scoreStateToUse)
    : ProductGadget (stateToUse.getGadgetState())
    , state (stateToUse)
    , scoreState (scoreStateToUse)
    , partList (partsSource(), [this] (const juce::ValueTree& child) -> std::unique_ptr<juce::Component>
                { return std::make_unique<PartRow> (
                      child, [this] (juce::int64 index)
                      {
                          if (onOpenPart)
                              onOpenPart (index); },
                      [this] (juce::int64 index)
                      {
                          if (onOpenPartPdf)
                              onOpenPartPdf (index); }); })
    , toggleAll (partsSource(), "ALL PARTS")
    , templateSelector (stateToUse.getTree())
    , runChanges ([this]
                  {
                      refresh();
                      repaint(); })
{
    setName (layout::windowName);
    setHeadVisible (true);
    setGradient (mainColour, darkMainColour);
    setHeadColor (darkMainColour);
    setBodyWidth (layout::bodyWidth);
    setBodyHeight (layout::bodyHeight);

    auto& panel = getBody();

    partList.setRowHeight (layout::rowHeight);
    partList.showInViewport (listView);
    panel.addAndMakeVisible (listView);
    panel.addAndMakeVisible (toggleAll);

    createPartsButton.setActiveColor (GadgetButton::Colors::lightGreen);
    createPartsButton.setClickAction ([this]
                                      { runIfSet (onCreateParts); });
    cancelButton.setActiveColor (GadgetButton::Colors::orange);
    cancelButton.setClickAction ([this]
                                 { runIfSet (onCancel); });
    openFolderButton.setActiveColor (GadgetButton::Colors::lightBlue);
    openFolderButton.setClickAction ([this]
                                     { runIfSet (onOpenPartsFolder); });

    makeDrawerSwitch (optionsButton, *this);

    // Pressed while the last run made PDFs: the product sets and clears the property.
    partsPdfsButton.setActiveColor (GadgetButton::Colors::yellow);
    partsPdfsButton.setLatching (true);
    partsPdfsButton.setClickAction ([this]
                                    {
                                        runIfSet (onMakePdfs);
                                        partsPdfsButton.setPressed (createPdf.getBool()); });
    createPdf.onChange = [this]
    { partsPdfsButton.setPressed (createPdf.getBool()); };
    createPdf.bind (state.getTree(), TslState::createPdf, false);

    scorePdfButton.setActiveColor (GadgetButton::Colors::yellow);
    scorePdfButton.setClickAction ([this]
                                   { runIfSet (onMakePdfFullScore); });

    for (auto* button : {&createPartsButton, &cancelButton, &openFolderButton, &optionsButton, &partsPdfsButton, &scorePdfButton})
        panel.addAndMakeVisible (*button);

    templateSelector.onChoose = [this]
    { runIfSet (onChooseTemplate); };
    auto& templateSection = drawer.addSection ("PART TEMPLATE");
    templateSection.addComponent (templateSelector, layout::templateSelectorHeight);
    templateSection.addNote ("New parts take their layout and house style from this file. Click to choose another.");
    setDrawer (&drawer, GadgetDrawer::Right, layout::drawerClientAreaSize);

    runChanges.watch (scoreState.getTree());
    refresh();
    afterResized();
    startTimer (diskCheckMs);
}

TslGadget::~TslGadget()
{
    stopTimer();
    setDrawer (nullptr, GadgetDrawer::Right, -1);
}

void TslGadget::refresh()
{
    cancelButton.setEnabled (scoreState.getExportStatus() == ExportStatus::inProgress);

    const auto folder = scoreState.getPartsFolder();
    openFolderButton.setEnabled (folder != juce::File() && folder.isDirectory());

    for (int i = 0; i < partList.getNumRows(); ++i)
        if (auto* row = dynamic_cast<PartRow*> (&partList.getRow (i)))
            row->refreshPdfButton();
}

void TslGadget::timerCallback()
{
    refresh();
}

void TslGadget::paintBodyOverlays (juce::Graphics& g)
{
    paintOverlayTitle (g, layout::title);

    const auto [first, second] = scoreState.getStatusLines();
    auto area = juce::Rectangle<int> (layout::left, layout::statusY, layout::width, 2 * layout::statusLineHeight);
    g.setColour (getOverlayColor());
    gfx::setFont (g, gfx::font::caption);
    g.drawText (first, area.removeFromTop (layout::statusLineHeight), juce::Justification::centred, false);
    gfx::setFont (g, gfx::font::label);
    g.drawText (second, area, juce::Justification::centred, true);
}

void TslGadget::paintOverlays (juce::Graphics& g)
{
    // The head names the tool and the score whose parts are listed.
    auto area = getHeadClientArea().toNearestInt().reduced (10, 4).withTrimmedRight (30);
    g.setColour (getOverlayColor());
    gfx::setFont (g, gfx::font::labelBoldLarge);
    g.drawText (layout::headTitle, area.removeFromTop (area.getHeight() / 2), juce::Justification::bottomLeft, true);

    const auto scoreFile = scoreState.getScoreFile();
    gfx::setFont (g, gfx::font::label);
    g.setColour (getOverlayColor().withAlpha (0.75f));
    g.drawText (scoreFile.isEmpty() ? juce::String ("Waiting for the score's parts...")
                                    : juce::File::createFileWithoutCheckingPath (scoreFile).getFileName(),
                area, juce::Justification::centredLeft, true);
}

void TslGadget::afterResized()
{
    toggleAll.setBounds (layout::left, layout::toggleAllY, layout::toggleAllWidth, layout::toggleAllHeight);
    listView.setBounds (layout::left, layout::listY, layout::width, layout::listHeight);
    partList.setSize (listView.getMaximumVisibleWidth(), partList.getContentHeight());

    const auto placeRow = [] (int y, std::initializer_list<GadgetButton*> buttons)
    {
        auto x = layout::left;

        for (auto* button : buttons)
        {
            button->setBounds (x, y, layout::buttonWidth, layout::buttonHeight);
            x += layout::buttonWidth + layout::buttonGap;
        }
    };

    placeRow (layout::firstButtonRowY, {&createPartsButton, &cancelButton, &openFolderButton});
    placeRow (layout::secondButtonRowY, {&optionsButton, &partsPdfsButton, &scorePdfButton});
}
} // namespace tsl
