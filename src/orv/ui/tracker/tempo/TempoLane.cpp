#include "orv/ui/tracker/tempo/TempoLane.h"
#include "gfx/FontStyle.h"
#include "gfx/Palette.h"
#include "orv/IOrvana.h"
#include "orv/model/ScoreIds.h"
#include "orv/ui/tracker/tempo/TempoTool.h"
#include "orv/ui/tracker/timePort/GridRules.h"
#include "orv/ui/tracker/timePort/ITimePort.h"

#include <cmath>

namespace orv::tracker::tempo
{
namespace
{
const juce::Colour curveColour = gfx::colours::orange;
const juce::Colour markColour = gfx::colours::lightGreen;

/** Whether a tree belongs to the score's tempo curve. */
bool isInCurve (const juce::ValueTree& tree)
{
    for (auto t = tree; t.isValid(); t = t.getParent())
        if (t.hasType (ids::CURVE))
            return t.getParent().hasType (ids::SCORE);

    return false;
}
} // namespace

//==============================================================================
TempoMarkElem::TempoMarkElem (CurvePoint pointToShow)
    : point (std::move (pointToShow))
{
}

juce::Rectangle<float> TempoMarkElem::getViewBounds (const timePort::TimeCanvas& canvas) const
{
    const auto x = canvas.poserToViewX (point.getPoser());
    return {x - width / 2.0f, 0.0f, width, flagHeight};
}

void TempoMarkElem::paint (juce::Graphics& g, const timePort::TimeCanvas& canvas) const
{
    const auto bounds = getViewBounds (canvas);
    juce::Path flag;
    flag.addTriangle (bounds.getX(), bounds.getY(), bounds.getRight(), bounds.getY(), bounds.getCentreX(), bounds.getBottom());

    if (point.isMuted())
    {
        // Silenced by an edit: hollow and dim, with a dashed stem, so it reads as "can be restored".
        g.setColour (gfx::colours::neutral);
        g.strokePath (flag, juce::PathStrokeType (1.0f));
        const float dashes[] = {2.0f, 3.0f};
        g.drawDashedLine ({bounds.getCentreX(), bounds.getBottom(), bounds.getCentreX(), static_cast<float> (canvas.getHeight())}, dashes, 2, 1.0f);
    }
    else
    {
        g.setColour (markColour);
        g.fillPath (flag);
        g.fillRect (bounds.getCentreX() - 0.5f, bounds.getBottom(), 1.0f, static_cast<float> (canvas.getHeight()) - bounds.getBottom());
    }

    if (const auto label = point.getLabel(); label.isNotEmpty())
    {
        gfx::setFont (g, gfx::font::tiny);
        g.drawText (label, juce::Rectangle<float> (bounds.getRight() + 2.0f, 0.0f, 80.0f, flagHeight), juce::Justification::centredLeft, true);
    }
}

//==============================================================================
TempoLane::TempoLane (timePort::ITimePort& timePort, IOrvana& orvanaToShow)
    : TimeCanvas (timePort)
    , orvana (orvanaToShow)
    , scoreTree (orvanaToShow.getScore().getState())
    , tempoState (orvanaToShow.getOrvState().getOrCreateTempoState())
    , tempoTree (tempoState.getState())
{
    setOpaque (true);
    scoreTree.addListener (this);
    tempoTree.addListener (this);
    loadState();
}

TempoLane::~TempoLane()
{
    if (tool != nullptr)
        tool->disconnect();

    scoreTree.removeListener (this);
    tempoTree.removeListener (this);
    cancelPendingUpdate();
}

Curve2 TempoLane::getCurve() const
{
    return Curve2 (scoreTree.getChildWithName (ids::CURVE));
}

void TempoLane::loadState()
{
    marks.clear();
    const auto curve = getCurve();

    if (!curve.isValid())
        return;

    for (int i = 0; i < curve.getNumPoints(); ++i)
        if (const auto point = curve.getPoint (i); point.isMark())
            addTempoMark (point);
}

void TempoLane::addTempoMark (const CurvePoint& point)
{
    if (point.isValid() && point.isMark())
        marks[{point.getBar(), point.getPos()}] = std::make_unique<TempoMarkElem> (point);
}

void TempoLane::removeTempoMark (const CurvePoint& point)
{
    marks.erase ({point.getBar(), point.getPos()});
}

TempoScale TempoLane::getScale() const
{
    return {static_cast<float> (getHeight()), margin, tempoState.getBpmViewRange()};
}

std::optional<juce::Point<float>> TempoLane::getViewCoordsForPointOp (const CurvePoint& point) const
{
    const auto x = getTimePort().poserToViewXOp (point.getPoser());
    const auto y = getScale().bpmToViewY (point.getVal());

    if (!x || !y)
        return std::nullopt;

    return juce::Point<float> (*x, *y);
}

std::optional<double> TempoLane::viewYToVal (int y) const
{
    return getScale().viewYToBpm (static_cast<float> (y));
}

TempoMarkElem* TempoLane::findMarkAt (juce::Point<float> position) const
{
    if (position.y < 0.0f || position.y > TempoMarkElem::flagHeight)
        return nullptr;

    const auto curve = getCurve();

    if (!curve.isValid())
        return nullptr;

    // The marks a flag's width around the pointer, found by the curve's binary search.
    const auto [from, to] = visiblePosers (position.x - TempoMarkElem::width / 2.0f, position.x + TempoMarkElem::width / 2.0f);

    if (from.isClear() || to.isClear())
        return nullptr;

    for (const auto& point : curve.findNodesIncl (from, to))
        if (point.isMark())
            if (const auto found = marks.find ({point.getBar(), point.getPos()}); found != marks.end())
                return found->second.get();

    return nullptr;
}

void TempoLane::setTool (TempoTool* newTool)
{
    tool = newTool;
    repaint();
}

std::pair<Poser, Poser> TempoLane::visiblePosers (float fromX, float toX) const
{
    auto& score = orvana.getScore();
    const auto total = static_cast<float> (score.getTotalTicks());
    const auto& axis = getTimePort();
    const auto from = juce::jlimit (0.0f, total, axis.viewXToTicks (fromX));
    const auto to = juce::jlimit (0.0f, total, axis.viewXToTicks (toX));
    return {score.ticksToPoser (static_cast<int64_t> (std::floor (from))), score.ticksToPoser (static_cast<int64_t> (std::ceil (to)))};
}

//==============================================================================
void TempoLane::paint (juce::Graphics& g)
{
    g.fillAll (gfx::colours::well);
    const auto scale = getScale();
    auto& axis = getTimePort();
    const auto height = static_cast<float> (getHeight());
    const auto width = static_cast<float> (getWidth());

    g.setColour (gfx::colours::panel);
    timePort::forEachBarBetween (orvana.getScore(), axis.viewXToTicks (0.0f), axis.viewXToTicks (width), [&] (const Bar& bar)
                                 {
                                     g.setColour (gfx::colours::dim);
                                     g.fillRect (std::round (axis.ticksToViewX (static_cast<int> (bar.getGlobalPos()))), 0.0f, 1.0f, height);
                                     g.setColour (gfx::colours::panel);
                                     axis.drawBarSubdivs (g, bar, height); });

    if (!scale.isUsable())
        return;

    // A guide line and its tempo at every 20 bpm of the range.
    gfx::setFont (g, gfx::font::tiny);
    const auto range = scale.range;

    for (auto bpm = std::ceil (range.getMin() / 20.0) * 20.0; bpm <= range.getMax(); bpm += 20.0)
    {
        const auto y = std::round (*scale.bpmToViewY (bpm));
        g.setColour (gfx::colours::panel);
        g.fillRect (0.0f, y, width, 1.0f);
        g.setColour (gfx::colours::dim);
        // Above its line, or under it where the lane's top leaves no room.
        const auto labelY = y >= 11.0f ? y - 11.0f : y + 1.0f;
        g.drawText (juce::String (juce::roundToInt (bpm)), juce::Rectangle<float> (2.0f, labelY, 30.0f, 10.0f), juce::Justification::centredLeft, false);
    }

    if (tool != nullptr)
        tool->paintHints (*this, g);

    paintCurve (g, scale);
    paintMarks (g);
}

void TempoLane::paintCurve (juce::Graphics& g, const TempoScale& scale) const
{
    const auto curve = getCurve();
    auto& score = orvana.getScore();

    if (!curve.isValid() || score.getNumBars() == 0 || (!curve.hasStartLevel() && curve.getNumPoints() == 0))
        return;

    const auto width = static_cast<float> (getWidth());
    const auto [from, to] = visiblePosers (0.0f, width);

    if (from.isClear() || to.isClear())
        return;

    auto& axis = getTimePort();
    const auto yOf = [&scale] (double bpm)
    { return *scale.bpmToViewY (bpm); };
    const auto startX = juce::jmax (0.0f, axis.poserToViewX (from));
    const auto endX = juce::jmin (width, axis.poserToViewX (to));

    constexpr float thickness = 1.5f;
    g.setColour (curveColour);
    auto level = score.getTempoAtPoser (from);
    auto lastX = startX;
    auto lastY = yOf (level);

    // Straight strokes are filled rectangles and only ramps are drawn as
    // lines; points less than a pixel apart share a column, drawn as one
    // stroke over their extremes. So a paint costs what the lane's width
    // allows, however many points the score holds.
    auto columnMin = lastY, columnMax = lastY;
    const auto closeColumn = [&]
    {
        if (columnMax > columnMin)
            g.fillRect (juce::Rectangle<float> (lastX - thickness / 2.0f, columnMin - thickness / 2.0f, thickness, columnMax - columnMin + thickness));

        columnMin = columnMax = lastY;
    };
    const auto lineTo = [&] (float x, float y)
    {
        if (std::abs (x - lastX) < 1.0f)
        {
            columnMin = juce::jmin (columnMin, y);
            columnMax = juce::jmax (columnMax, y);
            lastY = y;
            return;
        }

        closeColumn();

        if (std::abs (y - lastY) < 0.01f)
            g.fillRect (juce::Rectangle<float> (lastX, y - thickness / 2.0f, x - lastX, thickness));
        else
            g.drawLine (lastX, lastY, x, y, thickness);

        lastX = x;
        lastY = y;
        columnMin = columnMax = y;
    };

    for (const auto& point : curve.findNodesIncl (from, to))
    {
        if (point.isMuted())
            continue;

        const auto x = axis.poserToViewX (point.getPoser());
        const auto y = yOf (point.getVal());

        if (point.getReachShape() == ReachShape::Ramp)
        {
            lineTo (x, y);
        }
        else
        {
            lineTo (x, lastY);
            lineTo (x, y);
        }
    }

    // On to the right edge, or towards the next point when a ramp leads there.
    if (const auto next = curve.findAnchorAfterPoser (to); next.isValid() && next.getReachShape() == ReachShape::Ramp)
        lineTo (endX, yOf (score.getTempoAtPoser (to)));
    else
        lineTo (endX, lastY);

    closeColumn();
}

void TempoLane::paintMarks (juce::Graphics& g) const
{
    const auto curve = getCurve();
    const auto [from, to] = visiblePosers (-TempoMarkElem::width, static_cast<float> (getWidth()) + TempoMarkElem::width);

    if (!curve.isValid() || from.isClear() || to.isClear())
        return;

    for (const auto& point : curve.findNodesIncl (from, to))
        if (point.isMark())
            if (const auto found = marks.find ({point.getBar(), point.getPos()}); found != marks.end())
                found->second->paint (g, *this);
}

//==============================================================================
void TempoLane::mouseDown (const juce::MouseEvent& e)
{
    if (tool != nullptr)
        tool->onMouseDown (e, findMarkAt (e.position));
}

void TempoLane::mouseDrag (const juce::MouseEvent& e)
{
    if (tool != nullptr)
        tool->onCanvasMouseDrag (e);
}

void TempoLane::mouseUp (const juce::MouseEvent& e)
{
    if (tool != nullptr)
        tool->onCanvasMouseUp (e);
}

//==============================================================================
void TempoLane::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier&)
{
    if (tree == tempoTree || tree.isAChildOf (tempoTree))
        repaint();
    else
        curveTreeChanged (tree);
}

void TempoLane::valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree& child)
{
    curveTreeChanged (child.hasType (ids::CURVE) ? child : parent);
}

void TempoLane::valueTreeChildRemoved (juce::ValueTree& parent, juce::ValueTree& child, int)
{
    curveTreeChanged (child.hasType (ids::CURVE) ? child : parent);
}

void TempoLane::curveTreeChanged (const juce::ValueTree& tree)
{
    if (tree.hasType (ids::CURVE) || isInCurve (tree))
        triggerAsyncUpdate();
}

void TempoLane::handleAsyncUpdate()
{
    loadState();
    repaint();
}
} // namespace orv::tracker::tempo
