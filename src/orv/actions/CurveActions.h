#pragma once

#include "orv/actions/EditAction.h"
#include "orv/model/Track.h"

#include <vector>

namespace orv::actions
{
/** A drawn change of one curve of a track ("editCurve"). The text names the
    controller ("B" for pitch bend) and the staff, then, when the curve has
    nodes inside the affected range: the node before them, the first and
    last of them, the node after them, and all of them grouped by bar:
    "7;1;4,0,50,0;5,0,64,0;6,0,90,1;7,0,10;5:0,64,0|480,100,1#6:0,90,1".
    A node is "bar,pos,val,r" with r "1" for a ramp; the node after carries
    no ramp flag; a missing neighbour leaves its field empty. */
class EditCurve final : public EditAction
{
public:
    EditCurve (Track trackToEdit, int controlNum);

    /** Starts a gesture: the affected range is cleared. */
    void onBegin() override { clearAffectedRange(); }

    /** Widens the affected range (both ends inclusive) to cover the poser. */
    void expandAffectedRange (const Poser& poser);
    void clearAffectedRange();
    Poser getRangeFrom() const { return rangeFrom; }
    Poser getRangeTo() const { return rangeTo; }

    juce::String buildCurveEditPayload() const;
    juce::String getDataString() override { return buildCurveEditPayload(); }

private:
    Track track;
    int controlNum = 0;
    Poser rangeFrom, rangeTo;
};

/** An erased range of one curve of a track ("eraseCurve"): controller,
    staff and, when nodes were erased, "from:1:to:1" with the first and the
    last erased node as "bar,pos,val" ("7;1;5,0,64:1:6,256,90:1").

    The interval is made of the nodes the gesture erased, both ends
    inclusive. The lane removes nodes while the gesture runs, so by the time
    the gesture ends the nearest node at or before the zone is a neighbour
    that survived outside it; naming it would have the host erase it too. */
class EraseCurve final : public EditAction
{
public:
    EraseCurve (Track trackToEdit, int controlNum);

    /** Starts a gesture: the zone and the erased nodes are forgotten. */
    void onBegin() override { clearEraseZone(); }

    /** Widens the zone the gesture swept to cover the poser. */
    void expandEraseZone (const Poser& poser);
    /** Remembers a node the gesture took out of the curve (call before removing it). */
    void recordErasedNode (const Node& node);
    void clearEraseZone();

    /** The erased nodes (recorded, or still inside the zone) from first to
        last, both ends inclusive; unset when nothing was erased. */
    NodePoserInterval buildEraseInterval() const;
    juce::String buildErasePayload() const;
    juce::String getDataString() override { return buildErasePayload(); }

private:
    Track track;
    int controlNum = 0;
    Poser zoneFrom, zoneTo;
    std::vector<NodePoser> erased;
};
} // namespace orv::actions
