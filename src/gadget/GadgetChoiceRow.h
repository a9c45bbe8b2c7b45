#pragma once

#include "gadget/GadgetButton.h"
#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

/** A row of buttons, one per choice, bound to a property that holds the
    chosen value: a press writes the choice's value, and the button of the
    value the property holds shows pressed. A value that matches no choice
    shows the default's button. Values are compared by their text, so a tree
    read back from a file (where every value is text) shows the same choice.
    With more choices than columns the buttons wrap onto further lines. */
class GadgetChoiceRow final : public juce::Component
{
public:
    struct Choice
    {
        juce::var value;
        juce::String label;
    };

    static constexpr int lineHeight = 22;
    static constexpr int gap = 4;

    /** columns 0 puts every choice on one line. */
    explicit GadgetChoiceRow (std::vector<Choice> choices, int columns = 0);
    ~GadgetChoiceRow() override;

    void bind (juce::ValueTree tree, const juce::Identifier& property, const juce::var& defaultValue, juce::UndoManager* undoManager = nullptr);

    /** The index of the choice shown pressed; -1 when neither the value nor the default matches one. */
    int getSelectedIndex() const;
    int getNumChoices() const { return static_cast<int> (choices.size()); }
    GadgetButton& getButton (int index) { return *buttons[static_cast<size_t> (index)]; }

    /** The colour of the pressed button. */
    void setActiveColor (juce::Colour colour);

    int getNumLines() const;
    /** The height the row needs for its lines. */
    int getPreferredHeight() const;

    void resized() override;

private:
    int indexOf (const juce::var& value) const;
    void showSelection();

    std::vector<Choice> choices;
    int columns;
    juce::var fallback;
    std::vector<std::unique_ptr<GadgetButton>> buttons;
    gui::PropertyBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GadgetChoiceRow)
};
