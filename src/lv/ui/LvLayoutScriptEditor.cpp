#include "lv/ui/LvLayoutScriptEditor.h"
#include "gfx/Fonts.h"
#include "gfx/Palette.h"

namespace lv
{
LvLayoutScriptEditor::LvLayoutScriptEditor()
    : juce::TextEditor ("Layout script")
{
    setMultiLine (true, true);
    setReturnKeyStartsNewLine (false);
    setScrollbarsShown (true);
    setFont (juce::Font (gfx::Fonts::getTypeface (gfx::FontFamily::consolas, false)).withPointHeight (pointHeight));
    setColour (backgroundColourId, gfx::colours::panel);
    setColour (textColourId, juce::Colours::white);
    setColour (highlightColourId, gfx::colours::text);
    setColour (outlineColourId, juce::Colours::transparentBlack);
    setColour (focusedOutlineColourId, gfx::colours::outline);
    setColour (juce::CaretComponent::caretColourId, juce::Colours::white);

    onTextChange = [this]
    { binding.set (getText()); };
    onReturnKey = [this]
    {
        if (onApply)
            onApply (getText());
    };
    binding.onChange = [this]
    { showBoundText(); };
}

LvLayoutScriptEditor::~LvLayoutScriptEditor() = default;

void LvLayoutScriptEditor::bind (juce::ValueTree tree, const juce::Identifier& property)
{
    binding.bind (std::move (tree), property, juce::String());
}

void LvLayoutScriptEditor::showBoundText()
{
    // The user's own typing comes back here: leave the caret where it is.
    const auto text = binding.getText();

    if (text != getText())
        setText (text, false);
}

bool LvLayoutScriptEditor::keyPressed (const juce::KeyPress& key)
{
    if (key.getKeyCode() == juce::KeyPress::returnKey && key.getModifiers().isShiftDown())
    {
        insertTextAtCaret ("\n");
        return true;
    }

    return juce::TextEditor::keyPressed (key);
}
} // namespace lv
