#pragma once

#include "fk/IFkWindow.h"
#include "fk/ui/FkOptionsDrawer.h"
#include "gadget/GadgetButton.h"
#include "gadget/ProductGadget.h"
#include "gui/PropertyBinding.h"
#include "ui/CheckList.h"

#include <memory>

namespace fk
{
/** Forkel's window: "Add" for a stem from the selection, the stems with
    their check boxes, names, statuses and remove buttons under a box that
    ticks them all, the export folder with "Select Folder" and "Show", and
    "Options >" and "Export"; the drawer holds the export options. */
class FkGadget final : public ProductGadget<IFkWindow>
{
public:
    /** The window the product shows. */
    static std::unique_ptr<IFkWindow> makeWindow (FkState state, FkScoreState scoreState);

    static inline const juce::Colour mainColour{0xff2f8f83};
    static inline const juce::Colour darkMainColour{0xff123a36};

    FkGadget (FkState state, FkScoreState scoreState);
    ~FkGadget() override;

    ui::CheckList& getStemList() { return stemList; }
    ui::ToggleAllBox& getToggleAll() { return toggleAll; }
    GadgetButton& getAddButton() { return addButton; }
    GadgetButton& getSelectFolderButton() { return selectFolderButton; }
    GadgetButton& getShowButton() { return showButton; }
    GadgetButton& getOptionsButton() { return optionsButton; }
    GadgetButton& getExportButton() { return exportButton; }
    FkOptionsDrawer& getOptionsDrawer() { return drawer; }

    void paintBodyOverlays (juce::Graphics& g) override;
    void afterResized() override;

private:
    ui::CheckListSource stemsSource() const;

    FkState state;
    FkScoreState scoreState;
    ui::CheckList stemList;
    ui::ToggleAllBox toggleAll;
    juce::Viewport listView;
    GadgetButton addButton{"Add"};
    GadgetButton selectFolderButton{"Select Folder"};
    GadgetButton showButton{"Show"};
    GadgetButton optionsButton{"Options >"};
    GadgetButton exportButton{"Export"};
    gui::PropertyBinding exportFolder;
    FkOptionsDrawer drawer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FkGadget)
};
} // namespace fk
