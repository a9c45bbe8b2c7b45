#include "orv/score/io/TempoCurveLoader.h"
#include "engine/comm/HostPayload.h"
#include "orv/score/io/PayloadIds.h"
#include "orv/score/io/ScoreLoader.h"

#include <algorithm>

namespace orv::score::io
{
namespace payload = comm::payload;

void TempoCurveLoader::loadCurveObject (const juce::var& tempoCurve, Score& score, ExpandMode mode)
{
    if (!payload::isObject (tempoCurve))
        return;

    auto curve = score.getOrCreateTempoCurve();

    if (mode == ExpandMode::replaceCurve)
        curve.clear();

    curve.setStartLevel (payload::getNumber (tempoCurve, keys::startLevel));

    const auto* points = payload::getArray (tempoCurve, keys::points);

    if (points == nullptr)
        return;

    // Points are put in poser order first (a stable sort keeps the arrival
    // order among points that share a poser), so that each one is appended
    // instead of inserted; the curve comes out as adding them one by one in
    // arrival order would make it.
    std::vector<CurvePoint> built;
    built.reserve (static_cast<size_t> (points->size()));

    for (const auto& element : *points)
        if (auto point = curvePointFromVar (element, score); point.isValid())
            built.push_back (std::move (point));

    std::stable_sort (built.begin(), built.end(), [] (const CurvePoint& a, const CurvePoint& b)
                      { return Poser::compare (a.getBar(), a.getPos(), b.getBar(), b.getPos()) < 0; });

    for (const auto& point : built)
        curve.addOrUpdatePoint (point);
}

CurvePoint TempoCurveLoader::curvePointFromVar (const juce::var& point, const Score& score)
{
    if (!payload::isObject (point))
        return {};

    const auto typeText = payload::getString (point, keys::type);

    if (typeText == "LW" || typeText == "RW")
        return {};

    const auto type = CurvePoint::typeFromString (typeText);
    const auto bar = payload::getInt (point, payload::has (point, keys::barNum) ? keys::barNum : keys::barId);
    const auto pos = payload::getInt (point, keys::pos);

    auto result = CurvePoint::create (type, bar, pos, payload::getNumber (point, keys::val), ReachShape::Jump);

    switch (type)
    {
        case CurvePoint::Type::N:
            result.setReachShape (reachShapeFromString (payload::getString (point, keys::reachShape)));
            break;

        case CurvePoint::Type::M:
        {
            result.setMotionType (CurvePoint::motionTypeFromString (payload::getString (point, keys::motionType)));
            const auto span = payload::getInt (point, keys::spanDuration);
            result.setSpanDuration (span);
            result.setSpanToPoser (score.getRealPoser (bar, int64_t{pos} + span));
            result.setLabel (payload::getString (point, keys::label));
            result.setMuted (payload::getString (point, keys::muted) == "M");
            result.setReachShape (ReachShape::Jump);
            break;
        }

        case CurvePoint::Type::P:
            result.setReachShape (ReachShape::Ramp);
            break;
    }

    return result;
}

void TempoCurveLoader::clearMarkInfluenceRange (Curve2& curve, const CurvePoint& mark)
{
    const auto from = mark.getPoser();
    const auto spanEnd = mark.getSpanToPoser();
    const auto to = spanEnd.isClear() ? from : spanEnd;

    for (const auto& point : curve.findNodesIncl (from, to))
        curve.removePoint (point);
}

void TempoCurveLoader::loadRestoreMarkPoints (const juce::var& points, Score& score)
{
    const auto* array = points.getArray();

    if (array == nullptr)
        return;

    auto curve = score.getOrCreateTempoCurve();

    for (const auto& element : *array)
    {
        const auto point = curvePointFromVar (element, score);

        if (!point.isValid())
            continue;

        if (point.isMark())
            clearMarkInfluenceRange (curve, point);

        curve.addOrUpdatePoint (point);
    }
}

void TempoCurveLoader::applyRestoreMarkReply (const juce::var& reply, Score& score)
{
    if (reply.isArray())
    {
        loadRestoreMarkPoints (reply, score);
        return;
    }

    if (!payload::isObject (reply))
        return;

    if (const auto* markCurve = payload::find (reply, keys::markCurve))
        loadRestoreMarkPoints (*markCurve, score);

    if (payload::has (reply, keys::hitPointList))
        ScoreLoader::loadHitPointsFromArray (*payload::find (reply, keys::hitPointList), score);
}
} // namespace orv::score::io
