#pragma once

#include "fk/FkFileFormat.h"
#include "fk/FkScoreState.h"
#include "fk/FkState.h"
#include "fk/IFkWindow.h"
#include "products/Product.h"
#include "products/ProductTrees.h"
#include "products/ProductWindowSlot.h"

#include <memory>
#include <set>

namespace fk
{
/** The stems export product: keeps the score's stems (named groups of
    staves, defined from the host's selection), has the host render the
    ticked ones to audio files in the export folder, follows their progress
    and converts a finished file to WAV or AIFF when that format was chosen.
    The stems belong to the score: they come with each trigger and go back
    into the score when the window closes. */
class Forkel final : public Product
{
public:
    static constexpr const char* productCode = "FK";
    /** The name the score's state is stored under in the host. */
    static constexpr const char* scoreStateName = "Forkel";
    static constexpr const char* chooserTitle = "Select output folder...";
    static constexpr const char* noSelectionText = "Please select one or more staves from the score first.";

    Forkel (const ProductContext& context, FkWindowFactory windowFactory);
    ~Forkel() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Forkel"; }
    juce::String getDisplayName() const override { return "Forkel"; }

    /** "USER_TRIGGER" takes the score state and shows the window;
        "STEM_EXPORT_STATUS" follows a stem's export. Others are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    /** The trigger's data: the default export folder, "|", then the score
        state as XML. Data without a score state (empty, unreadable, another
        tree) empties the score state, so one score's stems never reach the
        next; an empty export folder becomes the default one. */
    void processInitialPayload (const juce::String& data);

    /** A status report {"stemId", "status", "file"} of the host's export. A
        finished file that needs another format is converted on a worker
        thread (a long stem takes seconds), and the stem is marked exported
        or failed when the conversion ends; reports for that stem meanwhile
        are ignored. */
    void processStemExportStatus (const juce::String& data);

    //==============================================================================
    /** Asks the host for a stem made of the selected staves. */
    void addStemFromSelection();
    /** Asks the host to forget a stem; the reply removes it from the list. */
    void removeStem (int stemId);
    /** Has the host render the ticked stems. */
    void exportStems();
    /** Lets the user choose the export folder. */
    void selectExportFolder();
    /** Opens the export folder in the desktop's file browser, when it exists. */
    void showExportFolder();

    /** Sends the score state to the host, which keeps it in the score. This
        runs when the window closes, and also as soon as a stem comes or goes
        and when an export starts: the host hands its copy back with every
        trigger, and a trigger while the window is open must not bring back
        an older list. */
    void storeScoreState();
    /** Destroys the window (which stores both states). */
    void closeGadget();

    IFkWindow* getWindow() const { return window.get(); }
    FkState& getState() { return state; }
    FkScoreState& getScoreState() { return scoreState; }

private:
    void addStemFromReply (const juce::var& reply);
    void openExportFolderOnce();
    void finishExport (int stemId, FkConversion conversion);

    /** Stems whose file is being converted. */
    std::set<int> converting;
    /** Lets a conversion that ends after the product find it gone. */
    std::shared_ptr<Forkel*> alive = std::make_shared<Forkel*> (this);
    juce::ThreadPool conversions{1};

    FkState state;
    FkScoreState scoreState;
    ProductTrees trees{*this};
    ProductWindowSlot<IFkWindow> window;
    /** The export folder was opened for the current export. */
    bool folderShownForExport = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Forkel)
};
} // namespace fk
