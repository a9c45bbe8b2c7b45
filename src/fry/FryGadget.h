#pragma once

#include "fry/DragArea.h"
#include "fry/OptionsDrawer.h"
#include "fry/State.h"
#include "gadget/Gadget2.h"
#include "gadget/GadgetButton.h"
#include "gadget/GadgetLed.h"
#include "gadget/GadgetMainButton.h"

#include <functional>

namespace fry
{
/** Ferrymo's window: the main button fetches the selection, "Full Score"
    the whole score; the drag area shows the clip and drags its file out;
    the lamp blinks while the host works; "Options" opens the drawer. */
class FryGadget final : public Gadget2
{
public:
    static inline const juce::Colour mainColour{0xff1fa89c};
    static inline const juce::Colour gradientEndColour{0xff0d4f49};

    FryGadget (State state, IExternalFileDrag& externalDrag);
    ~FryGadget() override;

    /** Run by the main button. */
    std::function<void()> onFetchSelection;
    /** Run by the "Full Score" button. */
    std::function<void()> onFetchFullScore;

    /** Busy: the lamp blinks yellow and the drag area says the clip is on its
        way; idle: the lamp is off. */
    void setBusy (bool shouldBeBusy);
    bool isBusy() const { return busy; }

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
