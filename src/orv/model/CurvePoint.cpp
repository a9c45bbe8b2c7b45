#include "orv/model/CurvePoint.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
juce::String reachShapeToString (ReachShape shape)
{
    return shape == ReachShape::Ramp ? "R" : "J";
}

ReachShape reachShapeFromString (const juce::String& text)
{
    return text == "R" ? ReachShape::Ramp : ReachShape::Jump;
}

CurvePoint CurvePoint::create (Type type, int bar, int pos, double val, ReachShape shape)
{
    return CurvePoint (juce::ValueTree (ids::CURVEPOINT, {{ids::type, typeToString (type)}, {ids::barId, bar}, {ids::pos, pos}, {ids::val, val}, {ids::reachShape, reachShapeToString (shape)}}));
}

juce::String CurvePoint::typeToString (Type type)
{
    switch (type)
    {
        case Type::M:
            return "M";
        case Type::P:
            return "P";
        case Type::N:
        default:
            return "N";
    }
}

CurvePoint::Type CurvePoint::typeFromString (const juce::String& text)
{
    if (text == "M")
        return Type::M;

    if (text == "P")
        return Type::P;

    return Type::N;
}

juce::String CurvePoint::motionTypeToString (MotionType type)
{
    switch (type)
    {
        case MotionType::P:
            return "P";
        case MotionType::S:
            return "S";
        case MotionType::none:
        default:
            return {};
    }
}

CurvePoint::MotionType CurvePoint::motionTypeFromString (const juce::String& text)
{
    if (text == "P")
        return MotionType::P;

    if (text == "S")
        return MotionType::S;

    return MotionType::none;
}

CurvePoint::Type CurvePoint::getType() const
{
    return typeFromString (treeprops::getString (state, ids::type));
}
void CurvePoint::setType (Type type)
{
    state.setProperty (ids::type, typeToString (type), nullptr);
}
int CurvePoint::getBar() const
{
    return treeprops::getInt (state, ids::barId);
}
int CurvePoint::getPos() const
{
    return treeprops::getInt (state, ids::pos);
}

void CurvePoint::setPoser (int bar, int pos)
{
    state.setProperty (ids::barId, bar, nullptr);
    state.setProperty (ids::pos, pos, nullptr);
}

Poser CurvePoint::getPoser() const
{
    if (!state.isValid())
        return {};

    return {getBar(), getPos()};
}

double CurvePoint::getVal() const
{
    return treeprops::getDouble (state, ids::val);
}
void CurvePoint::setVal (double bpm)
{
    state.setProperty (ids::val, bpm, nullptr);
}
ReachShape CurvePoint::getReachShape() const
{
    return reachShapeFromString (treeprops::getString (state, ids::reachShape));
}
void CurvePoint::setReachShape (ReachShape shape)
{
    state.setProperty (ids::reachShape, reachShapeToString (shape), nullptr);
}
CurvePoint::MotionType CurvePoint::getMotionType() const
{
    return motionTypeFromString (treeprops::getString (state, ids::motionType));
}
void CurvePoint::setMotionType (MotionType type)
{
    state.setProperty (ids::motionType, motionTypeToString (type), nullptr);
}
int CurvePoint::getSpanDuration() const
{
    return treeprops::getInt (state, ids::spanDuration);
}
void CurvePoint::setSpanDuration (int ticks)
{
    state.setProperty (ids::spanDuration, ticks, nullptr);
}
Poser CurvePoint::getSpanToPoser() const
{
    return Poser::fromString (treeprops::getString (state, ids::spanToPoser));
}

void CurvePoint::setSpanToPoser (const Poser& poser)
{
    if (poser.isClear())
        state.removeProperty (ids::spanToPoser, nullptr);
    else
        state.setProperty (ids::spanToPoser, poser.toString(), nullptr);
}

int CurvePoint::getDist() const
{
    return treeprops::getInt (state, ids::dist);
}
void CurvePoint::setDist (int ticks)
{
    state.setProperty (ids::dist, ticks, nullptr);
}
juce::String CurvePoint::getLabel() const
{
    return treeprops::getString (state, ids::label);
}
void CurvePoint::setLabel (const juce::String& text)
{
    state.setProperty (ids::label, text, nullptr);
}
bool CurvePoint::isMuted() const
{
    return treeprops::getString (state, ids::muted) == "M";
}
void CurvePoint::setMuted (bool shouldBeMuted)
{
    state.setProperty (ids::muted, shouldBeMuted ? "M" : "P", nullptr);
}
} // namespace orv
