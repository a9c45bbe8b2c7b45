#pragma once

#include "gfx/Palette.h"
#include "gui/PropertyBinding.h"
#include "ui/ComboPopUpMenu.h"

#include <memory>

namespace ui
{
/** The newer drop-down. Bound to an integer property holding the selected
    id, a pick writes the property and the combo shows it. Unbound, a pick
    does not change the selection by itself: it asks the owner through
    onRequestSelectedId, and the owner answers with setSelectedIdLocally. */
class Combo final : public juce::Component
{
public:
    Combo();
    ~Combo() override;

    /** Unbound: receives the id the user asked for. */
    std::function<void (int)> onRequestSelectedId;

    /** Binds the combo to an integer property holding the selected id (defaultId while it is absent). */
    void bind (juce::ValueTree tree, const juce::Identifier& property, int defaultId = 0, juce::UndoManager* undoManager = nullptr);

    void addItem (int id, const juce::String& label);
    void clearItems();
    const std::vector<gui::ComboOption>& getItems() const { return items; }

    /** Asks the owner to select an id (as a pick in the menu does). */
    void requestSetSelectedId (int id);
    /** Shows an id as selected without asking anyone (bound: writes the property). */
    void setSelectedIdLocally (int id);
    int getSelectedId() const { return binding.getInt(); }
    /** The selected item's label; empty when the id matches no item. */
    juce::String getSelectedLabel() const;

    /** The id that means "off"; while it is selected the combo uses the off background. */
    void setOffValueId (int id);
    bool isOff() const { return hasOffValue && getSelectedId() == offValueId; }

    void setBgColor (juce::Colour colour);
    void setBgColorOff (juce::Colour colour);
    void setBorderColor (juce::Colour colour);
    void setTextColor (juce::Colour colour);
    /** The background for the current selection. */
    juce::Colour getCurrentBgColor() const { return isOff() ? bgColourOff : bgColour; }

    void showPopUp();
    ComboPopUpMenu* getPopUp() const { return popUp.get(); }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    std::vector<gui::ComboOption> items;
    gui::PropertyBinding binding;
    int offValueId = 0;
    bool hasOffValue = false;
    juce::Colour bgColour = gfx::colours::panel;
    juce::Colour bgColourOff = gfx::colours::well;
    juce::Colour borderColour = gfx::colours::outline;
    juce::Colour textColour = gfx::colours::text;
    std::unique_ptr<ComboPopUpMenu> popUp;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Combo)
};
} // namespace ui
