#pragma once

#include "gui/DarkTextEditor.h"
#include "gui/PropertyBinding.h"

namespace pnt
{
/** The flute key's text field. Return or leaving the field commits the
    typed text tidied as a flute key ("a" becomes "A4", "" becomes "F#4");
    the field shows the stored key otherwise. */
class FluteKeyEditor final : public juce::Component
{
public:
    FluteKeyEditor();
    ~FluteKeyEditor() override;

    void bind (juce::ValueTree tree, const juce::Identifier& property);

    /** Stores the typed text as a flute key and shows what was stored. */
    void fixAndCommit();

    juce::TextEditor& getEditor() { return editor; }

    void resized() override;

private:
    DarkTextEditor editor;
    gui::PropertyBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FluteKeyEditor)
};
} // namespace pnt
