#pragma once

#include "ui/ComboPopUpMenu.h"

#include <memory>

namespace ui
{
/** The newer drop-down. A pick does not change the selection by itself: it
    asks the owner through onRequestSelectedId, and the owner answers with
    setSelectedIdLocally (usually from its tree's change notification). */
class Combo final : public juce::Component
{
public:
    Combo();
    ~Combo() override;

    /** Receives the id the user asked for. */
    std::function<void (int)> onRequestSelectedId;

    void addItem (int id, const juce::String& label);
    void clearItems();
    const std::vector<gui::ComboOption>& getItems() const { return items; }

    /** Asks the owner to select an id (as a pick in the menu does). */
    void requestSetSelectedId (int id);
    /** Shows an id as selected without asking anyone. */
    void setSelectedIdLocally (int id);
    int getSelectedId() const { return selectedId; }
    /** The selected item's label; empty when the id matches no item. */
    juce::String getSelectedLabel() const;

    /** The id that means "off"; while it is selected the combo uses the off background. */
    void setOffValueId (int id);
    bool isOff() const { return hasOffValue && selectedId == offValueId; }

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
    int selectedId = 0;
    int offValueId = 0;
    bool hasOffValue = false;
    juce::Colour bgColour{0xff333333};
    juce::Colour bgColourOff{0xff222222};
    juce::Colour borderColour{0xff111111};
    juce::Colour textColour{0xffcccccc};
    std::unique_ptr<ComboPopUpMenu> popUp;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Combo)
};
} // namespace ui
