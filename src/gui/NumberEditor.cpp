#include "gui/NumberEditor.h"
#include "gfx/FontStyle.h"
#include "gfx/StringConversions.h"

namespace gui
{
NumberEditor::NumberEditor()
{
    setJustification (juce::Justification::centred);
    setFont (gfx::getFont (0));
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
    setValue (value);
}

void NumberEditor::configureSemitoneMode (int minValue, int maxValue, int stepSize, std::function<juce::String (int)> formatter)
{
    minimum = juce::jmin (minValue, maxValue);
    maximum = juce::jmax (minValue, maxValue);
    step = juce::jmax (1, stepSize);
    format = std::move (formatter);
    setReadOnly (true);
    setCaretVisible (false);
    setValue (value);
}

void NumberEditor::setValue (int newValue)
{
    value = juce::jlimit (minimum, maximum, newValue);
    showValue();
}

void NumberEditor::showValue()
{
    setText (format ? format (value) : juce::String (value), false);
}

int NumberEditor::parseText (const juce::String& text) const
{
    const auto trimmed = text.trim();

    if (!trimmed.containsAnyOf ("0123456789"))
        return value;

    return juce::jlimit (minimum, maximum, gfx::stringToInt (trimmed));
}

void NumberEditor::commitText()
{
    if (format)
        return;

    const auto old = value;
    setValue (parseText (getText()));

    if (value != old && onValueChange)
        onValueChange (value);
}

void NumberEditor::stepBy (int steps)
{
    const auto old = value;
    const auto target = static_cast<int64_t> (value) + static_cast<int64_t> (steps) * step;
    setValue (static_cast<int> (juce::jlimit (static_cast<int64_t> (minimum), static_cast<int64_t> (maximum), target)));

    if (value != old && onValueChange)
        onValueChange (value);
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
