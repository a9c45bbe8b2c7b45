#pragma once

#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include "gfx/Palette.h"

namespace gui
{
/** A two-state tab. A click flips it; subclasses react in stateChanged and
    paint their content in paintTabContent. Bound to a boolean property, the
    tab shows the property and a click flips the property. */
class Tab : public juce::Component
{
public:
    enum State
    {
        off = 0,
        on = 1
    };

    Tab();
    ~Tab() override;

    /** Binds the tab to a boolean property, true meaning on (defaultValue while it is absent). */
    void bind (juce::ValueTree tree, const juce::Identifier& property, bool defaultValue = false, juce::UndoManager* undoManager = nullptr);

    /** Flips between off and on and calls stateChanged. */
    void toggleState();
    /** Sets the state without calling stateChanged. */
    void setState (State newState);
    State getState() const { return binding.getBool() ? on : off; }

    void setTabColour (juce::Colour colour);

    /** Called after toggleState changed the state. */
    virtual void stateChanged (State newState);
    /** Paints the tab's content inside the given area. */
    virtual void paintTabContent (juce::Graphics& g, juce::Rectangle<float>& area);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    PropertyBinding binding;
    juce::Colour tabColour = gfx::colours::control;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Tab)
};
} // namespace gui
