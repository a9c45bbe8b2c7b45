#pragma once

#include "gadget/GadgetButton.h"
#include "gadget/GadgetSectionDrawer.h"
#include "gadget/ProductGadget.h"
#include "gui/PropertyBinding.h"
#include "state/ChangeBatcher.h"
#include "tsl/ITslWindow.h"
#include "tsl/ui/TemplateSelector.h"
#include "ui/CheckList.h"

#include <memory>

namespace tsl
{
/** Tessel's window: the parts with their check boxes, statuses and file
    buttons, a box that ticks them all, the run's status line and the six
    buttons; the options drawer holds the template selector. */
class TslGadget final : public ProductGadget<ITslWindow>,
                        private juce::Timer
{
public:
    /** The window the product shows. */
    static std::unique_ptr<ITslWindow> makeWindow (TslState state, ScoreState scoreState);

    static inline const juce::Colour mainColour{0xff7a5cc4};
    static inline const juce::Colour darkMainColour{0xff2e2159};

    TslGadget (TslState state, ScoreState scoreState);
    ~TslGadget() override;

    ui::CheckList& getPartList() { return partList; }
    ui::ToggleAllBox& getToggleAll() { return toggleAll; }
    GadgetButton& getCreatePartsButton() { return createPartsButton; }
    GadgetButton& getCancelButton() { return cancelButton; }
    GadgetButton& getOpenFolderButton() { return openFolderButton; }
    GadgetButton& getOptionsButton() { return optionsButton; }
    GadgetButton& getPartsPdfsButton() { return partsPdfsButton; }
    GadgetButton& getScorePdfButton() { return scorePdfButton; }
    TemplateSelector& getTemplateSelector() { return templateSelector; }

    /** Brings the buttons' enablement and the rows' PDF buttons up to date with the state and the disk. */
    void refresh();

    void paintBodyOverlays (juce::Graphics& g) override;
    void paintOverlays (juce::Graphics& g) override;
    void afterResized() override;

private:
    void timerCallback() override;
    ui::CheckListSource partsSource() const;

    TslState state;
    ScoreState scoreState;
    ui::CheckList partList;
    ui::ToggleAllBox toggleAll;
    juce::Viewport listView;
    GadgetButton createPartsButton{"Create Parts"};
    GadgetButton cancelButton{"Cancel"};
    GadgetButton openFolderButton{"Open Folder"};
    GadgetButton optionsButton{"Options"};
    GadgetButton partsPdfsButton{"Parts PDFs"};
    GadgetButton scorePdfButton{"Score PDF"};
    gui::PropertyBinding createPdf;
    TemplateSelector templateSelector;
    GadgetSectionDrawer drawer{"OPTIONS"};
    state::ChangeBatcher runChanges;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TslGadget)
};
} // namespace tsl
