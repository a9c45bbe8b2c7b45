#pragma once

#include "frt/FrtActions.h"
#include "frt/IChordRemoteLoader.h"
#include "frt/IFrtWindow.h"
#include "frt/State.h"
#include "products/LatestRequest.h"
#include "products/Product.h"
#include "products/ProductTrees.h"
#include "products/ProductWindowSlot.h"

namespace frt
{
/** The guitar chord-diagram product: the user types a chord name, the host
    plug-in reads it and returns its pitches, the window shows every playable
    fingering of it in the current tuning, best first, and "Apply" has the
    host write the chosen diagram with its chord into the score ("Preview"
    plays it). Only the reply to the latest chord request counts. */
class Frettle final : public Product,
                      public IChordRemoteLoader
{
public:
    static constexpr const char* productCode = "FRT";
    static constexpr const char* chordInfoFailedText = "Could not get chord info from Sibelius.";
    static constexpr const char* applyFailedText = "Apply failed.";
    static constexpr const char* previewFailedText = "Preview failed.";
    static constexpr const char* noDiagramText = "There is no diagram to send: enter a chord name first.";

    Frettle (const ProductContext& context, FrtWindowFactory windowFactory);
    ~Frettle() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Frettle"; }
    juce::String getDisplayName() const override { return "Frettle"; }

    /** "USER_TRIGGER" shows the window; other messages are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    void remoteLoadChord (const juce::String& name, std::function<void()> done) override;

    /** Sends the state's fingering (its pitches in the state's tuning, its text and name) to be written. */
    void apply();
    /** Sends the state's fingering to be played. */
    void preview();

    //==============================================================================
    /** Creates the window when there is none and brings it to the front. */
    void showWindow();
    /** Destroys the window and stores the state. */
    void closeWindow();
    IFrtWindow* getWindow() const { return window.get(); }

    State& getState() { return state; }

private:
    template <typename Action>
    void sendFingering (const std::vector<int>& pitches, const Fingering& fingering, const char* fallbackText);

    State state;
    ProductTrees trees{*this};
    ProductWindowSlot<IFrtWindow> window;
    LatestRequest chordRequests{*this};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Frettle)
};
} // namespace frt
