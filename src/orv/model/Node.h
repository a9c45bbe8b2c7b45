#pragma once

#include "orv/model/Poser.h"

#include <juce_data_structures/juce_data_structures.h>

namespace orv
{
/** A controller or pitch-bend curve node ("NODE"): a poser, an integer
    value (-1 means the node is clear) and how the curve reaches it. */
class Node
{
public:
    enum Type : int
    {
        plain = 0,
        Jump = 1,
        Ramp = 2
    };

    Node() = default;
    explicit Node (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    /** A detached "NODE" tree, not yet part of a curve. */
    static Node create (int bar, int pos, int val, Type type);

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getBar() const;
    int getPos() const;
    int getVal() const;
    void setVal (int value);
    double getFloatVal() const;
    void setFloatVal (double value);

    /** Stored as its number; an unknown number reads as plain. */
    Type getType() const;
    void setType (Type type);

    juce::String getLabel() const;
    void setLabel (const juce::String& text);
    bool getMute() const;
    void setMute (bool shouldBeMuted);

    /** Free text naming where the node came from; the editor may tag its own nodes. */
    juce::String getNodeSrc() const;
    void setNodeSrc (const juce::String& source);

    /** Poser text up to which the node's value holds, when a view has worked it out. */
    Poser getInfluenceTo() const;
    void setInfluenceTo (const Poser& poser);

    Poser getPoser() const;
    NodePoser getNodePoser() const;

    /** Marks the node clear (value -1). */
    void clear();
    bool isClear() const;

    /** The neighbouring nodes of the same curve, or invalid nodes at its ends. */
    Node getNextNode() const;
    Node getPreviousNode() const;

    /** A diagnostic text of every field. */
    juce::String debug() const;

    bool operator== (const Node& other) const { return state == other.state; }
    bool operator!= (const Node& other) const { return state != other.state; }

    static Type typeFromInt (int value) noexcept;

protected:
    juce::ValueTree state;
};

/** A node kept beside a track's curves: the last value before the loaded
    range (left wing) or the first one after it (right wing). */
class WingNode final : public Node
{
public:
    WingNode() = default;
    explicit WingNode (juce::ValueTree tree)
        : Node (std::move (tree))
    {
    }

    /** A detached wing node. */
    static WingNode create (int bar, int pos, int val, Type type, int distance);

    int getControlNum() const;
    void setControlNum (int controlId);

    /** Ticks from the bar line of the loaded range to the node. */
    int getDist() const;
    void setDist (int ticks);
};
} // namespace orv
