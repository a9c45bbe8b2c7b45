// The automation lane's painting: the curve with its fills, nodes and wings,
// and the path a drag is passing over.
#include "gfx/Palette.h"
#include "orv/model/Score.h"
#include "orv/ui/tracker/au/AuLane.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

#include <cmath>

namespace orv::tracker::au
{
void AuLane::paint (juce::Graphics& g)
{
    g.setColour (gfx::colours::well.withAlpha (0.75f));
    g.fillRect (getLocalBounds());
    g.setColour (gfx::colours::outline);
    g.fillRect (0, 0, getWidth(), 1);
    drawCurve (g, g.getClipBounds().toFloat());
}

void AuLane::drawCurve (juce::Graphics& g, juce::Rectangle<float> clip)
{
    const auto scale = getScale();

    if (!scale.isUsable())
        return;

    const auto baseline = scale.getBaselineY();
    g.setColour (colour.withAlpha (0.5f));
    g.fillRect (clip.getX(), std::floor (baseline), clip.getWidth(), 1.0f);

    const auto curve = getCurve();
    const auto count = curve.isValid() ? curve.getNumNodes() : 0;

    if (count == 0)
    {
        drawPassingPath (g);
        return;
    }

    // The nodes in view, and one more on each side for the segments that enter it.
    auto& score = port.getScore();
    const auto lastTicks = juce::jmax (int64_t{0}, static_cast<int64_t> (port.viewXToTicks (port.getScoreViewRight())) - 1);
    const auto poserAt = [&] (float x)
    { return score.ticksToPoser (juce::jlimit (int64_t{0}, lastTicks, static_cast<int64_t> (port.viewXToTicks (x)))); };
    const auto leftPoser = poserAt (clip.getX() - haloSize);
    const auto rightPoser = poserAt (clip.getRight() + haloSize);
    const auto before = leftPoser.isClear() ? Node() : curve.getPreviousNodeToPoserExcl (leftPoser);
    const auto after = rightPoser.isClear() ? Node() : curve.getNextNodeToPoserExcl (rightPoser);
    const auto first = before.isValid() ? juce::jmax (0, curve.indexOfNode (before)) : 0;
    const auto last = after.isValid() ? curve.indexOfNode (after) : count - 1;

    if (last < first)
        return;

    juce::Path trace;
    const auto firstNode = curve.getNode (first);
    const auto firstX = nodeX (firstNode);
    const auto firstY = nodeY (firstNode, scale);
    auto startX = firstX;

    if (first == 0)
    {
        drawLeftWing (g, trace, firstX, firstY, firstNode.getType());
        startX = trace.isEmpty() ? firstX : trace.getBounds().getX();
    }

    if (trace.isEmpty())
        trace.startNewSubPath (firstX, firstY);

    auto x = firstX, y = firstY;

    for (int i = first + 1; i <= last; ++i)
    {
        const auto node = curve.getNode (i);
        const auto nx = nodeX (node);
        const auto ny = nodeY (node, scale);

        if (node.getType() == Node::Jump)
            trace.lineTo (nx, y);

        trace.lineTo (nx, ny);
        x = nx;
        y = ny;
    }

    auto endX = x;

    if (last == count - 1)
    {
        drawRightWing (g, trace, x, y);
        endX = juce::jmax (x, trace.getBounds().getRight());
    }

    juce::Path area (trace);
    area.lineTo (endX, baseline);
    area.lineTo (startX, baseline);
    area.closeSubPath();
    g.setColour (colour.withAlpha (0.2f));
    g.fillPath (area);
    g.setColour (colour);
    g.strokePath (trace, juce::PathStrokeType (2.0f));

    for (int i = first; i <= last; ++i)
    {
        const auto node = curve.getNode (i);
        drawNode (g, node, nodeX (node), nodeY (node, scale));
    }
}

void AuLane::drawNode (juce::Graphics& g, const Node& node, float x, float y)
{
    if (node == hovered || node == panelNode)
    {
        g.setColour (colour.withAlpha (0.3f));
        g.fillEllipse (juce::Rectangle<float> (haloSize, haloSize).withCentre ({x, y}));
    }

    g.setColour (colour);
    const auto box = juce::Rectangle<float> (nodeSize, nodeSize).withCentre ({x, y});

    if (node.getType() == Node::Jump)
        g.fillRect (box);
    else
        g.fillEllipse (box);
}

void AuLane::drawLeftWing (juce::Graphics& g, juce::Path& trace, float firstX, float firstY, Node::Type firstType)
{
    const auto wing = track.getLeftWingNode (controller);

    if (!wing.isValid())
        return;

    // The value that holds when the loaded range begins comes in from the left.
    const auto scale = getScale();
    const auto wingX = port.ticksToViewX (-juce::jmax (0, wing.getDist()));
    const auto wingY = scale.valueToY (wing.getVal());
    trace.startNewSubPath (wingX, wingY);

    if (firstType == Node::Jump)
        trace.lineTo (firstX, wingY);

    trace.lineTo (firstX, firstY);
    g.setColour (colour.withAlpha (0.6f));
    g.drawEllipse (juce::Rectangle<float> (nodeSize, nodeSize).withCentre ({wingX, wingY}), 1.0f);
}

void AuLane::drawRightWing (juce::Graphics& g, juce::Path& trace, float lastX, float lastY)
{
    const auto wing = track.getRightWingNode (controller);
    const auto scoreRight = port.getScoreViewRight();

    if (!wing.isValid())
    {
        // The last value holds to the end of the score.
        if (scoreRight > lastX)
            trace.lineTo (scoreRight, lastY);

        return;
    }

    // The next value after the loaded range, reached the way its node says.
    const auto scale = getScale();
    const auto wingX = juce::jmax (lastX, scoreRight + port.ticksToViewWidth (juce::jmax (0, wing.getDist())));
    const auto wingY = scale.valueToY (wing.getVal());

    if (wing.getType() == Node::Jump)
        trace.lineTo (wingX, lastY);

    trace.lineTo (wingX, wingY);
    g.setColour (colour.withAlpha (0.6f));
    g.drawEllipse (juce::Rectangle<float> (nodeSize, nodeSize).withCentre ({wingX, wingY}), 1.0f);
}

void AuLane::drawPassingPath (juce::Graphics& g)
{
    // No node in the loaded range, but a value that reaches across it.
    const auto wing = track.getLeftWingNode (controller);

    if (!wing.isValid())
        return;

    const auto scale = getScale();
    const auto y = scale.valueToY (wing.getVal());
    juce::Path trace;
    trace.startNewSubPath (port.ticksToViewX (-juce::jmax (0, wing.getDist())), y);
    drawRightWing (g, trace, trace.getCurrentPosition().x, y);

    const auto bounds = trace.getBounds();
    juce::Path area (trace);
    area.lineTo (bounds.getRight(), scale.getBaselineY());
    area.lineTo (bounds.getX(), scale.getBaselineY());
    area.closeSubPath();
    g.setColour (colour.withAlpha (0.2f));
    g.fillPath (area);
    g.setColour (colour);
    g.strokePath (trace, juce::PathStrokeType (2.0f));
}
} // namespace orv::tracker::au
