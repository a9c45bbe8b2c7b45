#include "pnt/ui/PntDiagramBuilder.h"
#include "gfx/Palette.h"
#include "pnt/PntState.h"

namespace pnt
{
namespace
{
constexpr float holeDiameter = 26.0f;
/** The gap between the upper and the lower hand's holes, as a share of a hole's pitch. */
constexpr float handGap = 0.5f;
} // namespace

PntDiagramBuilder::PntDiagramBuilder()
{
    fingering.onChange = [this]
    { repaint(); };
    fluteType.onChange = [this]
    { repaint(); };
}

PntDiagramBuilder::~PntDiagramBuilder() = default;

void PntDiagramBuilder::bind (juce::ValueTree tree, const juce::Identifier& fingeringProperty, const juce::Identifier& fluteTypeProperty)
{
    fingering.bind (tree, fingeringProperty, PntState::defaultFingering);
    fluteType.bind (tree, fluteTypeProperty, toString (PntState::defaultFluteType));
}

PntFingering PntDiagramBuilder::getFingering() const
{
    return PntFingering::fromString (fingering.getText());
}

PntFluteType PntDiagramBuilder::getFluteType() const
{
    return fluteTypeFromString (fluteType.getText());
}

juce::Rectangle<float> PntDiagramBuilder::getHoleBounds (int hole) const
{
    const auto holes = holeCountOf (getFluteType());
    // The upper hand covers three holes of six, two of five.
    const auto upperHand = holes == 6 ? 3 : 2;
    const auto area = getLocalBounds().toFloat().reduced (4.0f, 10.0f);
    const auto pitch = area.getHeight() / (static_cast<float> (holes) + handGap);
    const auto slot = static_cast<float> (hole) + (hole >= upperHand ? handGap : 0.0f);
    const auto diameter = juce::jmin (holeDiameter, pitch * 0.85f);
    const auto centreY = area.getY() + pitch * (slot + 0.5f);
    return {area.getCentreX() - diameter / 2.0f, centreY - diameter / 2.0f, diameter, diameter};
}

int PntDiagramBuilder::holeAt (juce::Point<float> point) const
{
    const auto holes = holeCountOf (getFluteType());

    for (int hole = 0; hole < holes; ++hole)
        if (getHoleBounds (hole).expanded (4.0f).contains (point))
            return hole;

    return -1;
}

PntHolePosition PntDiagramBuilder::afterClick (PntHolePosition current, bool withShift)
{
    if (withShift)
        return PntHolePosition::Half;

    return current == PntHolePosition::Open ? PntHolePosition::Covered : PntHolePosition::Open;
}

void PntDiagramBuilder::mouseDown (const juce::MouseEvent& e)
{
    const auto hole = holeAt (e.position);

    if (hole < 0)
        return;

    auto changed = getFingering();
    changed.setHolePosition (hole, afterClick (changed.getHolePosition (hole), e.mods.isShiftDown()));
    fingering.set (changed.toString());
}

void PntDiagramBuilder::paint (juce::Graphics& g)
{
    const auto body = getLocalBounds().toFloat().reduced (juce::jmax (0.0f, (static_cast<float> (getWidth()) - holeDiameter - 16.0f) / 2.0f), 2.0f);
    g.setColour (gfx::colours::panel);
    g.fillRoundedRectangle (body, 8.0f);

    const auto current = getFingering();
    const auto holes = holeCountOf (getFluteType());

    for (int hole = 0; hole < holes; ++hole)
    {
        const auto circle = getHoleBounds (hole);
        const auto position = current.getHolePosition (hole);
        g.setColour (gfx::colours::text);

        if (position == PntHolePosition::Covered)
        {
            g.fillEllipse (circle);
        }
        else if (position == PntHolePosition::Half)
        {
            // The lower half covered.
            juce::Path half;
            half.addPieSegment (circle, juce::MathConstants<float>::halfPi, juce::MathConstants<float>::halfPi * 3.0f, 0.0f);
            g.fillPath (half);
        }

        g.drawEllipse (circle, 2.0f);
    }
}
} // namespace pnt
