#include "ly/ui/LyPedalSlider.h"
#include "gfx/Palette.h"

namespace ly
{
LyPedalSlider::LyPedalSlider (const juce::String& name)
    : pedalName (name)
{
    binding.onChange = [this]
    { repaint(); };
}

LyPedalSlider::~LyPedalSlider() = default;

void LyPedalSlider::bind (juce::ValueTree tree, const juce::Identifier& property)
{
    binding.bind (tree, property, LyPedaling::allAt (LyPedalPosition::Natural).toString());
}

LyPedalPosition LyPedalSlider::positionAt (int y, int height)
{
    if (y < height / 3)
        return LyPedalPosition::Flat;

    if (y < 2 * height / 3)
        return LyPedalPosition::Natural;

    return LyPedalPosition::Sharp;
}

LyPedalPosition LyPedalSlider::getPosition() const
{
    return LyPedaling::fromString (binding.getText()).getPedalPosition (pedalName);
}

void LyPedalSlider::moveTo (int y)
{
    const auto position = positionAt (y, getHeight());
    auto pedaling = LyPedaling::fromString (binding.getText());

    if (pedaling.getPedalPosition (pedalName) == position && pedaling.toString() == binding.getText())
        return;

    pedaling.setPedalPosition (pedalName, position);
    binding.set (pedaling.toString());
}

void LyPedalSlider::mouseDown (const juce::MouseEvent& e)
{
    moveTo (e.getPosition().y);
}

void LyPedalSlider::mouseDrag (const juce::MouseEvent& e)
{
    moveTo (e.getPosition().y);
}

void LyPedalSlider::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    const auto slot = bounds.withSizeKeepingCentre (6.0f, bounds.getHeight() - 8.0f);
    g.setColour (gfx::colours::well);
    g.fillRoundedRectangle (slot, 3.0f);

    // A tick at each notch: flat, natural and sharp, top to bottom.
    const auto third = bounds.getHeight() / 3.0f;
    g.setColour (gfx::colours::dim);

    for (int notch = 0; notch < 3; ++notch)
    {
        const auto y = third * (static_cast<float> (notch) + 0.5f);
        g.drawHorizontalLine (juce::roundToInt (y), bounds.getX() + 2.0f, bounds.getRight() - 2.0f);
    }

    const auto position = getPosition();
    const auto notch = position == LyPedalPosition::Flat ? 0 : (position == LyPedalPosition::Natural ? 1 : 2);
    const auto centreY = third * (static_cast<float> (notch) + 0.5f);
    const auto knob = juce::Rectangle<float> (bounds.getWidth() - 2.0f, 12.0f).withCentre ({bounds.getCentreX(), centreY});

    g.setColour (position == LyPedalPosition::Natural ? gfx::colours::text : gfx::colours::yellow);
    g.fillRoundedRectangle (knob, 3.0f);
    g.setColour (gfx::colours::outline);
    g.drawRoundedRectangle (knob, 3.0f, 1.0f);
}
} // namespace ly
