#pragma once

#include "fry/IFryWindow.h"
#include "fry/State.h"
#include "products/LatestRequest.h"
#include "products/Product.h"
#include "products/ProductTrees.h"
#include "products/ProductWindowSlot.h"

namespace fry
{
/** The MIDI clip transfer product: fetches the selection or the whole score
    from its host plug-in, writes it as a standard MIDI file in the temporary
    folder and lets the user drag the file out of its window.

    One fetch at a time: while the host works on one, the lamp blinks and
    further presses are ignored, so no reply is thrown away. The lamp waits
    as long as the host does; closing the window cancels the fetch (its
    reply, should it still come, is dropped). */
class Ferrymo final : public Product
{
public:
    static constexpr const char* productCode = "FRY";
    static constexpr const char* clipFileName = "ZEL_Ferrymo_clip.mid";

    Ferrymo (const ProductContext& context, FryWindowFactory windowFactory);
    ~Ferrymo() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Ferrymo"; }
    juce::String getDisplayName() const override { return "Ferrymo"; }

    /** "USER_TRIGGER" shows the window; other messages are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    //==============================================================================
    /** Creates the window when there is none and brings it to the front. */
    void showWindow();
    /** Forgets a fetch still on its way, destroys the window and stores the state. */
    void closeWindow();
    IFryWindow* getWindow() const { return window.get(); }

    /** Asks the host for the selection's notes (the main button); ignored
        while another fetch is on its way or without a window. */
    void fetchSelection();
    /** Asks the host for the whole score's notes ("Full Score"); ignored
        while another fetch is on its way or without a window. */
    void fetchFullScore();
    /** A fetch was sent and neither its reply came nor the window closed. */
    bool isFetching() const { return fetches.isBusy(); }

    /** Handles the host's reply to either fetch: writes the clip file and
        hands it to the window, or shows what went wrong. */
    void fetchMidiHandleReply (const juce::var& reply);

    //==============================================================================
    State& getState() { return state; }

    /** Where clip files go; the system's temporary folder unless set. */
    void setClipFolder (const juce::File& folder) { clipFolder = folder; }
    juce::File getClipFile() const;

private:
    template <typename FetchAction>
    void fetch();

    State state;
    ProductTrees trees{*this};
    ProductWindowSlot<IFryWindow> window;
    LatestRequest fetches{*this};
    juce::File clipFolder;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Ferrymo)
};
} // namespace fry
