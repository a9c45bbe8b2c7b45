#pragma once

#include "engine/comm/Action.h"
#include "engine/comm/WebSocketAction.h"
#include "orv/model/Score.h"
#include "orv/pref/OrvState.h"

#include <vector>

namespace orv::actions
{
/** A draw gesture on the tempo lane, sent as "editTempoCurve" when it ends.

    Each mouse position goes to insertOrUpdateNode, which edits the score's
    tempo curve at once so that the lane shows the drawing; commit sends
    the edited range. Tempo marks are never removed: a mark the drawing
    crosses is muted, a plain point takes its value, and the mark stays on
    the curve so that it can be restored.

    Chomp holders: with chomp mode on, the drawn cell is fenced by plain
    jump points holding the tempo that was in force just before the cell:
    one at the cell's end (so the music after the cell keeps its tempo) and,
    when the new point is reached by a ramp, one at the cell's start (so the
    ramp starts from that tempo inside the cell). A holder is only added
    where no unmuted point lies yet, and never past the end of the score.

    Manualised marks: manualising a mark mutes the mark and puts one plain
    jump point with the mark's value at the mark's poser; the rest of its
    influence range (a ritardando's span) is left as it is. */
class EditTempoCurve final : public Action,
                             public WebSocketAction
{
public:
    EditTempoCurve (Score& score, OrvTempoState tempoState);

    juce::String getMethodName() const override { return "editTempoCurve"; }
    juce::String getType() override { return "ORV.editTempoCurve"; }

    /** Clears the affected range, the gesture's previous point and the mark mutings. */
    void onBegin() override;

    /** Draws a point for one mouse position (bar, ticks into it, tempo). */
    void insertOrUpdateNode (int bar, int64_t ticks, double bpm);

    /** {"playLinePoser", "markMutings" (when any), "edit" (null or the edited range)}. */
    juce::var buildWebSocketArg() override;
    /** The argument as compact JSON. */
    juce::String getDataString() override;

    /** The edited range; clear before the first point. */
    Poser getAffectedFrom() const { return affectedFrom; }
    Poser getAffectedTo() const { return affectedTo; }

private:
    struct MarkMuting
    {
        Poser poser;
        bool play;
    };

    void addOrUpdateChompHolders (const Poser& cellStart, const Poser& cellEnd, bool ramp);
    void addHolder (const Poser& poser, double bpm);
    std::vector<CurvePoint> findMarksPollutedByRange (const Poser& from, const Poser& to) const;
    void manualizeMark (CurvePoint mark);
    /** Adds a plain point, replacing any plain point already at its poser. */
    CurvePoint putPlainPoint (const CurvePoint& point);
    void expandAffectedRange (const Poser& poser);
    juce::var buildEditObject() const;

    Score& score;
    OrvTempoState tempoState;
    Poser affectedFrom, affectedTo, previousPoint;
    std::vector<MarkMuting> markMutings;
};

/** An erase gesture on the tempo lane, sent as "eraseTempoCurve" when it
    ends: {"playLinePoser", "from", "to"}. Plain points in the swept zone
    are removed from the score's curve; marks there are muted, never removed. */
class EraseTempoCurve final : public WebSocketAction
{
public:
    explicit EraseTempoCurve (Score& score);

    juce::String getMethodName() const override { return "eraseTempoCurve"; }

    /** Forgets the zone and what was erased. */
    void clear();

    /** Widens the swept zone to the poser and erases what it now covers. */
    void eraseZoneByExpandingLimit (const Poser& poser);

    /** "from" and "to" are null when nothing was erased; otherwise the
        anchors on either side ("exclusive"), or the first and last erased
        points themselves ("inclusive") when there is no anchor. "to" also
        carries "reachShape". Also sets the request's argument. */
    juce::var buildArg();

private:
    Score& score;
    Poser zoneFrom, zoneTo;
    /** Detached copies of the erased points (and muted marks), in erase order. */
    std::vector<CurvePoint> erased;
};
} // namespace orv::actions
