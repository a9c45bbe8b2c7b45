#include "kvn/ui/KvKnob.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"

#include <cmath>

namespace kv
{
namespace
{
float optionAngle (int index)
{
    return juce::MathConstants<float>::twoPi * static_cast<float> (index) / static_cast<float> (KvKnobOptions::optionCount);
}
} // namespace

KvKnob::KvKnob (KvState stateToUse)
    : state (std::move (stateToUse))
{
    setName ("KvKnob");
    state.getTree().addListener (this);
}

KvKnob::~KvKnob()
{
    state.getTree().removeListener (this);
}

float KvKnob::getLabelRadius() const
{
    return static_cast<float> (juce::jmin (getWidth(), getHeight())) * 0.5f - 14.0f;
}

juce::Point<float> KvKnob::getOptionCentre (int index) const
{
    const auto centre = getLocalBounds().toFloat().getCentre();
    const auto angle = optionAngle (index);
    return centre + juce::Point<float> (std::sin (angle), -std::cos (angle)) * getLabelRadius();
}

void KvKnob::paint (juce::Graphics& g)
{
    const auto centre = getLocalBounds().toFloat().getCentre();
    const auto labelRadius = getLabelRadius();
    const auto discRadius = labelRadius - 22.0f;

    // The plate under the labels.
    g.setColour (gfx::colours::panel.withAlpha (0.35f));
    g.fillEllipse (juce::Rectangle<float> (labelRadius * 2.0f + 28.0f, labelRadius * 2.0f + 28.0f).withCentre (centre));

    const auto selected = KvKnobOptions::getSelectedOption (state);
    gfx::setFont (g, gfx::font::labelBold);

    for (int i = 0; i < KvKnobOptions::optionCount; ++i)
    {
        const auto at = getOptionCentre (i);
        const auto spot = juce::Rectangle<float> (26.0f, 20.0f).withCentre (at);

        if (KvKnobOptions::optionIsSourceKey (state, i))
        {
            g.setColour (gfx::colours::yellow);
            g.fillRoundedRectangle (spot, 6.0f);
        }

        g.setColour (i == selected ? gfx::colours::overlay : (KvKnobOptions::optionIsSourceKey (state, i) ? gfx::colours::textOnAccent : gfx::colours::text));
        g.drawText (KvKnobOptions::getOptionLabel (state, i), spot.expanded (6.0f, 0.0f), juce::Justification::centred, false);
    }

    // The disc and its pointer.
    const auto disc = juce::Rectangle<float> (discRadius * 2.0f, discRadius * 2.0f).withCentre (centre);
    g.setColour (gfx::colours::dropShadow);
    g.fillEllipse (disc.translated (2.0f, 3.0f));
    g.setGradientFill (juce::ColourGradient (gfx::colours::control.brighter (0.4f), disc.getTopLeft(), gfx::colours::well, disc.getBottomRight(), false));
    g.fillEllipse (disc);
    g.setColour (gfx::colours::outline);
    g.drawEllipse (disc, 1.5f);

    const auto angle = optionAngle (selected);
    const juce::Point<float> direction (std::sin (angle), -std::cos (angle));
    g.setColour (gfx::colours::yellow);
    g.drawLine (juce::Line<float> (centre + direction * (discRadius * 0.25f), centre + direction * (discRadius - 4.0f)), 4.0f);
    g.fillEllipse (juce::Rectangle<float> (8.0f, 8.0f).withCentre (centre + direction * (discRadius + 7.0f)));
}

void KvKnob::mouseDown (const juce::MouseEvent&)
{
    lastIndex = KvKnobOptions::getSelectedOption (state);
}

void KvKnob::mouseDrag (const juce::MouseEvent& e)
{
    const auto index = KvKnobOptions::optionForOffset (e.position - getLocalBounds().toFloat().getCentre());

    if (!index.has_value())
        return;

    KvKnobOptions::chooseOption (state, *index);

    if (*index != lastIndex)
    {
        lastIndex = *index;

        if (state.isAutoPlay() && onPlay)
            onPlay();
    }
}
} // namespace kv
