#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "gfx/Palette.h"

namespace gui
{
/** A plain container window: it paints a background and gives its one
    content component all of its area. */
class ExpandedWindow : public juce::Component
{
public:
    explicit ExpandedWindow (const juce::String& name = {}, juce::Colour background = gfx::colours::well);
    ~ExpandedWindow() override;

    /** Shows a component that the window then owns. */
    void setContentOwned (std::unique_ptr<juce::Component> newContent);
    /** Shows a component that someone else owns. */
    void setContentNonOwned (juce::Component* newContent);
    juce::Component* getContent() const { return content; }

    void setBackgroundColour (juce::Colour colour);
    juce::Colour getBackgroundColour() const { return backgroundColour; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void clearContent();

    juce::Colour backgroundColour;
    std::unique_ptr<juce::Component> ownedContent;
    juce::Component* content = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ExpandedWindow)
};
} // namespace gui
