#include "orv/model/HitPointList.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
HitPoint HitPoint::create (int id, int bar, int pos, int timeMillis, const juce::String& label)
{
    return HitPoint (juce::ValueTree (ids::HITPOINT, {{ids::id, id}, {ids::barId, bar}, {ids::pos, pos}, {ids::timeMillis, timeMillis}, {ids::label, label}}));
}

int HitPoint::getId() const
{
    return treeprops::getInt (state, ids::id);
}
int HitPoint::getBar() const
{
    return treeprops::getInt (state, ids::barId);
}
int HitPoint::getPos() const
{
    return treeprops::getInt (state, ids::pos);
}
int HitPoint::getTimeMillis() const
{
    return treeprops::getInt (state, ids::timeMillis);
}
juce::String HitPoint::getLabel() const
{
    return treeprops::getString (state, ids::label);
}
void HitPoint::setLabel (const juce::String& label)
{
    state.setProperty (ids::label, label, nullptr);
}
bool HitPoint::isOpen() const
{
    return treeprops::getBool (state, ids::open);
}
void HitPoint::setOpen (bool shouldBeOpen)
{
    state.setProperty (ids::open, shouldBeOpen, nullptr);
}

void HitPointList::addHitPoint (const HitPoint& hitPoint)
{
    auto tree = hitPoint.getState();

    if (!tree.isValid())
        return;

    if (tree.getParent().isValid())
        tree = tree.createCopy();

    state.appendChild (tree, nullptr);
}

void HitPointList::clear()
{
    state.removeAllChildren (nullptr);
}

HitPoint HitPointList::getHitPointWithId (int id) const
{
    for (const auto& child : state)
        if (treeprops::getInt (child, ids::id) == id)
            return HitPoint (child);

    return {};
}
} // namespace orv
