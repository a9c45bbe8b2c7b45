#pragma once

#include "gui/NumberEditor.h"
#include "orv/model/Node.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace orv::tracker::au
{
/** The two node types a lane draws, as a pair of buttons ("Ramp", "Jump"). */
class SwitchNodeType final : public juce::Component
{
public:
    SwitchNodeType();

    /** Runs with the type the user picked. */
    std::function<void (Node::Type)> onChange;

    void setType (Node::Type type);
    Node::Type getType() const { return type; }

    juce::TextButton& getRampButton() { return ramp; }
    juce::TextButton& getJumpButton() { return jump; }

    void resized() override;

private:
    void pick (Node::Type newType);

    juce::TextButton ramp{"Ramp"}, jump{"Jump"};
    Node::Type type = Node::Ramp;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SwitchNodeType)
};

/** "Edit node": a value field and the node-type switch. The lane reads the
    field as it changes (onTextChanged) and sends the node on Return or OK
    (onSubmit). */
class AuNodePanel final : public juce::Component,
                          private juce::KeyListener
{
public:
    static constexpr int width = 150, height = 74;
    static constexpr const char* title = "Edit node";

    /** The field takes the characters of a controller value, or of a bend. */
    AuNodePanel (const juce::String& initialText, Node::Type initialType, bool signedDecimal);
    ~AuNodePanel() override;

    std::function<void()> onTextChanged;
    std::function<void()> onSubmit;
    std::function<void (Node::Type)> onTypeChanged;
    /** The up (+1) or down (-1) arrow in the field: the lane steps the value. */
    std::function<void (int)> onStep;

    juce::String getText() const { return field.getText(); }
    /** Replaces the field's text without notifying. */
    void setText (const juce::String& text);

    gui::NumberEditor& getField() { return field; }
    SwitchNodeType& getTypeSwitch() { return typeSwitch; }
    juce::TextButton& getOkButton() { return ok; }

    /** The field's keys come here first: the arrows step through onStep. */
    bool keyPressed (const juce::KeyPress& key, juce::Component*) override;
    using juce::Component::keyPressed;

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    gui::NumberEditor field;
    SwitchNodeType typeSwitch;
    juce::TextButton ok{"OK"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AuNodePanel)
};
} // namespace orv::tracker::au
