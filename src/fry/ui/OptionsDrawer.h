#pragma once

#include "fry/State.h"
#include "ui/CheckBox.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace fry
{
/** The content of Ferrymo's "Options" drawer: "Include CC Automation",
    bound to the product state. */
class OptionsDrawer final : public juce::Component,
                            private juce::ValueTree::Listener
{
public:
    explicit OptionsDrawer (State state);
    ~OptionsDrawer() override;

    ui::CheckBox& getIncludeAutomationBox() { return includeAutomation; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;

    State state;
    ui::CheckBox includeAutomation{"Include CC Automation"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OptionsDrawer)
};
} // namespace fry
