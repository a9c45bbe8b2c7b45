#pragma once

#include "fry/ExternalFileDrag.h"
#include "fry/State.h"
#include "products/Product.h"

#include <memory>

namespace fry
{
class FryGadget;

/** The MIDI clip transfer product: fetches the selection or the whole score
    from its host plug-in, writes it as a standard MIDI file in the temporary
    folder and lets the user drag the file out of its gadget.

    One fetch at a time: while the host works on one, the lamp blinks and
    further presses are ignored, so no reply is thrown away. The lamp waits
    as long as the host does; closing the gadget cancels the fetch (its
    reply, should it still come, is dropped). */
class Ferrymo final : public Product
{
public:
    static constexpr const char* productCode = "FRY";
    static constexpr const char* clipFileName = "ZEL_Ferrymo_clip.mid";

    Ferrymo();
    ~Ferrymo() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Ferrymo"; }
    juce::String getDisplayName() const override { return "Ferrymo"; }
    juce::String getPlgFileContents() override;

    /** "USER_TRIGGER" shows the gadget; other messages are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    //==============================================================================
    /** Creates the gadget when there is none and brings it to the front. */
    void showFryGadget();
    /** Stores the state and destroys the gadget; a fetch on its way is cancelled. */
    void closeGadget();
    FryGadget* getGadget() const { return gadget.get(); }

    /** Asks the host for the selection's notes (the main button); ignored
        while another fetch is on its way or without a gadget. */
    void fetchSelection();
    /** Asks the host for the whole score's notes ("Full Score"); ignored
        while another fetch is on its way or without a gadget. */
    void fetchFullScore();

    /** A fetch was sent and neither its reply came nor the gadget closed. */
    bool isFetching() const { return awaitedFetch != 0; }

    /** Handles the host's reply to either fetch: writes the clip file and
        hands it to the drag area, or shows what went wrong. */
    void fetchMidiHandleReply (const juce::var& reply);

    //==============================================================================
    State& getState() { return state; }

    /** Where clip files go; the system's temporary folder unless set. */
    void setClipFolder (const juce::File& folder) { clipFolder = folder; }
    juce::File getClipFile() const;

    /** Replaces the desktop's drag-and-drop (tests record drags instead). */
    void setExternalFileDrag (std::unique_ptr<IExternalFileDrag> drag);

private:
    template <typename FetchAction>
    void fetch();
    void loadState();
    void storeState();

    State state;
    juce::File clipFolder;
    std::unique_ptr<IExternalFileDrag> externalDrag;
    std::unique_ptr<FryGadget> gadget;
    /** Numbers the fetches; awaitedFetch is the one whose reply counts (0: none). */
    int fetchCount = 0;
    int awaitedFetch = 0;

    JUCE_DECLARE_WEAK_REFERENCEABLE (Ferrymo)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Ferrymo)
};
} // namespace fry
