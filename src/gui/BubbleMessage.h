#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace gui
{
/** A short message in a rounded red bubble; a click on it dismisses it. */
class BubbleMessage final : public juce::Component
{
public:
    static inline const juce::Colour fillColour{0xffefb1b1};
    static inline const juce::Colour textColour{0xffe30613};

    explicit BubbleMessage (const juce::String& text = {});
    ~BubbleMessage() override;

    /** Runs after a click hid the bubble. */
    std::function<void()> onDismiss;

    void setText (const juce::String& newText);
    const juce::String& getText() const { return text; }

    /** Shows the bubble again with a new text. */
    void show (const juce::String& newText);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    juce::String text;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BubbleMessage)
};
} // namespace gui
