#pragma once

#include "frt/State.h"
#include "gadget/GadgetButton.h"
#include "gadget/GadgetSectionDrawer.h"
#include "gui/NumberEditor.h"

#include <array>
#include <memory>

namespace frt
{
/** Frettle's "Options" drawer: the tuning presets (a button each, pressed
    while the tuning is the preset's) and one control per string that steps
    its open pitch (arrow keys) and shows it as a note name. Every control
    writes "guitarTuning" and follows it. */
class TuningDrawer final : public GadgetSectionDrawer,
                           private juce::ValueTree::Listener
{
public:
    static constexpr int presetButtonHeight = 34;
    static constexpr int presetGap = 4;
    static constexpr int stringRowHeight = 24;

    explicit TuningDrawer (State state);
    ~TuningDrawer() override;

    /** Writes the pitches of preset i (of getTuningPresets()) into the state. */
    void applyPreset (int presetIndex);

    GadgetButton& getPresetButton (int presetIndex) { return *presetButtons[static_cast<size_t> (presetIndex)]; }
    /** The control of string 1..6. */
    gui::NumberEditor& getStringEditor (int stringNumber) { return stringEditors[static_cast<size_t> (stringNumber - 1)]; }

    /** The top-left of preset i's button in drawer content coordinates. */
    juce::Point<int> getPresetButtonCentre (int presetIndex) const;

private:
    class Grid;

    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void showTuning();

    State state;
    juce::ValueTree listened;
    std::vector<std::unique_ptr<GadgetButton>> presetButtons;
    std::array<gui::NumberEditor, 6> stringEditors;
    std::array<juce::Label, 6> stringLabels;
    std::unique_ptr<Grid> presetGrid;
    std::unique_ptr<Grid> stringGrid;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TuningDrawer)
};
} // namespace frt
