#pragma once

#include "gfx/Palette.h"
#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The suite's push button. It does one thing at a time (its mode): run a
    click action, flip a boolean tree property it is bound to (a toggle that
    shows the property), or show itself pressed and run a press action.
    Setting one mode replaces the other. */
class GadgetButton : public juce::Component
{
public:
    /** Accent colours shared by the products' buttons. */
    struct Colors
    {
        static inline const juce::Colour yellow = gfx::colours::yellow;
        static inline const juce::Colour lightBlue = gfx::colours::lightBlue;
        static inline const juce::Colour lightGreen = gfx::colours::lightGreen;
        static inline const juce::Colour orange = gfx::colours::orange;
    };

    enum class Mode
    {
        /** A press runs the click action and nothing else. */
        click,
        /** A press flips the bound property; the button shows the property. */
        toggle,
        /** A press shows the button pressed (flips it when latching) and runs the press action. */
        press
    };

    explicit GadgetButton (const juce::String& labelText = {});
    ~GadgetButton() override;

    /** Click mode. The action may destroy the button. */
    void setClickAction (std::function<void()> action);
    /** Press mode (the mode of a new button, with no action). */
    void setPressAction (std::function<void()> action);
    /** Toggle mode, bound to a boolean property (defaultValue while it is absent). */
    void bindToggle (juce::ValueTree tree, const juce::Identifier& property, bool defaultValue = false, juce::UndoManager* undoManager = nullptr);
    Mode getMode() const { return mode; }

    /** Paints over the finished button. */
    std::function<void (juce::Graphics&)> onPaintOverlay;

    void setLabel (const juce::String& text);
    const juce::String& getLabel() const { return label; }
    void setFillColor (juce::Colour colour);
    void setActiveColor (juce::Colour colour);
    void setCornerRadius (float radius);
    void setRoundBorders (bool topLeft, bool topRight, bool bottomLeft, bool bottomRight);
    /** A latching press button stays pressed on mouse up, until the next press. */
    void setLatching (bool shouldLatch) { latching = shouldLatch; }

    /** Sets the pressed look of a click or press button; a toggle shows its property instead. */
    void setPressed (bool shouldBePressed);
    bool isPressed() const;

    /** The fill and text colours for the current state: disabled, pressed or normal. */
    std::pair<juce::Colour, juce::Colour> getFillAndTextColours() const;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void enablementChanged() override;

private:
    juce::Path shapeOf (juce::Rectangle<float> r) const;

    Mode mode = Mode::press;
    std::function<void()> action;
    gui::PropertyBinding toggle;
    juce::Colour fillColour = gfx::colours::control;
    juce::Colour activeColour = Colors::yellow;
    float cornerRadius = 4.0f;
    bool roundTopLeft = true;
    bool roundTopRight = true;
    bool roundBottomLeft = true;
    bool roundBottomRight = true;
    juce::String label;
    bool pressed = false;
    bool latching = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetButton)
};
