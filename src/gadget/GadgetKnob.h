#pragma once

#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/** A rotary knob bound to a numeric tree property. A drag points it: it
    sweeps 270 degrees, from 135 degrees left of up to 135 degrees right of
    up, and ignores the pointer within 10 pixels of its centre. A plain click
    changes nothing. Its value is its binding's copy of the property. */
class GadgetKnob : public juce::Component
{
public:
    static constexpr float deadZoneRadius = 10.0f;

    GadgetKnob();
    ~GadgetKnob() override;

    void setRange (float newMinimum, float newMaximum);
    float getMinimum() const { return minimum; }
    float getMaximum() const { return maximum; }
    /** The bound property as a float (defaultValue while it is absent; 0 unbound). */
    float getValue() const { return binding.getFloat(); }

    /** Binds the knob to a property: drags write it, and the knob follows it. */
    void bind (juce::ValueTree tree, const juce::Identifier& property, float defaultValue = 0.0f, juce::UndoManager* undoManager = nullptr);

    /** The value for a pointer at an offset from the knob's centre (y grows
        downwards); empty inside the dead zone. */
    static std::optional<float> valueForOffset (juce::Point<float> offsetFromCentre, float minimum, float maximum);

    /** The angle (0 up, clockwise positive) a value is drawn at. */
    float valueToAngle (float v) const;

    /** The knob's disc, for products that paint a shadow under it. */
    juce::Path getPathForShadow() const;

    void paint (juce::Graphics& g) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    juce::Rectangle<float> getDiscBounds() const;

    float minimum = 0.0f;
    float maximum = 1.0f;
    gui::PropertyBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetKnob)
};
