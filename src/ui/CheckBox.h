#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace ui
{
/** A check box that never changes its own state: a click hands the inverted
    state to the owner, who calls setState (usually from its tree). */
class CheckBox final : public juce::Component
{
public:
    explicit CheckBox (const juce::String& labelText = {});
    ~CheckBox() override;

    /** Receives the state the user asked for. */
    std::function<void (bool)> onClick;

    void setState (bool newState);
    bool getState() const { return state; }
    void setLabel (const juce::String& text);
    void setTickColour (juce::Colour colour);

    /** Does what a click does. */
    void simulateClick();

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    bool state = false;
    juce::String label;
    juce::Colour tickColour{0xfff9d023};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckBox)
};
} // namespace ui
