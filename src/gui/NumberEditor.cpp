#include "gui/NumberEditor.h"
#include "gfx/FontStyle.h"
#include "gfx/StringConversions.h"

namespace gui
{
NumberEditor::NumberEditor()
{
    binding.set (0);
    binding.onChange = [this]
    { showValue(); };
    setJustification (juce::Justification::centred);
    setFont (gfx::getFont (gfx::font::text));
    setSelectAllWhenFocused (true);
    onReturnKey = [this]
    { commitText(); };
    onFocusLost = [this]
    { commitText(); };
    configureIntegerMode (0, 100);
}

NumberEditor::~NumberEditor() = default;

void NumberEditor::configureIntegerMode (int minValue, int maxValue)
{
    minimum = juce::jmin (minValue, maxValue);
    maximum = juce::jmax (minValue, maxValue);
    step = 1;
    format = nullptr;
    setReadOnly (false);
    setInputRestrictions (0, "0123456789");
    showValue();
}

void NumberEditor::configureSemitoneMode (int minValue, int maxValue, int stepSize, std::function<juce::String (int)> formatter)
{
    minimum = juce::jmin (minValue, maxValue);
    maximum = juce::jmax (minValue, maxValue);
    step = juce::jmax (1, stepSize);
    format = std::move (formatter);
    setReadOnly (true);
    setCaretVisible (false);
    showValue();
}

void NumberEditor::bind (juce::ValueTree tree, const juce::Identifier& property, int defaultValue, juce::UndoManager* undo)
{
    binding.bind (std::move (tree), property, defaultValue, undo);
}

int NumberEditor::getValue() const
{
    return juce::jlimit (minimum, maximum, binding.getInt());
}

void NumberEditor::setValue (int newValue)
{
    juce::Component::SafePointer<NumberEditor> self (this);
    binding.set (juce::jlimit (minimum, maximum, newValue));

    // Also when the value stays and only the text was off.
    if (self != nullptr)
        showValue();
}

void NumberEditor::showValue()
{
    const auto v = getValue();
    setText (format ? format (v) : juce::String (v), false);
}

int NumberEditor::parseText (const juce::String& text) const
{
    const auto trimmed = text.trim();

    if (!trimmed.containsAnyOf ("0123456789"))
        return getValue();

    return juce::jlimit (minimum, maximum, gfx::stringToInt (trimmed));
}

void NumberEditor::commitText()
{
    if (format)
        return;

    changeByUser (parseText (getText()));
}

void NumberEditor::stepBy (int steps)
{
    const auto target = static_cast<int64_t> (getValue()) + static_cast<int64_t> (steps) * step;
    changeByUser (static_cast<int> (juce::jlimit (static_cast<int64_t> (minimum), static_cast<int64_t> (maximum), target)));
}

void NumberEditor::changeByUser (int newValue)
{
    const auto old = getValue();
    juce::Component::SafePointer<NumberEditor> self (this);
    setValue (newValue);

    // Whoever follows the tree may have closed the window.
    if (self != nullptr && getValue() != old && onValueChange)
        onValueChange (getValue());
}

bool NumberEditor::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::upKey)
    {
        stepBy (1);
        return true;
    }

    if (key == juce::KeyPress::downKey)
    {
        stepBy (-1);
        return true;
    }

    return TextEditor::keyPressed (key);
}
} // namespace gui
