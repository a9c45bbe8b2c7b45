#pragma once

#include "ly/ILyWindow.h"
#include "ly/LyActions.h"
#include "ly/LyState.h"
#include "products/Product.h"
#include "products/ProductTrees.h"
#include "products/ProductWindowSlot.h"

namespace music
{
class Key;
}

namespace ly
{
/** The pedal-harp glissando product: keeps a pedal setting, presets it
    from the key at the user's selection, and has its host plug-in write a
    glissando spelled for that setting, or a pedal diagram, over the
    selection. The window edits the state tree; the product sends. */
class Lyrel final : public Product
{
public:
    static constexpr const char* productCode = "LY";

    Lyrel (const ProductContext& context, LyWindowFactory windowFactory);
    ~Lyrel() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Lyrel"; }
    juce::String getDisplayName() const override { return "Lyrel"; }

    /** "USER_TRIGGER" with {"name", "isMajor"}: sets the pedals from that
        key when it is a key with a signature, then shows the window (also
        when the data is unusable). Other messages are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    /** Each pedal to the key signature's accidental for its note: sharp,
        flat or natural. */
    void setPedalingFromKey (const music::Key& key);

    /** Has the host write the glissando; every reply is followed by "applyPostProcess". */
    void apply();
    /** Has the host write a pedal diagram of the current setting. */
    void insertDiagram();
    void undo();
    void redo();

    //==============================================================================
    /** Creates the window when there is none and brings it to the front. */
    void showWindow();
    /** Destroys the window and stores the state. */
    void closeWindow();
    ILyWindow* getWindow() const { return window.get(); }

    LyState& getState() { return state; }

private:
    void applyPostProcess();

    LyState state;
    ProductTrees trees{*this};
    ProductWindowSlot<ILyWindow> window;
    ActionApply actionApply;
    ActionApplyPostProcess actionApplyPostProcess;
    ActionInsertDiagram actionInsertDiagram;
    ActionUndo actionUndo;
    ActionRedo actionRedo;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Lyrel)
};
} // namespace ly
