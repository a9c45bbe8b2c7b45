#pragma once

#include "gui/PropertyBinding.h"
#include "ly/LyPedaling.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace ly
{
/** The pedal setting drawn as harpists write it: a line with the left
    foot's three pedals, a bar, then the right foot's four; a pedal's mark
    stands above the line when flat, across it when natural and below it
    when sharp. The note names the strings give are written underneath.
    Repaints whenever the bound pedal text changes. */
class LyPedalDiagram final : public juce::Component
{
public:
    LyPedalDiagram();
    ~LyPedalDiagram() override;

    void bind (juce::ValueTree tree, const juce::Identifier& property);

    /** The setting shown (the bound text read through LyPedaling::fromString). */
    LyPedaling getPedaling() const;

    /** "D C Bb Eb F G Ab": each string's note under this setting. */
    static juce::String describe (const LyPedaling& pedaling);

    void paint (juce::Graphics& g) override;

private:
    gui::PropertyBinding binding;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LyPedalDiagram)
};
} // namespace ly
