#pragma once

#include "fry/ExternalFileDrag.h"
#include "fry/State.h"
#include "products/Product.h"

#include <juce_events/juce_events.h>

#include <memory>

namespace fry
{
class FryGadget;

/** The MIDI clip transfer product: fetches the selection or the whole score
    from its host plug-in, writes it as a standard MIDI file in the temporary
    folder and lets the user drag the file out of its gadget. */
class Ferrymo final : public Product,
                      private juce::Timer
{
public:
    static constexpr const char* productCode = "FRY";
    static constexpr const char* clipFileName = "ZEL_Ferrymo_clip.mid";
    /** After this long without a reply the lamp stops blinking; a reply that
        still comes is handled as usual. */
    static constexpr int defaultReplyPatienceMs = 60000;

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
    /** Stores the state and destroys the gadget. */
    void closeGadget();
    FryGadget* getGadget() const { return gadget.get(); }

    /** Asks the host for the selection's notes (the main button). */
    void fetchSelection();
    /** Asks the host for the whole score's notes ("Full Score"). */
    void fetchFullScore();

    /** Handles the host's reply to either fetch: writes the clip file and
        hands it to the drag area, or shows what went wrong. */
    void fetchMidiHandleReply (const juce::var& reply);

    //==============================================================================
    State& getState() { return state; }

    /** Where clip files go; the system's temporary folder unless set. */
    void setClipFolder (const juce::File& folder) { clipFolder = folder; }
    juce::File getClipFile() const;

    /** How long the lamp blinks while no reply comes (tests shorten it). */
    void setReplyPatience (int milliseconds) { replyPatienceMs = milliseconds; }

    /** Replaces the desktop's drag-and-drop (tests record drags instead). */
    void setExternalFileDrag (std::unique_ptr<IExternalFileDrag> drag);

private:
    template <typename FetchAction>
    void fetch();
    void loadState();
    void storeState();
    void timerCallback() override;

    State state;
    juce::File clipFolder;
    std::unique_ptr<IExternalFileDrag> externalDrag;
    std::unique_ptr<FryGadget> gadget;
    /** Only the reply to the latest fetch counts. */
    int fetchCount = 0;
    int replyPatienceMs = defaultReplyPatienceMs;

    JUCE_DECLARE_WEAK_REFERENCEABLE (Ferrymo)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Ferrymo)
};
} // namespace fry
