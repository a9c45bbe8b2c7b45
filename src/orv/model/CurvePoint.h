#pragma once

#include "orv/model/Poser.h"

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** How a curve reaches a point's value: at once ("J") or by a linear ramp from the previous point ("R"). */
enum class ReachShape : int
{
    Jump = 0,
    Ramp = 1
};

juce::String reachShapeToString (ReachShape shape);
/** "R" is a ramp; anything else a jump. */
ReachShape reachShapeFromString (const juce::String& text);

/** A point of the tempo curve ("CURVEPOINT"): a plain point ("N"), a tempo
    mark of the score ("M") or a point that a ramp passes through ("P"). */
class CurvePoint final
{
public:
    enum class Type : int
    {
        N = 0,
        M = 1,
        P = 2
    };

    enum class MotionType : int
    {
        none = 0,
        P = 1,
        S = 2
    };

    CurvePoint() = default;
    explicit CurvePoint (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    /** A detached "CURVEPOINT" tree. */
    static CurvePoint create (Type type, int bar, int pos, double val, ReachShape shape);

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    static juce::String typeToString (Type type);
    /** "M" and "P" as named; anything else is "N". */
    static Type typeFromString (const juce::String& text);
    static juce::String motionTypeToString (MotionType type);
    /** "P" and "S" as named; anything else is none. */
    static MotionType motionTypeFromString (const juce::String& text);

    Type getType() const;
    void setType (Type type);
    bool isMark() const { return getType() == Type::M; }

    int getBar() const;
    int getPos() const;
    void setPoser (int bar, int pos);
    Poser getPoser() const;

    double getVal() const;
    void setVal (double bpm);

    ReachShape getReachShape() const;
    void setReachShape (ReachShape shape);

    MotionType getMotionType() const;
    void setMotionType (MotionType type);

    int getSpanDuration() const;
    void setSpanDuration (int ticks);
    /** The end of a mark's influence; clear when it has none. */
    Poser getSpanToPoser() const;
    void setSpanToPoser (const Poser& poser);

    int getDist() const;
    void setDist (int ticks);

    juce::String getLabel() const;
    void setLabel (const juce::String& text);

    /** Stored as "M" (muted) or "P" (playing); only marks are ever muted. */
    bool isMuted() const;
    void setMuted (bool shouldBeMuted);

    bool operator== (const CurvePoint& other) const { return state == other.state; }

private:
    juce::ValueTree state;
};
} // namespace orv
