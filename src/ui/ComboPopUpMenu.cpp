#include "ui/ComboPopUpMenu.h"

namespace ui
{
ComboPopUpMenu::ComboPopUpMenu() = default;
ComboPopUpMenu::~ComboPopUpMenu() = default;

void ComboPopUpMenu::buildAndShowAt (juce::Rectangle<int> comboScreenArea)
{
    setSize (comboScreenArea.getWidth(), juce::jmax (1, static_cast<int> (getOptions().size()) * rowHeight));
    showBelow (comboScreenArea);
}
} // namespace ui
