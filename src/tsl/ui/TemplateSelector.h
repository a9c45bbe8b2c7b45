#pragma once

#include "gui/PropertyBinding.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace tsl
{
/** Shows the part template's file name ("SELECT A TEMPLATE" while none is
    set) and asks for a chooser when clicked. It follows "partTemplateFile". */
class TemplateSelector final : public juce::Component
{
public:
    static constexpr const char* noTemplateText = "SELECT A TEMPLATE";

    explicit TemplateSelector (juce::ValueTree productState);
    ~TemplateSelector() override;

    std::function<void()> onChoose;

    /** What the selector shows. */
    juce::String getShownText() const;

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    gui::PropertyBinding templateFile;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TemplateSelector)
};
} // namespace tsl
