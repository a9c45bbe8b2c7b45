#include "gui/Zoomer.h"
#include "gfx/Palette.h"

#include <cmath>

namespace gui
{
Zoomer::Zoomer()
{
    binding.set (centre);
    binding.onChange = [this]
    { repaint(); };
}

Zoomer::~Zoomer() = default;

void Zoomer::bind (juce::ValueTree tree, const juce::Identifier& property, std::optional<float> defaultValue, juce::UndoManager* undoManager)
{
    binding.bind (std::move (tree), property, defaultValue.value_or (centre), undoManager);
}

float Zoomer::getValue() const
{
    return juce::jlimit (minimum, maximum, binding.getFloat());
}

void Zoomer::setValue (float newValue)
{
    binding.set (juce::jlimit (minimum, maximum, newValue));
}

void Zoomer::setValueAndTrigger (float newValue)
{
    applyUserValue (newValue);
}

void Zoomer::setValueRange (float newMinimum, float newMaximum, float newCentre)
{
    minimum = juce::jmin (newMinimum, newMaximum);
    maximum = juce::jmax (newMinimum, newMaximum);
    centre = juce::jlimit (minimum, maximum, newCentre);
    repaint();
}

void Zoomer::setVertical (bool shouldBeVertical)
{
    horizontal = !shouldBeVertical;
    resized();
    repaint();
}

float Zoomer::offsetForValue (float v) const
{
    float normalised = 0.0f;

    if (v >= centre)
        normalised = maximum > centre ? (v - centre) / (maximum - centre) : 0.0f;
    else
        normalised = centre > minimum ? (v - centre) / (centre - minimum) : 0.0f;

    return normalised * spanPerUnit;
}

float Zoomer::valueForDrag (float dragDistance, float startOffset) const
{
    const auto t = (dragDistance * anglePerPixel + startOffset) / spanPerUnit;
    const auto v = t >= 0.0f ? juce::jmin (maximum, centre + (maximum - centre) * t)
                             : juce::jmax (minimum, centre + (centre - minimum) * t);
    return juce::jlimit (minimum, maximum, v);
}

void Zoomer::resized()
{
    const auto length = static_cast<float> (horizontal ? getWidth() : getHeight()) - 10.0f;

    // The wheel turns so that its rim follows the pointer; a wheel shorter
    // than its own diameter turns by the largest step instead.
    const auto ratio = length > wheelRadius ? wheelRadius / length : 1.0f;
    anglePerPixel = 2.0f * std::asin (ratio) / wheelRadius;
}

void Zoomer::mouseDown (const juce::MouseEvent&)
{
    dragOffset = offsetForValue (getValue());
}

void Zoomer::mouseDrag (const juce::MouseEvent& e)
{
    const auto length = static_cast<float> (horizontal ? getWidth() : getHeight());
    const auto across = horizontal ? e.position.y : e.position.x;
    const auto acrossSize = static_cast<float> (horizontal ? getHeight() : getWidth());

    if (across < -length || across > acrossSize + length)
    {
        applyUserValue (centre);
        return;
    }

    const auto d = horizontal ? static_cast<float> (e.getDistanceFromDragStartX())
                              : -static_cast<float> (e.getDistanceFromDragStartY());
    applyUserValue (valueForDrag (d, dragOffset));
}

void Zoomer::applyUserValue (float newValue)
{
    juce::Component::SafePointer<Zoomer> self (this);
    const auto clamped = juce::jlimit (minimum, maximum, newValue);
    binding.set (clamped);

    // Whoever follows the tree may have closed the window.
    if (self != nullptr && onChange)
        onChange (clamped);
}

void Zoomer::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat().reduced (1.0f);

    if (bounds.isEmpty())
        return;

    g.setColour (gfx::colours::outline);
    g.fillRoundedRectangle (bounds, 3.0f);

    const auto wheel = bounds.reduced (2.0f);
    const auto across = horizontal ? juce::ColourGradient (gfx::colours::dim, 0.0f, wheel.getY(), gfx::colours::well, 0.0f, wheel.getBottom(), false)
                                   : juce::ColourGradient (gfx::colours::dim, wheel.getX(), 0.0f, gfx::colours::well, wheel.getRight(), 0.0f, false);
    g.setGradientFill (across);
    g.fillRoundedRectangle (wheel, 2.0f);

    // Ribs on a turning cylinder: spaced by angle, projected onto the widget's length.
    const auto length = horizontal ? wheel.getWidth() : wheel.getHeight();
    const auto halfLength = length * 0.5f;
    const auto turn = offsetForValue (getValue()) * 2.0f;
    constexpr int ribs = 16;

    for (int i = 0; i < ribs; ++i)
    {
        const auto angle = std::fmod (turn + static_cast<float> (i) * juce::MathConstants<float>::twoPi / ribs, juce::MathConstants<float>::twoPi);

        if (std::cos (angle) <= 0.0f)
            continue;

        const auto pos = halfLength + std::sin (angle) * halfLength;
        const auto brightness = 0.3f + 0.5f * std::cos (angle);
        g.setColour (juce::Colours::white.withAlpha (brightness * 0.5f));

        if (horizontal)
            g.fillRect (wheel.getX() + pos, wheel.getY() + 2.0f, 1.0f, wheel.getHeight() - 4.0f);
        else
            g.fillRect (wheel.getX() + 2.0f, wheel.getY() + pos, wheel.getWidth() - 4.0f, 1.0f);
    }

    // A mark at the centre position.
    g.setColour (gfx::colours::yellow);

    if (horizontal)
        g.fillRect (wheel.getCentreX() - 0.5f, wheel.getY(), 1.0f, 2.0f);
    else
        g.fillRect (wheel.getX(), wheel.getCentreY() - 0.5f, 2.0f, 1.0f);
}
} // namespace gui
