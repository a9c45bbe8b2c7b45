#include "ly/ui/LyPedalboard.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

namespace ly
{
namespace
{
constexpr int leftFootPedals = 3;
}

LyPedalboard::LyPedalboard()
{
    for (size_t i = 0; i < sliders.size(); ++i)
    {
        sliders[i] = std::make_unique<LyPedalSlider> (LyPedaling::kPedals[i]);
        addAndMakeVisible (*sliders[i]);
    }
}

LyPedalboard::~LyPedalboard() = default;

void LyPedalboard::bind (juce::ValueTree tree, const juce::Identifier& property)
{
    for (auto& slider : sliders)
        slider->bind (tree, property);
}

void LyPedalboard::resized()
{
    const auto count = static_cast<int> (sliders.size());
    const auto width = (getWidth() - footGap) / count;
    const auto height = getHeight() - letterHeight;

    for (int i = 0; i < count; ++i)
    {
        const auto x = i * width + (i >= leftFootPedals ? footGap : 0);
        sliders[static_cast<size_t> (i)]->setBounds (x + 2, 0, width - 4, height);
    }
}

void LyPedalboard::paint (juce::Graphics& g)
{
    gfx::setFont (g, gfx::font::labelBold);
    g.setColour (gfx::colours::overlay);

    for (const auto& slider : sliders)
        g.drawText (slider->getPedalName(), slider->getX(), getHeight() - letterHeight, slider->getWidth(), letterHeight,
                    juce::Justification::centred, false);
}
} // namespace ly
