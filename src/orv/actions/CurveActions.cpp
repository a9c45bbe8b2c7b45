#include "orv/actions/CurveActions.h"
#include "utils/Midi.h"

namespace orv::actions
{
namespace
{
juce::String headFields (const Track& track, int controlNum)
{
    return utils::midi::controlNumToId (controlNum) + ";" + juce::String (track.getId()) + ";";
}

juce::String rampFlag (const Node& node)
{
    return node.getType() == Node::Ramp ? "1" : "0";
}

/** "bar,pos,val". */
juce::String nodeText (const Node& node)
{
    return juce::String (node.getBar()) + "," + juce::String (node.getPos()) + "," + juce::String (node.getVal());
}

/** "bar,pos,val,r". */
juce::String nodeWithRamp (const Node& node)
{
    return nodeText (node) + "," + rampFlag (node);
}

/** "5:0,64,0|480,100,1#6:0,90,0". */
juce::String groupByBar (const std::vector<Node>& nodes)
{
    juce::String text;
    int bar = 0;
    bool first = true;

    for (const auto& node : nodes)
    {
        if (first || node.getBar() != bar)
        {
            if (!first)
                text << "#";

            bar = node.getBar();
            text << bar << ":";
        }
        else
        {
            text << "|";
        }

        text << node.getPos() << "," << node.getVal() << "," << rampFlag (node);
        first = false;
    }

    return text;
}

void widen (Poser& from, Poser& to, const Poser& poser)
{
    if (poser.isClear())
        return;

    if (from.isClear() || poser < from)
        from = poser;

    if (to.isClear() || poser > to)
        to = poser;
}
} // namespace

//==============================================================================
EditCurve::EditCurve (Track trackToEdit, int controlNumber)
    : EditAction (std::make_unique<EditCurveSend>())
    , track (std::move (trackToEdit))
    , controlNum (controlNumber)
{
}

void EditCurve::expandAffectedRange (const Poser& poser)
{
    widen (rangeFrom, rangeTo, poser);
}

void EditCurve::clearAffectedRange()
{
    rangeFrom = {};
    rangeTo = {};
}

juce::String EditCurve::buildCurveEditPayload() const
{
    auto text = headFields (track, controlNum);
    const auto curve = track.getCurve (controlNum);

    if (rangeFrom.isClear() || !curve.isValid())
        return text;

    const auto nodes = curve.findNodesIncl (rangeFrom, rangeTo);

    if (nodes.empty())
        return text;

    const auto before = curve.getPreviousNodeToPoserExcl (nodes.front().getPoser());
    const auto after = curve.getNextNodeToPoserExcl (nodes.back().getPoser());

    text << (before.isValid() ? nodeWithRamp (before) : juce::String()) << ";";
    text << nodeWithRamp (nodes.front()) << ";";
    text << nodeWithRamp (nodes.back()) << ";";
    text << (after.isValid() ? nodeText (after) : juce::String()) << ";";
    text << groupByBar (nodes);
    return text;
}

//==============================================================================
EraseCurve::EraseCurve (Track trackToEdit, int controlNumber)
    : EditAction (std::make_unique<EraseCurveSend>())
    , track (std::move (trackToEdit))
    , controlNum (controlNumber)
{
}

void EraseCurve::expandEraseZone (const Poser& poser)
{
    widen (zoneFrom, zoneTo, poser);
}

void EraseCurve::recordErasedNode (const Node& node)
{
    if (node.isValid())
        erased.push_back (node.getNodePoser());
}

void EraseCurve::clearEraseZone()
{
    zoneFrom = {};
    zoneTo = {};
    erased.clear();
}

NodePoserInterval EraseCurve::buildEraseInterval() const
{
    auto nodes = erased;

    if (!zoneFrom.isClear())
        if (const auto curve = track.getCurve (controlNum); curve.isValid())
            for (const auto& node : curve.findNodesIncl (zoneFrom, zoneTo))
                nodes.push_back (node.getNodePoser());

    if (nodes.empty())
        return {};

    const auto [first, last] = std::minmax_element (nodes.begin(), nodes.end());
    return {*first, true, *last, true};
}

juce::String EraseCurve::buildErasePayload() const
{
    auto text = headFields (track, controlNum);
    const auto interval = buildEraseInterval();

    if (!interval.isSet())
        return text;

    const auto flag = [] (bool inclusive)
    { return inclusive ? "1" : "0"; };

    text << interval.getFrom().toString() << ":" << flag (interval.isFromInclusive()) << ":"
         << interval.getTo().toString() << ":" << flag (interval.isToInclusive());
    return text;
}
} // namespace orv::actions
