#include "pnt/ui/FluteKeyEditor.h"
#include "pnt/PntTypes.h"

namespace pnt
{
FluteKeyEditor::FluteKeyEditor()
{
    editor.setSelectAllWhenFocused (true);
    editor.setInputRestrictions (8);
    editor.onReturnKey = [this]
    { fixAndCommit(); };
    editor.onFocusLost = [this]
    { fixAndCommit(); };
    editor.onEscapeKey = [this]
    { editor.setText (binding.getText(), false); };
    addAndMakeVisible (editor);

    binding.onChange = [this]
    { editor.setText (binding.getText(), false); };
}

FluteKeyEditor::~FluteKeyEditor() = default;

void FluteKeyEditor::bind (juce::ValueTree tree, const juce::Identifier& property)
{
    binding.bind (tree, property, FluteKey::reference);
}

void FluteKeyEditor::fixAndCommit()
{
    const auto key = FluteKey (editor.getText()).toString();
    binding.set (key);
    editor.setText (key, false);
}

void FluteKeyEditor::resized()
{
    editor.setBounds (getLocalBounds());
}
} // namespace pnt
