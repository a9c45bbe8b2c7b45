#pragma once

#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace lv
{
/** The layout script's editor: multi-line, monospaced, with scroll bars.
    It shows the state's "layoutScript" and follows every change of it;
    what the user types is written back into the state. Return applies the
    script, Shift+Return breaks the line. */
class LvLayoutScriptEditor final : public juce::TextEditor
{
public:
    static constexpr float pointHeight = 14.0f;

    LvLayoutScriptEditor();
    ~LvLayoutScriptEditor() override;

    /** Binds the editor to a string property of a tree. */
    void bind (juce::ValueTree tree, const juce::Identifier& property);

    /** Return: runs with the editor's text. */
    std::function<void (const juce::String& script)> onApply;

    bool keyPressed (const juce::KeyPress& key) override;

private:
    void showBoundText();

    gui::PropertyBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LvLayoutScriptEditor)
};
} // namespace lv
