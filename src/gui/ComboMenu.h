#pragma once

#include "gfx/Palette.h"
#include "gui/ClickOutsideWatcher.h"
#include "gui/ComboOption.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

namespace gui
{
/** A pop-up list of option rows with a hover highlight. It closes when an
    option is picked or the mouse is pressed outside it. */
class ComboMenu : public juce::Component
{
public:
    static constexpr int rowHeight = 22;

    ComboMenu();
    ~ComboMenu() override;

    /** Runs with the picked option's id, after the menu has closed. */
    std::function<void (int)> onPick;
    /** Runs when the menu closes without a pick. */
    std::function<void()> onDismiss;

    void setOptions (std::vector<ComboOption> newOptions);
    const std::vector<ComboOption>& getOptions() const { return options; }
    void setSelectedId (int id) { selectedId = id; }
    void setColours (juce::Colour background, juce::Colour text, juce::Colour highlight);

    /** One row rectangle per option, top to bottom, in local coordinates. */
    std::vector<juce::Rectangle<int>> getRowBounds() const;

    /** The option index at a local position; -1 outside every row. */
    int getIndexAt (juce::Point<int> position) const;

    /** Puts the menu on the desktop below the given screen rectangle, as wide as it. */
    void showBelow (juce::Rectangle<int> screenArea);
    void dismiss();
    /** Picks the option at an index, as a click on its row does. */
    void pick (int index);

    int getHoveredIndex() const { return hoveredIndex; }

    void paint (juce::Graphics& g) override;
    void mouseMove (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    std::vector<ComboOption> options;
    int selectedId = 0;
    int hoveredIndex = -1;
    juce::Colour backgroundColour = gfx::colours::panel;
    juce::Colour textColour = gfx::colours::text;
    juce::Colour highlightColour = gfx::colours::control;
    ClickOutsideWatcher outsideWatcher;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboMenu)
};
} // namespace gui
