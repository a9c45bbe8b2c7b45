#pragma once

#include "gadget/GadgetButton.h"
#include "gadget/GadgetSectionDrawer.h"
#include "gui/PropertyBinding.h"
#include "pnt/PntState.h"
#include "pnt/ui/FluteKeyEditor.h"

namespace pnt
{
/** The name of the user's preset file, as the presets drawer shows it. */
class PntPresetLabel final : public juce::Component
{
public:
    explicit PntPresetLabel (PntPreferences preferences);
    ~PntPresetLabel() override;

    juce::String getText() const;
    void paint (juce::Graphics& g) override;

private:
    gui::PropertyBinding file;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PntPresetLabel)
};

/** "PRESETS": which chart the mapper uses, the user file's name, and the
    buttons that create, edit and load preset files. */
class PntPresetsDrawer final : public GadgetSectionDrawer
{
public:
    explicit PntPresetsDrawer (PntPreferences preferences);
    ~PntPresetsDrawer() override;

    GadgetChoiceRow& getModeRow() { return *mode; }
    PntPresetLabel& getLabel() { return label; }
    GadgetButton& getCreateButton() { return createButton; }
    GadgetButton& getEditButton() { return editButton; }
    GadgetButton& getLoadButton() { return loadButton; }

private:
    GadgetChoiceRow* mode = nullptr;
    PntPresetLabel label;
    GadgetButton createButton{"Create New"};
    GadgetButton editButton{"Edit..."};
    GadgetButton loadButton{"Load Preset"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PntPresetsDrawer)
};

/** "EXTRAS": "FILTER SELECTION" with "Select Only Charts". */
class PntExtrasDrawer final : public GadgetSectionDrawer
{
public:
    PntExtrasDrawer();
    ~PntExtrasDrawer() override;

    GadgetButton& getSelectButton() { return selectButton; }

private:
    GadgetButton selectButton{"Select Only Charts"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PntExtrasDrawer)
};

/** "TRANSPOSE": the flute key, the direction, the placement (same staff or
    a new one, above or below, its size) and the button that sends it. */
class PntTransposeDrawer final : public GadgetSectionDrawer
{
public:
    explicit PntTransposeDrawer (PntState state);
    ~PntTransposeDrawer() override;

    FluteKeyEditor& getKeyEditor() { return keyEditor; }
    GadgetButton& getTransposeButton() { return transposeButton; }

private:
    FluteKeyEditor keyEditor;
    GadgetButton transposeButton{"Transpose"};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PntTransposeDrawer)
};
} // namespace pnt
