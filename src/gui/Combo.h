#pragma once

#include "gfx/Palette.h"
#include "gui/ComboMenu.h"
#include "gui/PropertyBinding.h"

#include <memory>

namespace gui
{
/** A drop-down of (id, label) options that shows the selected label and opens
    a ComboMenu when clicked. Bound to an integer property, it shows the
    option whose id the property holds and a pick writes the property. */
class Combo final : public juce::Component
{
public:
    Combo();
    ~Combo() override;

    /** Runs with the id the user picked (after the selection changed). */
    std::function<void (int)> onChange;

    /** Binds the combo to an integer property holding the selected id. */
    void bind (juce::ValueTree tree, const juce::Identifier& property, int defaultId = 0, juce::UndoManager* undoManager = nullptr);

    void addOption (int id, const juce::String& label);
    void clearOptions();
    /** Selects an existing option (bound: writes the property); an unknown id is ignored. */
    void setSelectedId (int id);
    /** The selected option; null when none is selected. */
    const ComboOption* getSelectedOption() const;
    const std::vector<ComboOption>& getOptions() const { return options; }

    void setBgColor (juce::Colour colour);

    /** Opens the option menu below the combo. */
    void showMenu();
    ComboMenu* getMenu() const { return menu.get(); }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    std::vector<ComboOption> options;
    PropertyBinding binding;
    juce::Colour backgroundColour = gfx::colours::panel;
    std::unique_ptr<ComboMenu> menu;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Combo)
};
} // namespace gui
