#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace gui
{
/** A two-state tab. A click flips it; subclasses react in stateChanged and
    paint their content in paintTabContent. */
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

    /** Flips between off and on and calls stateChanged. */
    void toggleState();
    /** Sets the state without calling stateChanged. */
    void setState (State newState);
    State getState() const { return state; }

    void setTabColour (juce::Colour colour);

    /** Called after toggleState changed the state. */
    virtual void stateChanged (State newState);
    /** Paints the tab's content inside the given area. */
    virtual void paintTabContent (juce::Graphics& g, juce::Rectangle<float>& area);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    State state = off;
    juce::Colour tabColour{0xff666666};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Tab)
};
} // namespace gui
