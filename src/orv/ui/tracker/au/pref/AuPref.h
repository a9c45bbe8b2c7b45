#pragma once

#include "orv/ui/tracker/au/AuMod.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

namespace orv::tracker::au::pref
{
/** The editor of one automation slot: its short name, controller (0..127
    or pitch bend), colour preset and whether its tab is offered. */
class AuTabPanel final : public juce::Component
{
public:
    static constexpr int rowHeight = 26;
    /** The controller box's item id of pitch bend; controller n has id n + 1. */
    static constexpr int pitchBendItemId = 200;

    explicit AuTabPanel (int slot);

    void setConfig (const AuMod::AuLaneConfig& config);
    /** The slot as the fields now stand; the name is cut to eight characters
        and an empty one keeps the slot number. */
    AuMod::AuLaneConfig getConfig() const;

    juce::TextEditor& getNameField() { return name; }
    juce::ComboBox& getControllerBox() { return controller; }
    juce::ComboBox& getPresetBox() { return preset; }
    juce::ToggleButton& getVisibleToggle() { return visible; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    const int slot;
    juce::TextEditor name;
    juce::ComboBox controller, preset;
    juce::ToggleButton visible{"Show"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AuTabPanel)
};

/** The automation lane preferences: a panel per slot, "Defaults" fills the
    panels with the six default lanes, "Save" hands the panels to the lane
    module, writes them into the preferences and has the file written.
    Self-contained, so that any window can host it. */
class AuPref final : public juce::Component
{
public:
    /** writePreferences writes the preferences file (the product's save). */
    AuPref (AuMod& module, std::function<void()> writePreferences);

    /** Runs after a save. */
    std::function<void()> onSaved;

    /** Fills the panels from the module's lanes. */
    void load();
    /** Fills the panels with the default lanes (nothing is saved yet). */
    void loadDefaults();
    /** Saves what the panels show. */
    void save();

    AuTabPanel& getPanel (int laneId) { return *panels[static_cast<size_t> (juce::jlimit (0, AuMod::numSlots - 1, laneId))]; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    AuMod& module;
    std::function<void()> writeFile;
    std::vector<std::unique_ptr<AuTabPanel>> panels;
    juce::TextButton defaultsButton{"Defaults"}, saveButton{"Save"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AuPref)
};
} // namespace orv::tracker::au::pref
