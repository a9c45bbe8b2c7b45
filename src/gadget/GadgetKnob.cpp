#include "gadget/GadgetKnob.h"
#include "gfx/Palette.h"

#include <cmath>

GadgetKnob::GadgetKnob()
{
    binding.onChange = [this]
    { repaint(); };
}

GadgetKnob::~GadgetKnob() = default;

void GadgetKnob::setRange (float newMinimum, float newMaximum)
{
    minimum = newMinimum;
    maximum = newMaximum;
    repaint();
}

void GadgetKnob::bind (juce::ValueTree tree, const juce::Identifier& property, float defaultValue, juce::UndoManager* undoManager)
{
    binding.bind (std::move (tree), property, defaultValue, undoManager);
}

std::optional<float> GadgetKnob::valueForOffset (juce::Point<float> p, float minimum, float maximum)
{
    const auto dx = static_cast<double> (p.x);
    const auto dy = static_cast<double> (p.y);

    if (std::hypot (dx, dy) <= static_cast<double> (deadZoneRadius))
        return std::nullopt;

    // 0 points up; wrapped into (-pi, pi] so that straight down is the far end.
    auto angle = std::atan2 (dy, dx) + juce::MathConstants<double>::halfPi;

    while (angle > juce::MathConstants<double>::pi)
        angle -= juce::MathConstants<double>::twoPi;

    while (angle <= -juce::MathConstants<double>::pi)
        angle += juce::MathConstants<double>::twoPi;

    const auto sweep = 1.5 * juce::MathConstants<double>::pi;
    const auto proportion = (angle + 0.75 * juce::MathConstants<double>::pi) / sweep;
    const auto lo = static_cast<double> (juce::jmin (minimum, maximum));
    const auto hi = static_cast<double> (juce::jmax (minimum, maximum));
    const auto v = static_cast<double> (minimum) + proportion * static_cast<double> (maximum - minimum);
    return static_cast<float> (juce::jlimit (lo, hi, v));
}

float GadgetKnob::valueToAngle (float v) const
{
    const auto range = maximum - minimum;
    const auto proportion = range != 0.0f ? juce::jlimit (0.0f, 1.0f, (v - minimum) / range) : 0.0f;
    return -0.75f * juce::MathConstants<float>::pi + proportion * 1.5f * juce::MathConstants<float>::pi;
}

void GadgetKnob::mouseDrag (const juce::MouseEvent& e)
{
    // A click that does not move is no drag; a knob without a tree ignores drags.
    if (!e.mouseWasDraggedSinceMouseDown() || !binding.isBound())
        return;

    const auto centre = getLocalBounds().toFloat().getCentre();

    // The tree's change notification repaints.
    if (const auto newValue = valueForOffset (e.position - centre, minimum, maximum))
        binding.set (*newValue);
}

juce::Rectangle<float> GadgetKnob::getDiscBounds() const
{
    const auto size = static_cast<float> (juce::jmin (getWidth(), getHeight())) - 8.0f;
    return juce::Rectangle<float> (juce::jmax (0.0f, size), juce::jmax (0.0f, size)).withCentre (getLocalBounds().toFloat().getCentre());
}

juce::Path GadgetKnob::getPathForShadow() const
{
    juce::Path p;
    p.addEllipse (getDiscBounds());
    return p;
}

void GadgetKnob::paint (juce::Graphics& g)
{
    const auto disc = getDiscBounds();

    if (disc.isEmpty())
        return;

    const auto centre = disc.getCentre();
    const auto radius = disc.getWidth() * 0.5f;
    const auto start = -0.75f * juce::MathConstants<float>::pi;
    const auto angle = valueToAngle (getValue());

    juce::Path track;
    track.addCentredArc (centre.x, centre.y, radius + 2.0f, radius + 2.0f, 0.0f, start, -start, true);
    g.setColour (gfx::colours::outline);
    g.strokePath (track, juce::PathStrokeType (3.0f));

    juce::Path valueArc;
    valueArc.addCentredArc (centre.x, centre.y, radius + 2.0f, radius + 2.0f, 0.0f, start, angle, true);
    g.setColour (gfx::colours::yellow);
    g.strokePath (valueArc, juce::PathStrokeType (3.0f));

    g.setGradientFill (juce::ColourGradient (gfx::colours::control, disc.getX(), disc.getY(),
                                             gfx::colours::well, disc.getRight(), disc.getBottom(), false));
    g.fillEllipse (disc.reduced (2.0f));
    g.setColour (gfx::colours::outline);
    g.drawEllipse (disc.reduced (2.0f), 1.0f);

    const auto tip = centre.getPointOnCircumference (radius - 5.0f, angle);
    const auto base = centre.getPointOnCircumference (radius * 0.35f, angle);
    g.setColour (juce::Colours::white);
    g.drawLine ({base, tip}, 2.0f);
}
