#pragma once

#include "ly/ui/LyPedalSlider.h"

#include <array>
#include <memory>

namespace ly
{
/** The seven pedal sliders in pedal order, the left foot's three apart
    from the right foot's four, each with its note name below. */
class LyPedalboard final : public juce::Component
{
public:
    static constexpr int letterHeight = 16;
    static constexpr int footGap = 10;

    LyPedalboard();
    ~LyPedalboard() override;

    /** Binds every slider to the property holding the pedal text. */
    void bind (juce::ValueTree tree, const juce::Identifier& property);

    LyPedalSlider& getSlider (int index) { return *sliders[static_cast<size_t> (index)]; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    std::array<std::unique_ptr<LyPedalSlider>, LyPedaling::kPedals.size()> sliders;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LyPedalboard)
};
} // namespace ly
