#include "orv/actions/TempoCurveActions.h"

#include "orv/actions/TempoActions.h"

#include <algorithm>
#include <cmath>

namespace orv::actions
{
namespace
{
juce::DynamicObject* pointObject (const CurvePoint& point, bool withShape)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("barId", point.getBar());
    object->setProperty ("pos", point.getPos());
    object->setProperty ("val", static_cast<double> (point.getVal()));

    if (withShape)
        object->setProperty ("reachShape", reachShapeToString (point.getReachShape()));

    return object;
}

juce::var pointVar (const CurvePoint& point, bool withShape)
{
    return point.isValid() ? juce::var (pointObject (point, withShape)) : juce::var();
}

/** ticks / grid rounded to the nearest integer, halves away from zero, times grid. */
int64_t roundToGrid (int64_t ticks, int grid)
{
    return static_cast<int64_t> (std::round (static_cast<double> (ticks) / grid)) * grid;
}

int64_t floorToGrid (int64_t ticks, int grid)
{
    const auto cells = ticks / grid - ((ticks % grid != 0 && ticks < 0) ? 1 : 0);
    return cells * grid;
}
} // namespace

//==============================================================================
EditTempoCurve::EditTempoCurve (Score& scoreToEdit, OrvTempoState state)
    : score (scoreToEdit)
    , tempoState (std::move (state))
{
}

void EditTempoCurve::onBegin()
{
    affectedFrom = affectedTo = previousPoint = Poser();
    markMutings.clear();
}

void EditTempoCurve::insertOrUpdateNode (int bar, int64_t ticks, double bpm)
{
    const auto real = score.getRealPoser (bar, ticks);

    if (real.isClear())
        return;

    const auto grid = tempoState.getSnapping().getGridTicks();
    const auto shape = tempoState.getNodeReachShape();
    const bool ramp = shape == ReachShape::Ramp;
    Poser at;

    if (tempoState.getChompMode())
    {
        const auto start = floorToGrid (real.getPos(), grid);
        const auto length = (grid == 1 && ramp) ? 2 : grid;
        const auto cellStart = score.getRealPoser (real.getBar(), start);
        at = ramp ? score.getRealPoser (real.getBar(), start + length - 1) : cellStart;

        if (at.isClear())
            return;

        addOrUpdateChompHolders (cellStart, score.getRealPoser (real.getBar(), start + length), ramp);
    }
    else
    {
        at = score.getRealPoser (real.getBar(), roundToGrid (real.getPos(), grid));

        if (at.isClear())
            return;
    }

    const auto point = CurvePoint::create (CurvePoint::Type::N, at.getBar(), at.getPos(), bpm, shape);
    const bool first = previousPoint.isClear();
    const auto segmentFrom = first || at < previousPoint ? at : previousPoint;
    const auto segmentTo = first || previousPoint < at ? at : previousPoint;

    for (const auto& mark : findMarksPollutedByRange (segmentFrom, segmentTo))
        manualizeMark (mark);

    putPlainPoint (point);

    // A drag replaces what it passes over, but a mark is a text of the score:
    // it was muted above and stays on the curve.
    auto curve = score.getOrCreateTempoCurve();

    for (const auto& passed : curve.findNodesExcl (segmentFrom, segmentTo))
        if (!passed.isMark())
            curve.removePoint (passed);

    previousPoint = at;
    expandAffectedRange (at);
}

void EditTempoCurve::addOrUpdateChompHolders (const Poser& cellStart, const Poser& cellEnd, bool ramp)
{
    if (cellStart.isClear())
        return;

    const auto before = score.getRealPoser (cellStart.getBar(), static_cast<int64_t> (cellStart.getPos()) - 1);
    const auto curve = score.getOrCreateTempoCurve();
    const auto valueBefore = before.isClear() ? curve.getStartLevel() : score.getTempoAtPoser (before);

    // Both values are read before either holder changes the curve.
    if (!cellEnd.isClear())
        addHolder (cellEnd, score.getTempoAtPoser (cellEnd));

    if (ramp)
        addHolder (cellStart, valueBefore);
}

void EditTempoCurve::addHolder (const Poser& poser, double bpm)
{
    for (const auto& existing : score.getOrCreateTempoCurve().findPointsAtPoser (poser))
        if (!existing.isMuted())
            return;

    putPlainPoint (CurvePoint::create (CurvePoint::Type::N, poser.getBar(), poser.getPos(), bpm, ReachShape::Jump));
    expandAffectedRange (poser);
}

std::vector<CurvePoint> EditTempoCurve::findMarksPollutedByRange (const Poser& from, const Poser& to) const
{
    std::vector<CurvePoint> marks;
    const auto curve = score.getOrCreateTempoCurve();

    for (int i = 0; i < curve.getNumPoints(); ++i)
    {
        const auto point = curve.getPoint (i);

        if (!point.isMark() || point.isMuted())
            continue;

        const auto markFrom = point.getPoser();

        if (to < markFrom)
            break;

        const auto spanEnd = point.getSpanToPoser();
        const auto markTo = spanEnd.isClear() ? markFrom : spanEnd;

        if (from <= markTo)
            marks.push_back (point);
    }

    return marks;
}

void EditTempoCurve::manualizeMark (CurvePoint mark)
{
    mark.setMuted (true);
    const auto poser = mark.getPoser();
    markMutings.push_back ({poser, false});
    putPlainPoint (CurvePoint::create (CurvePoint::Type::N, poser.getBar(), poser.getPos(), mark.getVal(), ReachShape::Jump));
    expandAffectedRange (poser);
}

CurvePoint EditTempoCurve::putPlainPoint (const CurvePoint& point)
{
    auto curve = score.getOrCreateTempoCurve();

    // One plain point per poser: a ramp-through point ("P") there gives way too.
    for (const auto& existing : curve.findPointsAtPoser (point.getPoser()))
        if (!existing.isMark() && existing.getType() != point.getType())
            curve.removePoint (existing);

    return curve.addOrUpdatePoint (point);
}

void EditTempoCurve::expandAffectedRange (const Poser& poser)
{
    if (affectedFrom.isClear() || poser < affectedFrom)
        affectedFrom = poser;

    if (affectedTo.isClear() || affectedTo < poser)
        affectedTo = poser;
}

juce::var EditTempoCurve::buildEditObject() const
{
    if (affectedFrom.isClear())
        return {};

    const auto curve = score.getOrCreateTempoCurve();
    std::vector<CurvePoint> points;

    // The host keeps the marks apart from the drawn points: the edit lists
    // plain points only, the marks travel as mutings.
    for (const auto& point : curve.findNodesIncl (affectedFrom, affectedTo))
        if (!point.isMark())
            points.push_back (point);

    if (points.empty())
        return {};

    juce::Array<juce::var> bars;
    juce::Array<juce::var>* nodes = nullptr;
    int currentBar = 0;

    for (const auto& point : points)
    {
        if (nodes == nullptr || point.getBar() != currentBar)
        {
            currentBar = point.getBar();
            auto* group = new juce::DynamicObject();
            group->setProperty ("barId", currentBar);
            group->setProperty ("nodes", juce::Array<juce::var>());
            bars.add (juce::var (group));
            nodes = group->getProperty ("nodes").getArray();
        }

        auto* node = new juce::DynamicObject();
        node->setProperty ("pos", point.getPos());
        node->setProperty ("val", static_cast<double> (point.getVal()));
        node->setProperty ("reachShape", reachShapeToString (point.getReachShape()));
        nodes->add (juce::var (node));
    }

    auto* edit = new juce::DynamicObject();
    edit->setProperty ("anchorBefore", pointVar (curve.findAnchorBeforePoint (points.front()), false));
    edit->setProperty ("coreFrom", pointVar (points.front(), true));
    edit->setProperty ("coreTo", pointVar (points.back(), true));
    edit->setProperty ("anchorAfter", pointVar (curve.findAnchorAfterPoint (points.back()), true));
    edit->setProperty ("bars", bars);
    return juce::var (edit);
}

juce::var EditTempoCurve::buildWebSocketArg()
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("playLinePoser", poserObject (score.getOrCreateTransport().getPlayLinePoser()));

    if (!markMutings.empty())
    {
        juce::Array<juce::var> mutings;

        for (const auto& muting : markMutings)
        {
            auto* entry = new juce::DynamicObject();
            entry->setProperty ("barId", muting.poser.getBar());
            entry->setProperty ("pos", muting.poser.getPos());
            entry->setProperty ("mode", muting.play ? "play" : "mute");
            mutings.add (juce::var (entry));
        }

        object->setProperty ("markMutings", mutings);
    }

    object->setProperty ("edit", buildEditObject());
    return juce::var (object);
}

juce::String EditTempoCurve::getDataString()
{
    return juce::JSON::toString (buildWebSocketArg(), true);
}

//==============================================================================
EraseTempoCurve::EraseTempoCurve (Score& scoreToEdit)
    : score (scoreToEdit)
{
}

void EraseTempoCurve::clear()
{
    zoneFrom = zoneTo = Poser();
    erased.clear();
}

void EraseTempoCurve::eraseZoneByExpandingLimit (const Poser& poser)
{
    if (poser.isClear())
        return;

    if (zoneFrom.isClear() || poser < zoneFrom)
        zoneFrom = poser;

    if (zoneTo.isClear() || zoneTo < poser)
        zoneTo = poser;

    auto curve = score.getOrCreateTempoCurve();

    for (auto point : curve.findNodesIncl (zoneFrom, zoneTo))
    {
        if (point.isMark())
        {
            // Marks are texts of the score: erasing silences them.
            if (point.isMuted())
                continue;

            point.setMuted (true);
            erased.push_back (CurvePoint (point.getState().createCopy()));
            continue;
        }

        erased.push_back (CurvePoint (point.getState().createCopy()));
        curve.removePoint (point);
    }
}

juce::var EraseTempoCurve::buildArg()
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("playLinePoser", poserObject (score.getOrCreateTransport().getPlayLinePoser()));
    juce::var from, to;

    if (!erased.empty())
    {
        auto sorted = erased;
        std::stable_sort (sorted.begin(), sorted.end(), [] (const CurvePoint& a, const CurvePoint& b)
                          { return a.getPoser() < b.getPoser(); });

        const auto curve = score.getOrCreateTempoCurve();
        const auto before = curve.findAnchorBeforePoser (sorted.front().getPoser());
        const auto after = curve.findAnchorAfterPoser (sorted.back().getPoser());

        auto* fromObject = pointObject (before.isValid() ? before : sorted.front(), false);
        fromObject->setProperty ("boundary", before.isValid() ? "exclusive" : "inclusive");
        from = juce::var (fromObject);

        auto* toObject = pointObject (after.isValid() ? after : sorted.back(), true);
        toObject->setProperty ("boundary", after.isValid() ? "exclusive" : "inclusive");
        to = juce::var (toObject);
    }

    object->setProperty ("from", from);
    object->setProperty ("to", to);
    const juce::var built (object);
    setArg (built);
    return built;
}
} // namespace orv::actions
