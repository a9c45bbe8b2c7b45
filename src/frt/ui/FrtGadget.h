#pragma once

#include "frt/IFrtWindow.h"
#include "frt/State.h"
#include "frt/VariationBrowser.h"
#include "frt/ui/DiagramEditor.h"
#include "frt/ui/TuningDrawer.h"
#include "gadget/GadgetButton.h"
#include "gadget/ProductGadget.h"
#include "gui/DarkTextEditor.h"

#include <memory>

namespace frt
{
/** Frettle's window: the chord name editor (Return asks the host for the
    chord), the diagram editor, paging through the chord's variations
    ("‹ i / n ›"), "Apply" and "Preview", and "Options", which opens the
    tuning drawer. */
class FrtGadget final : public ProductGadget<IFrtWindow>
{
public:
    /** The window the product shows, over its state. */
    static std::unique_ptr<IFrtWindow> makeWindow (State state, IChordRemoteLoader& loader);

    static inline const juce::Colour mainColour{0xffc0662b};
    static inline const juce::Colour gradientEndColour{0xff4a230b};

    FrtGadget (State state, IChordRemoteLoader& loader);
    ~FrtGadget() override;

    /** Recomputes the variations of the state's chord and shows the first. */
    void syncFromState();
    /** Shows variation i and scrolls the diagram to it. */
    void loadVariationAndRescroll (int index);

    VariationBrowser& getVariations() { return variations; }
    juce::TextEditor& getChordNameEditor() { return chordNameEditor; }
    DiagramEditor& getDiagramEditor() { return diagramEditor; }
    GadgetButton& getPreviousButton() { return previousButton; }
    GadgetButton& getNextButton() { return nextButton; }
    GadgetButton& getApplyButton() { return applyButton; }
    GadgetButton& getPreviewButton() { return previewButton; }
    GadgetButton& getOptionsButton() { return optionsButton; }
    TuningDrawer& getTuningDrawer() { return tuningDrawer; }

    void present() override;
    void bringToFront() override;
    void paintBodyOverlays (juce::Graphics& g) override;
    void afterResized() override;

private:
    void commitChordName();

    State state;
    IChordRemoteLoader& loader;
    VariationBrowser variations;
    DarkTextEditor chordNameEditor;
    DiagramEditor diagramEditor;
    GadgetButton previousButton{juce::String::fromUTF8 ("\xe2\x80\xb9")};
    GadgetButton nextButton{juce::String::fromUTF8 ("\xe2\x80\xba")};
    GadgetButton applyButton{"Apply"};
    GadgetButton previewButton{"Preview"};
    GadgetButton optionsButton{"Options"};
    TuningDrawer tuningDrawer;

    JUCE_DECLARE_WEAK_REFERENCEABLE (FrtGadget)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FrtGadget)
};
} // namespace frt
