#pragma once

#include "gfx/Palette.h"
#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace ui
{
/** A check box. Bound to a boolean tree property, a click flips the property
    and the box shows it. Unbound, it never changes its own state: a click
    hands the inverted state to onClick, and the owner calls setState. */
class CheckBox final : public juce::Component
{
public:
    explicit CheckBox (const juce::String& labelText = {});
    ~CheckBox() override;

    /** Unbound: receives the state the user asked for. */
    std::function<void (bool)> onClick;

    /** Binds the box to a boolean property (defaultValue while it is absent). */
    void bind (juce::ValueTree tree, const juce::Identifier& property, bool defaultValue = false, juce::UndoManager* undoManager = nullptr);
    bool isBound() const { return binding.isBound(); }

    /** Sets the state (writing the property when bound). */
    void setState (bool newState);
    bool getState() const { return binding.getBool(); }
    void setLabel (const juce::String& text);
    const juce::String& getLabel() const { return label; }
    void setTickColour (juce::Colour colour);

    /** Does what a click does. */
    void simulateClick();

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    gui::PropertyBinding binding;
    juce::String label;
    juce::Colour tickColour = gfx::colours::yellow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckBox)
};
} // namespace ui
