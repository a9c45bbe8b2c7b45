#pragma once

#include "gadget/IGadget.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The small tab that closes a gadget. The click runs on mouse up, also when
    the pointer has left the button by then. */
class GadgetCloseButton final : public juce::Component
{
public:
    explicit GadgetCloseButton (IGadget& owner);
    ~GadgetCloseButton() override;

    std::function<void()> onClick;

    bool isPressed() const { return pressed; }
    bool isHovered() const { return hovered; }

    /** The fill: the main colour while hovered and not pressed, else the gradient's end colour. */
    juce::Colour getFillColour() const;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;

private:
    IGadget& gadget;
    bool pressed = false;
    bool hovered = false;
    juce::Image icon;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetCloseButton)
};
