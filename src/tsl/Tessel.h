#pragma once

#include "products/LatestRequest.h"
#include "products/Product.h"
#include "products/ProductTrees.h"
#include "products/ProductWindowSlot.h"
#include "tsl/FactoryTemplateMgr.h"
#include "tsl/ITslWindow.h"
#include "tsl/ScoreState.h"
#include "tsl/TslState.h"

namespace tsl
{
/** The part export product: lists the score's parts and has its host
    plug-in make them, as part files from a template or as PDFs, one part at
    a time in part order, with a status per part; it also prints the full
    score to PDF.

    A run sends one request at a time and moves on only when the reply to
    that request comes. Cancelling, starting another run or loading a new
    part list makes the outstanding request stale: its reply, should it
    still come, is ignored, so it can never move a later run on. */
class Tessel final : public Product
{
public:
    static constexpr const char* productCode = "TSL";

    Tessel (const ProductContext& context, TslWindowFactory windowFactory);
    ~Tessel() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Tessel"; }
    juce::String getDisplayName() const override { return "Tessel Automatic Parts Creator"; }

    /** "USER_TRIGGER" asks the host for the part list and, when the data is
        JSON, shows a new window (replacing one that is open). Other messages
        are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    /** Takes a part-list reply: the score's file and its parts; the run's status goes back to "Pending". */
    void loadScoreStateFromData (const juce::var& reply);

    //==============================================================================
    /** Makes the selected parts as part files. */
    void createParts();
    /** Prints the selected parts to PDF. */
    void makePdfs();
    /** Starts a run in the stored mode over the selected parts. */
    void partsProcedureStart();
    /** One step of the run: marks the part just done finished and sends the
        next selected part, or finishes the run. */
    void partsProcedureRun();
    /** Marks the run finished. */
    void partsProcedureFinish();
    /** Stops a run in progress before its next part; nothing otherwise. */
    void partsProcedureCancel();
    /** Has the host print the full score and opens the PDF. */
    void makePdfFullScore();

    /** Asks the host to open a part's file. */
    void openPart (juce::int64 partIndex);
    /** Opens a part's PDF with the desktop's application, when it exists. */
    void openPartPdf (juce::int64 partIndex);
    /** Opens the parts folder with the desktop's file browser, when it exists. */
    void openPartsFolder();
    /** Lets the user choose the part template. */
    void chooseTemplate();

    /** Destroys the window and stores the product state. */
    void closeGadget();
    ITslWindow* getWindow() const { return window.get(); }

    TslState& getState() { return state; }
    ScoreState& getScoreState() { return scoreState; }
    FactoryTemplateMgr& getTemplateMgr() { return templates; }
    /** A run's request was sent and its reply has not come (nor was it made stale). */
    bool isWaitingForPart() const { return runRequests.isBusy(); }

    /** The chooser's title and file patterns. */
    static constexpr const char* chooserTitle = "Select part template file...";
    static constexpr const char* chooserPatterns = "*.sib";

private:
    void sendPart (juce::int64 partIndex);
    void partDone (juce::int64 partIndex, const juce::var& reply);

    TslState state;
    ScoreState scoreState;
    ProductTrees trees{*this};
    FactoryTemplateMgr templates;
    ProductWindowSlot<ITslWindow> window;
    LatestRequest fetches{*this};
    LatestRequest runRequests{*this};
    LatestRequest scorePdfs{*this};
    bool cancelled = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Tessel)
};
} // namespace tsl
