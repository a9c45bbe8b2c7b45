#pragma once

#include "engine/comm/HostMessage.h"
#include "orv/EditorContext.h"
#include "orv/IOrvana.h"
#include "orv/actions/LoadActions.h"
#include "orv/actions/TempoActions.h"
#include "orv/score/io/ScoreLoader.h"
#include "products/LatestRequest.h"
#include "products/Product.h"
#include "products/ProductWindowSlot.h"

namespace comm
{
class IComm;
}

namespace orv
{
/** The MIDI editor product. It keeps Orvana's copy of the score open in the
    host, asks the host plug-in for it when the user runs the plug-in, reloads
    it after every undo, redo and host refresh, and shows it in the editor
    window.

    Every load writes one line to the log: the mode, bars, tracks, notes,
    phantom notes and the milliseconds it took. */
class Orvana final : public Product,
                     public IOrvana
{
public:
    static constexpr const char* productCode = "ORV";

    /** What the product is given from outside its logic: the views, and the
        channel that takes the plug-in key. */
    struct Seams
    {
        /** Makes the editor window; null (or a null window) shows none. */
        OrvEditorFactory makeEditor;
        /** Makes the welcome and plug-in key wizard when it is first needed. */
        std::function<std::unique_ptr<IOrvWizard> (IOrvana&)> makeWizard;
        /** Takes the plug-in key at start-up; null uses the product's file channel. */
        comm::IComm* keyChannel = nullptr;
    };

    Orvana (const ProductContext& context, Seams seams);
    ~Orvana() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Orvana"; }
    juce::String getDisplayName() const override { return "Orvana Suite"; }

    /** Runs the start-up of the editor (continueStartup) before the first message is delivered. */
    void afterStartUpValidation (std::function<void()> continuation) override;
    /** Loads the lane preferences, hands the plug-in key to the file channel,
        shows the welcome wizard while it has not been finished, then
        continues at once: the first message does not wait for the wizard
        (the wizard itself needs the host's messages while it is shown). */
    virtual void continueStartup (std::function<void()> continuation);

    /** "USER_TRIGGER" toggles the editor; every other type goes to onHostMessage. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;
    /** Handles the host's messages other than the trigger. */
    void onHostMessage (const comm::HostMessage& message);

    //==============================================================================
    Score& getScore() override { return score; }
    EditorContext& getEditorContext() override { return editorContext; }
    /** The score's transport, bound to the playback synchronisation that keeps its play-line queue. */
    Transport getTransport() override;
    IAuMod* getAuMod() override { return auMod.get(); }
    OrvState& getOrvState() override { return orvState; }
    IProductActionSender& getProductActionSender() override { return *this; }
    preferences::OrvPreferences& getPreferences() override { return preferences; }
    void savePreferences() override;
    bool isTempoCurveLoadPending() const override { return tempoCurveRequests.isBusy(); }
    void sendWsTransport (TransportCmd cmd) override;
    void sendWsPlayFrom (const Poser& poser) override;
    void sendWsSkipToStart() override;
    void startPlaybackUpdates() override;
    void stopPlaybackUpdates() override;
    void requestPlaybackUpdate() override;
    void requestTempoCurveAfterTrayOpened() override;
    void sendUndo() override;
    void sendRedo() override;
    void toFront() override;
    IOrvWizard* getKeyWizard() override { return getWizard(); }

    //==============================================================================
    bool isEditorOpen() const { return editor.isOpen(); }
    IOrvEditorWindow* getEditor() const { return editor.get(); }
    /** Destroys the editor window and stores the state; nothing when it is closed. */
    void closeEditor();

    /** An undo or redo was sent and its reply has not come yet. */
    bool isUndoPending() const { return undoRequests.isBusy(); }

    /** Loads a payload and writes the load's line to the log; false when it is not an object. */
    bool loadPayload (const juce::var& payload, score::io::ScoreLoader::DecodeMode mode);

    /** Installs the playback synchronisation the transport members forward to. */
    void setPlaybackSync (std::unique_ptr<IPlaybackSync> sync) { playbackSync = std::move (sync); }
    /** Installs the automation lane module. */
    void setAuMod (std::unique_ptr<IAuMod> module) { auMod = std::move (module); }

private:
    void onUserTrigger (const juce::String& data);
    /** A new score (the Init reply, or "OPEN" with data): load it, play from
        the active region's start and show the editor on it. */
    void openScore (const juce::var& payload);
    void onUndoRedoReply (const juce::var& reply);
    template <typename UndoOrRedo>
    void sendUndoOrRedo (UndoOrRedo& action);
    bool includeTempoCurve();
    std::vector<int> trackIdsInOrder() const;
    IOrvWizard* getWizard();

    Score score;
    OrvState orvState;
    preferences::OrvPreferences preferences;
    EditorContext editorContext;
    Seams seams;

    actions::Init init;
    actions::Undo undo;
    actions::Redo redo;
    actions::RequestTempoCurve requestTempoCurve;
    LatestRequest initRequests{*this};
    LatestRequest undoRequests{*this};
    LatestRequest tempoCurveRequests{*this};
    /** Opens the hit point "RE_ADD_HIT_POINT" names, also when it comes before the hit point. */
    actions::HitPointOpener hitPointOpener{score};

    ProductWindowSlot<IOrvEditorWindow> editor;
    std::unique_ptr<IOrvWizard> wizard;
    std::unique_ptr<IPlaybackSync> playbackSync;
    std::unique_ptr<IAuMod> auMod;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Orvana)
};
} // namespace orv
