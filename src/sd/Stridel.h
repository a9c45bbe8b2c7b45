#pragma once

#include "products/LatestRequest.h"
#include "products/Product.h"
#include "products/ProductTrees.h"
#include "products/ProductWindowSlot.h"
#include "sd/ISdWindow.h"
#include "sd/IStridel.h"
#include "sd/SdLine.h"
#include "sd/SdScore.h"
#include "sd/SdState.h"

namespace sd
{
/** The walking-bass product: on a press of its main button it fetches the
    chord symbols of the selection's first staff, generates a walking bass
    line of quarter notes between E1 and G3 and has the host write it onto
    that staff. */
class Stridel final : public Product,
                      public IStridel
{
public:
    static constexpr const char* productCode = "SD";
    static constexpr const char* noStaffText = "Please select at least one staff";
    static constexpr const char* lowestPitch = "E1";
    static constexpr const char* highestPitch = "G3";

    Stridel (const ProductContext& context, SdWindowFactory windowFactory);
    ~Stridel() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Stridel"; }
    juce::String getDisplayName() const override { return "Stridel"; }

    /** "USER_TRIGGER" shows the gadget; other messages are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    void showGadget() override;
    void closeGadget() override;
    void fetchAndWrite() override;
    void write() override;

    /** Loads a fetch reply into the score and writes the line. */
    void handleFetchReply (const juce::var& reply);

    SdState& getState() { return state; }
    SdLine& getLine() { return line; }
    Score& getScore() { return score; }
    ISdWindow* getWindow() const { return window.get(); }

private:
    SdState state;
    ProductTrees trees{*this};
    SdLine line{state.getTree()};
    Score score;
    ProductWindowSlot<ISdWindow> window;
    LatestRequest fetches{*this};
    LatestRequest writes{*this};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Stridel)
};
} // namespace sd
