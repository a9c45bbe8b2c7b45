#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The large round button of a gadget: a 120-pixel disc with a back plate,
    a gradient face and a front plate that sinks when pressed. */
class GadgetMainButton : public juce::Component
{
public:
    enum class VisualState
    {
        normal = 0,
        hovered = 1,
        pressed = 2
    };

    GadgetMainButton();
    ~GadgetMainButton() override;

    std::function<void()> onClick;

    void setBgGradient (juce::ColourGradient gradient);
    VisualState getVisualState() const { return visualState; }

    /** Only the disc of radius 60 round (60, 60) takes the mouse. */
    bool hitTest (int x, int y) override;

    /** How far the front plate is moved up and left in a state. */
    static float getFrontPlateOffset (VisualState state);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;

private:
    void setVisualState (VisualState newState);

    juce::Image backPlate;
    juce::Image frontPlate;
    juce::ColourGradient background;
    VisualState visualState = VisualState::normal;
    bool hovered = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetMainButton)
};
