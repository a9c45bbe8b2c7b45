#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/** A rotary knob bound to a numeric tree property. It sweeps 270 degrees,
    from 135 degrees left of up to 135 degrees right of up, and ignores drags
    within 10 pixels of its centre. */
class GadgetKnob : public juce::Component,
                   private juce::ValueTree::Listener
{
public:
    static constexpr float deadZoneRadius = 10.0f;

    GadgetKnob();
    ~GadgetKnob() override;

    void setRange (float newMinimum, float newMaximum);
    float getMinimum() const { return minimum; }
    float getMaximum() const { return maximum; }
    float getValue() const { return value; }

    /** Binds the knob to a property: drags write it, and the knob follows it. */
    void attachValueTreeProperty (juce::ValueTree tree, const juce::Identifier& property);

    /** The value for a pointer at an offset from the knob's centre (y grows
        downwards); empty inside the dead zone. */
    static std::optional<float> valueForOffset (juce::Point<float> offsetFromCentre, float minimum, float maximum);

    /** The angle (0 up, clockwise positive) a value is drawn at. */
    float valueToAngle (float v) const;

    /** The knob's disc, for products that paint a shadow under it. */
    juce::Path getPathForShadow() const;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;
    void dragTo (juce::Point<float> position);
    juce::Rectangle<float> getDiscBounds() const;

    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
    juce::ValueTree boundTree;
    juce::Identifier boundProperty;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetKnob)
};
