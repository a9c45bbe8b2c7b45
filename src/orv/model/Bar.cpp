#include "orv/model/Bar.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
int Bar::getId() const
{
    return treeprops::getInt (state, ids::id);
}
int Bar::getExtNumber() const
{
    return treeprops::getInt (state, ids::extNumber);
}
void Bar::setExtNumber (int number)
{
    state.setProperty (ids::extNumber, number, nullptr);
}
bool Bar::hasLength() const
{
    return state.hasProperty (ids::length);
}
int Bar::getLength() const
{
    return treeprops::getInt (state, ids::length);
}
int64_t Bar::getGlobalPos() const
{
    return treeprops::getInt64 (state, ids::globalPos);
}

void Bar::setMeter (int numerator, int denominator)
{
    state.setProperty (ids::meter, Meter (numerator, denominator).toString(), nullptr);
}

Meter Bar::getMeter() const
{
    return Meter::fromString (treeprops::getString (state, ids::meter));
}

bool Bar::hasMeter() const
{
    return state.hasProperty (ids::meter);
}
} // namespace orv
