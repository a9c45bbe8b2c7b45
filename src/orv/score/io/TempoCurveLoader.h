#pragma once

#include "orv/model/Score.h"

namespace orv::score::io
{
/** Reads the tempo curve out of the host's replies: the "tempoCurve" object
    of a score payload, the reply to a tempo-curve request, and the points
    of a restored tempo mark. */
class TempoCurveLoader final
{
public:
    /** How a tempo curve object meets the curve already in the score. */
    enum class ExpandMode
    {
        /** Points are added to (or update) the curve as it is; the score
            loader uses this after clearing the score. */
        intoCurve = 0,
        /** The curve is cleared first: a reply that carries the whole curve. */
        replaceCurve = 1
    };

    /** For an object: sets the start level from "startLevel" and adds or
        updates every point of its "points" array. Anything else is ignored. */
    static void loadCurveObject (const juce::var& tempoCurve, Score& score, ExpandMode mode);

    /** A detached curve point built from a point object; an invalid point for
        a non-object and for the wing entries ("LW", "RW"). */
    static CurvePoint curvePointFromVar (const juce::var& point, const Score& score);

    /** Adds or updates the points of an array; a tempo mark first clears its
        influence range. */
    static void loadRestoreMarkPoints (const juce::var& points, Score& score);

    /** Removes every point from the mark's poser to its span end, both included. */
    static void clearMarkInfluenceRange (Curve2& curve, const CurvePoint& mark);

    /** The reply to restoring a mark: an array of points, or an object with a
        "markCurve" array and a "hitPointList". */
    static void applyRestoreMarkReply (const juce::var& reply, Score& score);
};
} // namespace orv::score::io
