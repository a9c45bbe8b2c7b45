#pragma once

#include "fry/IFryWindow.h"
#include "fry/State.h"
#include "fry/ui/DragArea.h"
#include "fry/ui/OptionsDrawer.h"
#include "gadget/GadgetButton.h"
#include "gadget/GadgetLed.h"
#include "gadget/GadgetMainButton.h"
#include "gadget/ProductGadget.h"

#include <memory>

namespace fry
{
/** Ferrymo's window: the main button fetches the selection, "Full Score"
    the whole score; the drag area shows the clip and drags its file out;
    the lamp blinks while the host works; "Options" opens the drawer. */
class FryGadget final : public ProductGadget<IFryWindow>
{
public:
    /** The window the product shows: over its state, dragging with the desktop's drag-and-drop. */
    static std::unique_ptr<IFryWindow> makeWindow (State state);

    static inline const juce::Colour mainColour{0xff1fa89c};
    static inline const juce::Colour gradientEndColour{0xff0d4f49};

    FryGadget (State state, std::unique_ptr<IExternalFileDrag> externalDrag);
    ~FryGadget() override;

    /** Busy: the lamp blinks yellow and the drag area says the clip is on its
        way; idle: the lamp is off. */
    void setBusy (bool shouldBeBusy) override;
    bool isBusy() const { return busy; }
    void clearClip() override;
    void showClip (const juce::File& clipFile, const juce::var& payload) override;

    DragArea& getDragArea() { return dragArea; }
    GadgetLed& getLed() { return led; }
    GadgetMainButton& getMainButton() { return mainButton; }
    GadgetButton& getFullScoreButton() { return fullScoreButton; }
    GadgetButton& getOptionsButton() { return optionsButton; }
    OptionsDrawer& getOptionsDrawer() { return optionsDrawer; }

    void paintBodyOverlays (juce::Graphics& g) override;
    void afterResized() override;

private:
    State state;
    std::unique_ptr<IExternalFileDrag> externalDrag;
    bool busy = false;
    GadgetMainButton mainButton;
    GadgetLed led;
    DragArea dragArea;
    GadgetButton fullScoreButton{"Full Score"};
    GadgetButton optionsButton{"Options"};
    OptionsDrawer optionsDrawer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FryGadget)
};
} // namespace fry
