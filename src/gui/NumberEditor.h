#pragma once

#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace gui
{
/** A text field for numbers. In integer mode it takes only digits; in
    semitone mode it shows a formatted value. The arrow keys step the value.
    Bound to an integer property, it shows the property (clamped into its
    range) and every change goes into the property. */
class NumberEditor final : public juce::TextEditor
{
public:
    NumberEditor();
    ~NumberEditor() override;

    /** Runs with the new value after it changed by typing (on return or focus loss) or by an arrow key. */
    std::function<void (int)> onValueChange;

    /** Whole numbers from min to max; input restricted to "0123456789". */
    void configureIntegerMode (int minValue, int maxValue);
    /** Values from min to max in steps, shown through the formatter and not typed. */
    void configureSemitoneMode (int minValue, int maxValue, int stepSize, std::function<juce::String (int)> formatter);

    /** Binds the editor to an integer property (defaultValue while it is absent). */
    void bind (juce::ValueTree tree, const juce::Identifier& property, int defaultValue = 0, juce::UndoManager* undo = nullptr);

    /** Sets the value (clamped into the range), without calling back. */
    void setValue (int newValue);
    /** The value, clamped into the range. */
    int getValue() const;
    int getMinimum() const { return minimum; }
    int getMaximum() const { return maximum; }

    /** The value a typed text stands for: its leading digits, clamped; the current value when there are none. */
    int parseText (const juce::String& text) const;

    bool keyPressed (const juce::KeyPress& key) override;

private:
    void commitText();
    void stepBy (int steps);
    void changeByUser (int newValue);
    void showValue();

    PropertyBinding binding;
    int minimum = 0;
    int maximum = 100;
    int step = 1;
    std::function<juce::String (int)> format;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NumberEditor)
};
} // namespace gui
