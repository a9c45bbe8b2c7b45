#include "orv/model/Node.h"
#include "orv/model/Curve.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
Node Node::create (int bar, int pos, int val, Type type)
{
    return Node (juce::ValueTree (ids::NODE, {{ids::barId, bar}, {ids::pos, pos}, {ids::val, val}, {ids::nodeType, static_cast<int> (type)}}));
}

Node::Type Node::typeFromInt (int value) noexcept
{
    switch (value)
    {
        case Jump:
            return Jump;
        case Ramp:
            return Ramp;
        default:
            return plain;
    }
}

int Node::getBar() const
{
    return treeprops::getInt (state, ids::barId);
}
int Node::getPos() const
{
    return treeprops::getInt (state, ids::pos);
}
int Node::getVal() const
{
    return treeprops::getInt (state, ids::val, -1);
}
void Node::setVal (int value)
{
    state.setProperty (ids::val, value, nullptr);
}
double Node::getFloatVal() const
{
    return treeprops::getDouble (state, ids::floatVal);
}
void Node::setFloatVal (double value)
{
    state.setProperty (ids::floatVal, value, nullptr);
}
Node::Type Node::getType() const
{
    return typeFromInt (treeprops::getInt (state, ids::nodeType));
}
void Node::setType (Type type)
{
    state.setProperty (ids::nodeType, static_cast<int> (type), nullptr);
}
juce::String Node::getLabel() const
{
    return treeprops::getString (state, ids::label);
}
void Node::setLabel (const juce::String& text)
{
    state.setProperty (ids::label, text, nullptr);
}
bool Node::getMute() const
{
    return treeprops::getBool (state, ids::mute);
}
void Node::setMute (bool shouldBeMuted)
{
    state.setProperty (ids::mute, shouldBeMuted, nullptr);
}
juce::String Node::getNodeSrc() const
{
    return treeprops::getString (state, ids::nodeSrc);
}
void Node::setNodeSrc (const juce::String& source)
{
    state.setProperty (ids::nodeSrc, source, nullptr);
}
Poser Node::getInfluenceTo() const
{
    return Poser::fromString (treeprops::getString (state, ids::influenceTo));
}
void Node::setInfluenceTo (const Poser& poser)
{
    state.setProperty (ids::influenceTo, poser.toString(), nullptr);
}

Poser Node::getPoser() const
{
    if (!state.isValid())
        return {};

    return {getBar(), getPos()};
}

NodePoser Node::getNodePoser() const
{
    if (!state.isValid())
        return {};

    return {getBar(), getPos(), getVal()};
}

void Node::clear()
{
    setVal (-1);
}

bool Node::isClear() const
{
    return getVal() == -1;
}

Node Node::getNextNode() const
{
    const Curve curve (state.getParent());
    const auto index = curve.indexOfNode (*this);
    return index < 0 ? Node() : curve.getNode (index + 1);
}

Node Node::getPreviousNode() const
{
    const Curve curve (state.getParent());
    const auto index = curve.indexOfNode (*this);
    return index < 0 ? Node() : curve.getNode (index - 1);
}

juce::String Node::debug() const
{
    return "[barId: " + juce::String (getBar())
           + ", pos:" + juce::String (getPos())
           + ", intVal:" + juce::String (getVal())
           + ", floatVal:" + juce::String (getFloatVal())
           + ", type:" + juce::String (static_cast<int> (getType()))
           + ", label: " + getLabel() + "]";
}

WingNode WingNode::create (int bar, int pos, int val, Type type, int distance)
{
    WingNode node (Node::create (bar, pos, val, type).getState());
    node.setDist (distance);
    return node;
}

int WingNode::getControlNum() const
{
    return treeprops::getInt (state, ids::controlNum);
}
void WingNode::setControlNum (int controlId)
{
    state.setProperty (ids::controlNum, controlId, nullptr);
}
int WingNode::getDist() const
{
    return treeprops::getInt (state, ids::dist);
}
void WingNode::setDist (int ticks)
{
    state.setProperty (ids::dist, ticks, nullptr);
}
} // namespace orv
