#include "orv/model/Curve2.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
namespace
{
int comparePoser (const juce::ValueTree& point, const Poser& poser)
{
    return Poser::compare (treeprops::getInt (point, ids::barId), treeprops::getInt (point, ids::pos), poser.getBar(), poser.getPos());
}
} // namespace

int Curve2::getControlNum() const
{
    return treeprops::getInt (state, ids::controlNum);
}
double Curve2::getStartLevel() const
{
    return treeprops::getDouble (state, ids::startLevel);
}
bool Curve2::hasStartLevel() const
{
    return state.hasProperty (ids::startLevel);
}
void Curve2::setStartLevel (double bpm)
{
    state.setProperty (ids::startLevel, bpm, nullptr);
}

juce::ValueTree Curve2::getOrCreateCoreSt()
{
    return state.getOrCreateChildWithName (ids::CORE, nullptr);
}

juce::ValueTree Curve2::getOrCreateMutedMarks()
{
    return state.getOrCreateChildWithName (ids::MUTEDMARKS, nullptr);
}

juce::ValueTree Curve2::getCore() const
{
    return state.getChildWithName (ids::CORE);
}

int Curve2::getNumPoints() const
{
    return getCore().getNumChildren();
}

CurvePoint Curve2::getPoint (int index) const
{
    const auto core = getCore();

    if (index < 0 || index >= core.getNumChildren())
        return {};

    return CurvePoint (core.getChild (index));
}

int Curve2::lowerBound (const Poser& poser) const
{
    const auto core = getCore();
    int low = 0, high = core.getNumChildren();

    while (low < high)
    {
        const auto mid = low + (high - low) / 2;

        if (comparePoser (core.getChild (mid), poser) < 0)
            low = mid + 1;
        else
            high = mid;
    }

    return low;
}

int Curve2::upperBound (const Poser& poser) const
{
    const auto core = getCore();
    int low = 0, high = core.getNumChildren();

    while (low < high)
    {
        const auto mid = low + (high - low) / 2;

        if (comparePoser (core.getChild (mid), poser) <= 0)
            low = mid + 1;
        else
            high = mid;
    }

    return low;
}

int Curve2::indexOfPoint (const CurvePoint& point) const
{
    const auto core = getCore();
    const auto tree = point.getState();

    if (!tree.isValid() || !core.isValid() || tree.getParent() != core)
        return -1;

    for (auto i = lowerBound (point.getPoser()), end = upperBound (point.getPoser()); i < end; ++i)
        if (core.getChild (i) == tree)
            return i;

    return core.indexOf (tree);
}

CurvePoint Curve2::addOrUpdatePoint (const CurvePoint& point)
{
    auto tree = point.getState();

    if (!tree.isValid())
        return {};

    auto core = getOrCreateCoreSt();

    if (tree.getParent() == core)
        return point;

    if (tree.getParent().isValid())
        tree = tree.createCopy();

    const auto poser = point.getPoser();
    const auto type = point.getType();
    const auto end = core.getNumChildren();

    // Points usually arrive in order: append without searching when they do.
    if (end == 0 || comparePoser (core.getChild (end - 1), poser) < 0)
    {
        core.appendChild (tree, nullptr);
        return CurvePoint (tree);
    }

    const auto upper = upperBound (poser);

    for (auto i = lowerBound (poser); i < upper; ++i)
    {
        CurvePoint existing (core.getChild (i));

        if (existing.getType() == type)
        {
            existing.getState().copyPropertiesFrom (tree, nullptr);
            return existing;
        }
    }

    core.addChild (tree, upper, nullptr);
    return CurvePoint (tree);
}

std::vector<CurvePoint> Curve2::findPointsAtPoser (const Poser& poser) const
{
    return findNodesIncl (poser, poser);
}

void Curve2::removePoint (const CurvePoint& point)
{
    const auto index = indexOfPoint (point);

    if (index >= 0)
        getCore().removeChild (index, nullptr);
}

void Curve2::clear()
{
    getCore().removeAllChildren (nullptr);
    state.getChildWithName (ids::MUTEDMARKS).removeAllChildren (nullptr);
    state.removeProperty (ids::startLevel, nullptr);
}

std::vector<CurvePoint> Curve2::pointsInRange (int begin, int end) const
{
    const auto core = getCore();
    std::vector<CurvePoint> points;

    for (auto i = begin; i < end; ++i)
        points.emplace_back (core.getChild (i));

    return points;
}

std::vector<CurvePoint> Curve2::findNodesIncl (const Poser& from, const Poser& to) const
{
    if (from.isClear() || to.isClear())
        return {};

    return pointsInRange (lowerBound (from), upperBound (to));
}

std::vector<CurvePoint> Curve2::findNodesExcl (const Poser& from, const Poser& to) const
{
    if (from.isClear() || to.isClear())
        return {};

    return pointsInRange (upperBound (from), lowerBound (to));
}

CurvePoint Curve2::unmutedBackwardsFrom (int index) const
{
    const auto core = getCore();

    for (auto i = juce::jmin (index, core.getNumChildren() - 1); i >= 0; --i)
    {
        CurvePoint candidate (core.getChild (i));

        if (!candidate.isMuted())
            return candidate;
    }

    return {};
}

CurvePoint Curve2::unmutedForwardsFrom (int index) const
{
    const auto core = getCore();

    for (auto i = juce::jmax (index, 0); i < core.getNumChildren(); ++i)
    {
        CurvePoint candidate (core.getChild (i));

        if (!candidate.isMuted())
            return candidate;
    }

    return {};
}

CurvePoint Curve2::findAnchorBeforePoint (const CurvePoint& point) const
{
    const auto index = indexOfPoint (point);
    return index < 0 ? findAnchorBeforePoser (point.getPoser()) : unmutedBackwardsFrom (index - 1);
}

CurvePoint Curve2::findAnchorAfterPoint (const CurvePoint& point) const
{
    const auto index = indexOfPoint (point);
    return index < 0 ? findAnchorAfterPoser (point.getPoser()) : unmutedForwardsFrom (index + 1);
}

CurvePoint Curve2::findAnchorBeforePoser (const Poser& poser) const
{
    return poser.isClear() ? CurvePoint() : unmutedBackwardsFrom (lowerBound (poser) - 1);
}

CurvePoint Curve2::findAnchorAfterPoser (const Poser& poser) const
{
    return poser.isClear() ? CurvePoint() : unmutedForwardsFrom (upperBound (poser));
}

CurvePoint Curve2::findLastUnmutedAtOrBefore (const Poser& poser) const
{
    return poser.isClear() ? CurvePoint() : unmutedBackwardsFrom (upperBound (poser) - 1);
}

double Curve2::getValueAtPoser (const Poser& poser) const
{
    const auto point = findLastUnmutedAtOrBefore (poser);
    return point.isValid() ? point.getVal() : getStartLevel();
}
} // namespace orv
