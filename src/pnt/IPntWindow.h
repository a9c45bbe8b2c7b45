#pragma once

#include "pnt/PntState.h"
#include "products/IProductWindow.h"

#include <functional>
#include <memory>

namespace pnt
{
/** Pennat's window as the product sees it: it shows and edits the state
    and the preferences by itself, and asks the product for the host's work
    and for the preset files. */
class IPntWindow : public IProductWindow
{
public:
    /** "+": write the built diagram at the selection. */
    std::function<void()> onInsertDiagram;
    /** "Auto": a diagram for every selected note found in the chart. */
    std::function<void()> onAutoInsert;
    /** "Select Only Charts". */
    std::function<void()> onSelectDiagrams;
    /** The transposition drawer's "Transpose". */
    std::function<void()> onTranspose;
    /** The presets drawer's "Create New", "Edit..." and "Load Preset". */
    std::function<void()> onCreatePreset;
    std::function<void()> onEditPreset;
    std::function<void()> onLoadPreset;

    /** Shows the "New Preset" dialog with the suggested name; onCreate gets
        the name when the user presses "Create", nothing runs on "Cancel". */
    virtual void askPresetName (const juce::String& suggestedName, std::function<void (const juce::String&)> onCreate) = 0;
};

/** Makes Pennat's window over its state and its preferences. */
using PntWindowFactory = std::function<std::unique_ptr<IPntWindow> (PntState, PntPreferences)>;
} // namespace pnt
