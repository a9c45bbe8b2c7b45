#pragma once

#include "gadget/GadgetButton.h"
#include "gadget/GadgetChoiceRow.h"
#include "gadget/ProductGadget.h"
#include "pnt/IPntWindow.h"
#include "pnt/ui/PntDiagramBuilder.h"
#include "pnt/ui/PntDrawers.h"

#include <memory>

namespace pnt
{
/** Pennat's window: the diagram builder and the flute type, "+" writes the
    built diagram, "Auto" a diagram for every selected note, and "Presets",
    "Extras" and "Transpose" slide out their drawers (one at a time). Every
    control writes the state or the preferences and follows them. */
class PntGadget final : public ProductGadget<IPntWindow>
{
public:
    /** The window the product shows, over its state and preferences. */
    static std::unique_ptr<IPntWindow> makeWindow (PntState state, PntPreferences preferences);

    static inline const juce::Colour mainColour{0xff2f8f6f};
    static inline const juce::Colour gradientEndColour{0xff123a2c};

    PntGadget (PntState state, PntPreferences preferences);
    ~PntGadget() override;

    void askPresetName (const juce::String& suggestedName, std::function<void (const juce::String&)> onCreate) override;

    /** Slides out the drawer with this content; closes it when it is the one
        out; swaps it in when another one is out. */
    void showDrawer (juce::Component& content);

    PntDiagramBuilder& getBuilder() { return builder; }
    GadgetChoiceRow& getFluteTypeRow() { return fluteTypeRow; }
    GadgetButton& getAutoButton() { return autoButton; }
    GadgetButton& getInsertButton() { return insertButton; }
    GadgetButton& getPresetsButton() { return presetsButton; }
    GadgetButton& getExtrasButton() { return extrasButton; }
    GadgetButton& getTransposeButton() { return transposeButton; }
    PntPresetsDrawer& getPresetsDrawer() { return presetsDrawer; }
    PntExtrasDrawer& getExtrasDrawer() { return extrasDrawer; }
    PntTransposeDrawer& getTransposeDrawer() { return transposeDrawer; }
    juce::AlertWindow* getNameDialog() const { return nameDialog.get(); }

    void paintBodyOverlays (juce::Graphics& g) override;
    void afterResized() override;

private:
    void setUpRequest (GadgetButton& button, juce::Colour colour, std::function<void()> IPntWindow::*request);
    void setUpDrawerButton (GadgetButton& button, juce::Component& content);
    void openDrawer (juce::Component& content);
    /** Shows the button of the drawer that is out pressed, the others not. */
    void showDrawerButtons (const juce::Component* openContent);

    PntState state;
    PntDiagramBuilder builder;
    GadgetChoiceRow fluteTypeRow;
    GadgetButton insertButton{"+"};
    GadgetButton autoButton{"Auto"};
    GadgetButton presetsButton{"Presets"};
    GadgetButton extrasButton{"Extras"};
    GadgetButton transposeButton{"Transpose"};
    PntPresetsDrawer presetsDrawer;
    PntExtrasDrawer extrasDrawer;
    PntTransposeDrawer transposeDrawer;
    std::unique_ptr<juce::AlertWindow> nameDialog;

    JUCE_DECLARE_WEAK_REFERENCEABLE (PntGadget)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PntGadget)
};
} // namespace pnt
