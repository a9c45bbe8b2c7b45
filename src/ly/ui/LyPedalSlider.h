#pragma once

#include "gui/PropertyBinding.h"
#include "ly/LyPedaling.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace ly
{
/** One pedal of the pedalboard: a slot with the pedal in one of three
    notches, flat at the top, natural in the middle, sharp at the bottom.
    A click or drag moves it to the third of the slot under the pointer and
    writes the new position into the pedal text of the bound property. */
class LyPedalSlider final : public juce::Component
{
public:
    explicit LyPedalSlider (const juce::String& pedalName);
    ~LyPedalSlider() override;

    /** Follows the property holding the pedal text (LyPedaling). */
    void bind (juce::ValueTree tree, const juce::Identifier& property);

    /** The position for a point at height y of a slot of height h: flat
        above h/3, natural above 2h/3, sharp from there (integer thirds). */
    static LyPedalPosition positionAt (int y, int height);

    const juce::String& getPedalName() const { return pedalName; }
    LyPedalPosition getPosition() const;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    void moveTo (int y);

    juce::String pedalName;
    gui::PropertyBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LyPedalSlider)
};
} // namespace ly
