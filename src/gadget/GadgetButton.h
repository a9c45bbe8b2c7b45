#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The suite's push button. It can run a click callback, or flip a boolean
    property of a state tree (directly or through a setter and getter), or
    just show itself pressed and run a press callback. */
class GadgetButton : public juce::Component,
                     private juce::ValueTree::Listener
{
public:
    /** Accent colours shared by the products' buttons. */
    struct Colors
    {
        static inline const juce::Colour yellow{0xfff9d023};
        static inline const juce::Colour lightBlue{0xff3fa9f5};
        static inline const juce::Colour lightGreen{0xff8cc63f};
        static inline const juce::Colour orange{0xfff7931e};
    };

    using Setter = std::function<void (juce::ValueTree&, const juce::Identifier&, bool)>;
    using Getter = std::function<bool (const juce::ValueTree&, const juce::Identifier&)>;

    explicit GadgetButton (const juce::String& labelText = {});
    ~GadgetButton() override;

    /** When set, a press runs only this. */
    std::function<void()> onClick;
    /** Runs when an unbound button without click callback is pressed. */
    std::function<void()> onPress;
    /** Paints over the finished button. */
    std::function<void (juce::Graphics&)> onPaintOverlay;

    void setLabel (const juce::String& text);
    const juce::String& getLabel() const { return label; }
    void setFillColor (juce::Colour colour);
    void setActiveColor (juce::Colour colour);
    void setCornerRadius (float radius);
    void setRoundBorders (bool topLeft, bool topRight, bool bottomLeft, bool bottomRight);
    /** A latching button stays pressed on mouse up. */
    void setLatching (bool shouldLatch) { latching = shouldLatch; }

    void setPressed (bool shouldBePressed);
    bool isPressed() const { return pressed; }

    /** Binds the button to a boolean property; with both a setter and a getter
        the button goes through them, otherwise it flips the property itself. */
    void attachValueTreeProperty (juce::ValueTree tree, const juce::Identifier& property, Setter setter = {}, Getter getter = {});

    /** Takes the pressed look from the bound property (through the getter when there is one). */
    void syncStateLocally();

    /** The fill and text colours for the current state: disabled, pressed or normal. */
    std::pair<juce::Colour, juce::Colour> getFillAndTextColours() const;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void enablementChanged() override;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    juce::Path shapeOf (juce::Rectangle<float> r) const;
    bool hasBinding() const { return boundTree.isValid() && boundProperty.isValid(); }

    juce::Colour fillColour{0xff666666};
    juce::Colour activeColour = Colors::yellow;
    float cornerRadius = 4.0f;
    bool roundTopLeft = true;
    bool roundTopRight = true;
    bool roundBottomLeft = true;
    bool roundBottomRight = true;
    juce::String label;
    bool pressed = false;
    bool latching = false;
    juce::ValueTree boundTree;
    juce::Identifier boundProperty;
    Setter boundSetter;
    Getter boundGetter;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetButton)
};
