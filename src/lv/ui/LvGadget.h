#pragma once

#include "gadget/GadgetButton.h"
#include "gadget/ProductGadget.h"
#include "lv/ILvWindow.h"
#include "lv/LvState.h"
#include "lv/ui/LvLayoutScriptEditor.h"

#include <memory>

namespace lv
{
/** Layvo's window: the layout script's editor, "Apply" under it, and the
    page count with "-" and "+" beside the title. */
class LvGadget final : public ProductGadget<ILvWindow>,
                       private juce::ValueTree::Listener
{
public:
    /** The window the product shows. */
    static std::unique_ptr<ILvWindow> makeWindow (LvState state, GadgetState gadgetState);

    static inline const juce::Colour gradientStartColour{0xfff5d362};
    static inline const juce::Colour gradientEndColour{0xffff8d46};
    static inline const juce::Colour overlayColour{0xff111111};

    LvGadget (LvState state, GadgetState gadgetState);
    ~LvGadget() override;

    LvLayoutScriptEditor& getEditor() { return editor; }
    GadgetButton& getApplyButton() { return applyButton; }
    GadgetButton& getIncreaseButton() { return increaseButton; }
    GadgetButton& getDecreaseButton() { return decreaseButton; }

    /** The page count as the row shows it; empty while the count is unknown. */
    juce::String getPageCountText() const;

    void paintBodyOverlays (juce::Graphics& g) override;
    void afterResized() override;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void apply();

    LvState state;
    LvLayoutScriptEditor editor;
    GadgetButton applyButton{"Apply"};
    GadgetButton decreaseButton;
    GadgetButton increaseButton{"+"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LvGadget)
};
} // namespace lv
