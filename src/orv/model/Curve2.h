#pragma once

#include "orv/model/CurvePoint.h"

#include <vector>

namespace orv
{
/** The score's tempo curve ("CURVE" under "SCORE"): a start level in beats
    per minute and "CURVEPOINT"s kept sorted by poser in its "CORE" child.
    A plain point and a tempo mark may share a poser; points of one type
    are unique per poser. */
class Curve2 final
{
public:
    Curve2() = default;
    explicit Curve2 (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getControlNum() const;

    /** The tempo before the first point; 0 when missing. */
    double getStartLevel() const;
    bool hasStartLevel() const;
    void setStartLevel (double bpm);

    juce::ValueTree getOrCreateCoreSt();
    juce::ValueTree getOrCreateMutedMarks();

    int getNumPoints() const;
    CurvePoint getPoint (int index) const;

    /** Puts the point at its place in poser order (after the points already
        at that poser); a point of the same type already at that poser takes
        the new point's properties instead. Returns the point in the curve. */
    CurvePoint addOrUpdatePoint (const CurvePoint& point);

    std::vector<CurvePoint> findPointsAtPoser (const Poser& poser) const;
    void removePoint (const CurvePoint& point);

    /** Removes every point and the start level. */
    void clear();

    /** Points from one poser to another, both included. */
    std::vector<CurvePoint> findNodesIncl (const Poser& from, const Poser& to) const;
    /** Points strictly between two posers. */
    std::vector<CurvePoint> findNodesExcl (const Poser& from, const Poser& to) const;

    /** The nearest unmuted point before or after a point of the curve (in curve order). */
    CurvePoint findAnchorBeforePoint (const CurvePoint& point) const;
    CurvePoint findAnchorAfterPoint (const CurvePoint& point) const;
    /** The nearest unmuted point strictly before or after a poser. */
    CurvePoint findAnchorBeforePoser (const Poser& poser) const;
    CurvePoint findAnchorAfterPoser (const Poser& poser) const;

    /** The last unmuted point at or before the poser. */
    CurvePoint findLastUnmutedAtOrBefore (const Poser& poser) const;

    /** The step value at a poser: the value of the last unmuted point at or
        before it, or the start level when there is none. */
    double getValueAtPoser (const Poser& poser) const;

private:
    juce::ValueTree getCore() const;
    int lowerBound (const Poser& poser) const;
    int upperBound (const Poser& poser) const;
    int indexOfPoint (const CurvePoint& point) const;
    CurvePoint unmutedBackwardsFrom (int index) const;
    CurvePoint unmutedForwardsFrom (int index) const;
    std::vector<CurvePoint> pointsInRange (int begin, int end) const;

    juce::ValueTree state;
};
} // namespace orv
