#pragma once

#include "pnt/IPntWindow.h"
#include "pnt/PntFingeringMapper.h"
#include "pnt/PntState.h"
#include "products/LatestRequest.h"
#include "products/Product.h"
#include "products/ProductTrees.h"
#include "products/ProductWindowSlot.h"

namespace pnt
{
/** The duct-flute fingering product: builds one fingering diagram by hand
    or looks up a diagram for every selected note in a fingering chart (the
    factory chart or a preset file of the user's), has its host plug-in write
    them, and has it transpose the selection between sounding pitch and the
    flutes' F# tablature. */
class Pennat final : public Product
{
public:
    static constexpr const char* productCode = "PNT";
    static constexpr const char* suggestedPresetName = "user-preset-1";

    static constexpr const char* fileExistsText = "File already exists. Please choose another name.";
    static constexpr const char* createFailedText = "Could not create preset file.";
    static constexpr const char* fileMissingText = "Could not find the file on disk. Please create a new one or load it again.";
    static constexpr const char* chooserTitle = "Select preset file folder...";
    static constexpr const char* chooserPatterns = "*.txt";

    Pennat (const ProductContext& context, PntWindowFactory windowFactory);
    ~Pennat() override;

    juce::String getCode() const override { return productCode; }
    juce::String getInternalName() const override { return "Pennat"; }
    juce::String getDisplayName() const override { return "Pennat Tool"; }

    /** "USER_TRIGGER" shows the window; other messages are ignored. */
    void processHostMessageStr (juce::StringRef type, juce::StringRef data) override;

    //==============================================================================
    /** Has the host write the built diagram at the selection. */
    void insertDiagram();
    /** Asks the host for the selected notes, then has it write their diagrams. */
    void autoInsert();
    /** Reloads the chart, then gives every object of the array whose
        "nameOct" the chart knows (for the state's flute type) a "fingering";
        all other keys and elements stay as they are. A reply that is not an
        array comes back unchanged. */
    juce::var translateNotesToFingerings (const juce::var& reply);
    /** Has the host select the diagrams. */
    void selectDiagrams();
    /** Has the host transpose the selection as the state says. */
    void transpose();

    //==============================================================================
    /** "Create New": asks the window for a name, then createPreset. */
    void createNewPreset();
    /** Writes a new preset file with the factory chart and its instructions
        into the presets folder, makes it the user's chart and opens it in
        the desktop's editor. A name that is not a plain file name, an
        existing file or a failed write creates nothing and alerts the user.
        Returns whether the file was made. */
    bool createPreset (const juce::String& name);
    /** "Edit...": opens the user's preset file in the desktop's editor. */
    void editPreset();
    /** "Load Preset": lets the user choose a preset file and makes it the user's chart. */
    void loadPreset();
    /** The presets folder (inside the preferences folder), made when missing. */
    juce::File getOrCreatePresetsFolder();

    //==============================================================================
    void showWindow();
    /** Destroys the window and stores the state and the preferences. */
    void closeWindow();
    IPntWindow* getWindow() const { return window.get(); }

    PntState& getState() { return state; }
    PntPreferences& getPreferences() { return preferences; }
    PntFingeringMapper& getMapper() { return mapper; }

private:
    /** Sends an action whose reply only matters when it reports a failure. */
    void sendReportingFailures (WebSocketAction& action);
    void applyAutoInsert (const juce::var& reply);

    PntState state;
    PntPreferences preferences;
    ProductTrees trees{*this};
    PntFingeringMapper mapper{preferences};
    ProductWindowSlot<IPntWindow> window;
    LatestRequest noteRequests{*this};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Pennat)
};
} // namespace pnt
