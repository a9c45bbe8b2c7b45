#include "gadget/GadgetChoiceRow.h"

GadgetChoiceRow::GadgetChoiceRow (std::vector<Choice> choicesToShow, int columnCount)
    : choices (std::move (choicesToShow))
    , columns (columnCount > 0 ? columnCount : juce::jmax (1, static_cast<int> (choices.size())))
{
    for (size_t i = 0; i < choices.size(); ++i)
    {
        auto button = std::make_unique<GadgetButton> (choices[i].label);
        button->setCornerRadius (3.0f);
        // The pressed look shows the chosen value; a mouse-up must not take it away.
        button->setLatching (true);
        button->setClickAction ([this, i]
                                { binding.set (choices[i].value); });
        addAndMakeVisible (*button);
        buttons.push_back (std::move (button));
    }

    binding.onChange = [this]
    { showSelection(); };
}

GadgetChoiceRow::~GadgetChoiceRow() = default;

void GadgetChoiceRow::bind (juce::ValueTree tree, const juce::Identifier& property, const juce::var& defaultValue, juce::UndoManager* undoManager)
{
    fallback = defaultValue;
    binding.bind (std::move (tree), property, defaultValue, undoManager);
}

int GadgetChoiceRow::indexOf (const juce::var& value) const
{
    const auto text = value.toString();

    for (size_t i = 0; i < choices.size(); ++i)
        if (!value.isVoid() && choices[i].value.toString() == text)
            return static_cast<int> (i);

    return -1;
}

int GadgetChoiceRow::getSelectedIndex() const
{
    const auto index = indexOf (binding.get());
    return index >= 0 ? index : indexOf (fallback);
}

void GadgetChoiceRow::showSelection()
{
    const auto selected = getSelectedIndex();

    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setPressed (static_cast<int> (i) == selected);
}

void GadgetChoiceRow::setActiveColor (juce::Colour colour)
{
    for (auto& button : buttons)
        button->setActiveColor (colour);
}

int GadgetChoiceRow::getNumLines() const
{
    return (static_cast<int> (choices.size()) + columns - 1) / columns;
}

int GadgetChoiceRow::getPreferredHeight() const
{
    const auto lines = getNumLines();
    return lines > 0 ? lines * lineHeight + (lines - 1) * gap : 0;
}

void GadgetChoiceRow::resized()
{
    const auto width = static_cast<float> (getWidth() - (columns - 1) * gap) / static_cast<float> (columns);

    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const auto column = static_cast<int> (i) % columns;
        const auto line = static_cast<int> (i) / columns;
        const auto x = juce::roundToInt (static_cast<float> (column) * (width + static_cast<float> (gap)));
        const auto right = juce::roundToInt (static_cast<float> (column + 1) * (width + static_cast<float> (gap)) - static_cast<float> (gap));
        buttons[i]->setBounds (x, line * (lineHeight + gap), right - x, lineHeight);
    }
}
