#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A text editor in the suite's colours, dark or light. */
class DarkTextEditor final : public juce::TextEditor
{
public:
    enum class Variant
    {
        dark,
        light
    };

    explicit DarkTextEditor (Variant variant = Variant::dark, const juce::String& name = {});
    ~DarkTextEditor() override;

    /** Re-colours the editor for a variant. */
    void applyVariant (Variant variant);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DarkTextEditor)
};
