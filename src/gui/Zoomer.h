#pragma once

#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <optional>

namespace gui
{
/** A spring-loaded thumb wheel. Dragging along the wheel turns it away from
    its centre value; dragging far off the wheel springs it back to the centre.
    Bound to a float property, the wheel shows the property (clamped into its
    range) and every value set goes into the property. */
class Zoomer : public juce::Component
{
public:
    static constexpr float wheelRadius = 8.0f;
    /** The wheel's angle for one unit of normalised value: 2 pi / 5. */
    static constexpr float spanPerUnit = 1.2566371f;

    Zoomer();
    ~Zoomer() override;

    /** Runs with every value the user sets (and with setValueAndTrigger). */
    std::function<void (float)> onChange;

    /** Binds the wheel to a float property (defaultValue, else the centre, while it is absent). */
    void bind (juce::ValueTree tree, const juce::Identifier& property, std::optional<float> defaultValue = {}, juce::UndoManager* undoManager = nullptr);

    /** Sets a value (clamped) without calling back. */
    void setValue (float newValue);
    /** Sets a value (clamped) and calls back. */
    void setValueAndTrigger (float newValue);
    /** The value, clamped into the range. */
    float getValue() const;

    void setValueRange (float newMinimum, float newMaximum, float newCentre);
    float getMinimum() const { return minimum; }
    float getMaximum() const { return maximum; }
    float getCentre() const { return centre; }

    void setVertical (bool shouldBeVertical);
    bool isHorizontal() const { return horizontal; }

    /** The wheel's turn per pixel of drag, set from the widget's length. */
    float getAnglePerPixel() const { return anglePerPixel; }

    /** The drag offset recorded for a value: its distance from the centre,
        normalised to -1..1 on each side, times 2 pi / 5. */
    float offsetForValue (float v) const;

    /** The value for a drag of d pixels that started at the given offset. */
    float valueForDrag (float dragDistance, float startOffset) const;

    void resized() override;
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    void applyUserValue (float newValue);

    bool horizontal = true;
    float minimum = 0.0f;
    float maximum = 100.0f;
    float centre = 50.0f;
    float anglePerPixel = 0.0f;
    float dragOffset = 0.0f;
    PropertyBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Zoomer)
};
} // namespace gui
