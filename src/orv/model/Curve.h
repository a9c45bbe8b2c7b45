#pragma once

#include "orv/model/Node.h"

#include <vector>

namespace orv
{
/** A track's curve of one controller ("CURVE" in a "CURVELIST"): "NODE"
    children kept unique and sorted by poser. Nodes come first among the
    children; any "NODESTRIPE" children follow them.

    Lookups by poser are binary searches over the children, and adding nodes
    in poser order appends, so loading n nodes costs O(n log n) at worst and
    O(n) in the usual in-order case. */
class Curve final
{
public:
    Curve() = default;
    explicit Curve (juce::ValueTree tree)
        : state (std::move (tree))
    {
    }

    /** A detached "CURVE" tree for the controller. */
    static Curve create (int controlId);

    bool isValid() const { return state.isValid(); }
    juce::ValueTree getState() const { return state; }

    int getControlNum() const;

    int getNumNodes() const;
    Node getNode (int index) const;

    /** Adds a node at its place in poser order. A node already at that poser
        takes the new value and type instead, so posers stay unique. */
    Node addNode (int bar, int pos, int val, Node::Type type);

    /** Replaces the value and type of the node at that poser, or adds one. */
    Node addOrUpdateNode (int bar, int pos, int val, Node::Type type);

    /** The node at exactly that poser, or an invalid node. */
    Node getNodeAtPoser (const Poser& poser) const;

    void removeNode (const Node& node);
    void removeAllNodes();

    /** Nodes from one poser to another, both ends included. */
    std::vector<Node> findNodesIncl (const Poser& from, const Poser& to) const;
    /** Nodes strictly between two posers. */
    std::vector<Node> findNodesExcl (const Poser& from, const Poser& to) const;

    /** First node at or after the poser. */
    Node getNextNodeToPoserIncl (const Poser& poser) const;
    /** First node after the poser. */
    Node getNextNodeToPoserExcl (const Poser& poser) const;
    /** Last node at or before the poser. */
    Node getPreviousNodeToPoserIncl (const Poser& poser) const;
    /** Last node before the poser. */
    Node getPreviousNodeToPoserExcl (const Poser& poser) const;

    Node getFirstNodeIncl (const Poser& from, const Poser& to) const;
    Node getFirstNodeExcl (const Poser& from, const Poser& to) const;
    Node getLastNodeIncl (const Poser& from, const Poser& to) const;
    Node getLastNodeExcl (const Poser& from, const Poser& to) const;

    /** Index of the node among the curve's nodes, or -1. */
    int indexOfNode (const Node& node) const;

private:
    int numNodeChildren() const;
    int lowerBound (const Poser& poser) const;
    int upperBound (const Poser& poser) const;
    std::vector<Node> nodesInRange (int begin, int end) const;

    juce::ValueTree state;
};
} // namespace orv
