#pragma once

#include "fk/FkScoreState.h"
#include "gadget/GadgetButton.h"
#include "gui/PropertyBinding.h"
#include "state/ChangeBatcher.h"
#include "ui/CheckBox.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace fk
{
/** One stem in Forkel's list: a check box bound to the stem's "selected",
    its name (a click edits it), its export status and a button that removes
    it. It follows the stem's tree. */
class StemRow final : public juce::Component
{
public:
    StemRow (juce::ValueTree stem, std::function<void (int)> remove);
    ~StemRow() override;

    ui::CheckBox& getCheckBox() { return box; }
    juce::Label& getNameLabel() { return nameLabel; }
    GadgetButton& getRemoveButton() { return removeButton; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    /** A typed name as the stem keeps it: a legal file name; empty keeps the old one. */
    void commitName (const juce::String& typed);

    Stem stem;
    ui::CheckBox box;
    juce::Label nameLabel;
    gui::PropertyBinding name;
    GadgetButton removeButton{"x"};
    state::ChangeBatcher changes;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StemRow)
};
} // namespace fk
