#pragma once

#include "gui/ComboMenu.h"

namespace ui
{
/** The newer drop-down's pop-up: one option rectangle per item, shown below
    the combo that opened it. */
class ComboPopUpMenu final : public gui::ComboMenu
{
public:
    ComboPopUpMenu();
    ~ComboPopUpMenu() override;

    /** Lays out one row per item for a combo at the given screen area and shows the menu below it. */
    void buildAndShowAt (juce::Rectangle<int> comboScreenArea);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboPopUpMenu)
};
} // namespace ui
