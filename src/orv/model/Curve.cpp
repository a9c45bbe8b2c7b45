#include "orv/model/Curve.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
namespace
{
int comparePoser (const juce::ValueTree& node, const Poser& poser)
{
    return Poser::compare (treeprops::getInt (node, ids::barId), treeprops::getInt (node, ids::pos), poser.getBar(), poser.getPos());
}
} // namespace

Curve Curve::create (int controlId)
{
    return Curve (juce::ValueTree (ids::CURVE, {{ids::controlNum, controlId}}));
}

int Curve::getControlNum() const
{
    return treeprops::getInt (state, ids::controlNum);
}

int Curve::numNodeChildren() const
{
    // Stripes, when there are any, sit after the nodes; usually there are none
    // and this costs one look at the last child.
    auto end = state.getNumChildren();

    while (end > 0 && !state.getChild (end - 1).hasType (ids::NODE))
        --end;

    return end;
}

int Curve::getNumNodes() const
{
    return numNodeChildren();
}

Node Curve::getNode (int index) const
{
    if (index < 0 || index >= numNodeChildren())
        return {};

    return Node (state.getChild (index));
}

int Curve::lowerBound (const Poser& poser) const
{
    int low = 0, high = numNodeChildren();

    while (low < high)
    {
        const auto mid = low + (high - low) / 2;

        if (comparePoser (state.getChild (mid), poser) < 0)
            low = mid + 1;
        else
            high = mid;
    }

    return low;
}

int Curve::upperBound (const Poser& poser) const
{
    int low = 0, high = numNodeChildren();

    while (low < high)
    {
        const auto mid = low + (high - low) / 2;

        if (comparePoser (state.getChild (mid), poser) <= 0)
            low = mid + 1;
        else
            high = mid;
    }

    return low;
}

Node Curve::addNode (int bar, int pos, int val, Node::Type type)
{
    return addOrUpdateNode (bar, pos, val, type);
}

Node Curve::addOrUpdateNode (int bar, int pos, int val, Node::Type type)
{
    const Poser poser (bar, pos);
    const auto end = numNodeChildren();
    int index = end;

    // Nodes usually arrive in poser order: check the last one before searching.
    if (end > 0)
    {
        const auto order = comparePoser (state.getChild (end - 1), poser);

        if (order >= 0)
            index = order == 0 ? end - 1 : lowerBound (poser);
    }

    if (index < end)
    {
        auto existing = state.getChild (index);

        if (comparePoser (existing, poser) == 0)
        {
            Node node (existing);
            node.setVal (val);
            node.setType (type);
            return node;
        }
    }

    auto node = Node::create (bar, pos, val, type);
    state.addChild (node.getState(), index, nullptr);
    return node;
}

Node Curve::getNodeAtPoser (const Poser& poser) const
{
    if (poser.isClear())
        return {};

    const auto index = lowerBound (poser);

    if (index < numNodeChildren())
    {
        auto child = state.getChild (index);

        if (comparePoser (child, poser) == 0)
            return Node (child);
    }

    return {};
}

void Curve::removeNode (const Node& node)
{
    const auto index = indexOfNode (node);

    if (index >= 0)
        state.removeChild (index, nullptr);
}

void Curve::removeAllNodes()
{
    for (auto i = numNodeChildren(); --i >= 0;)
        state.removeChild (i, nullptr);
}

int Curve::indexOfNode (const Node& node) const
{
    const auto tree = node.getState();

    if (!tree.isValid() || tree.getParent() != state)
        return -1;

    // Posers are unique, so the search lands on the node itself.
    const auto index = lowerBound (node.getPoser());

    if (index < numNodeChildren() && state.getChild (index) == tree)
        return index;

    return state.indexOf (tree);
}

std::vector<Node> Curve::nodesInRange (int begin, int end) const
{
    std::vector<Node> nodes;

    if (begin < end)
        nodes.reserve (static_cast<size_t> (end - begin));

    for (auto i = begin; i < end; ++i)
        nodes.emplace_back (state.getChild (i));

    return nodes;
}

std::vector<Node> Curve::findNodesIncl (const Poser& from, const Poser& to) const
{
    if (from.isClear() || to.isClear())
        return {};

    return nodesInRange (lowerBound (from), upperBound (to));
}

std::vector<Node> Curve::findNodesExcl (const Poser& from, const Poser& to) const
{
    if (from.isClear() || to.isClear())
        return {};

    return nodesInRange (upperBound (from), lowerBound (to));
}

Node Curve::getNextNodeToPoserIncl (const Poser& poser) const
{
    return poser.isClear() ? Node() : getNode (lowerBound (poser));
}

Node Curve::getNextNodeToPoserExcl (const Poser& poser) const
{
    return poser.isClear() ? Node() : getNode (upperBound (poser));
}

Node Curve::getPreviousNodeToPoserIncl (const Poser& poser) const
{
    return poser.isClear() ? Node() : getNode (upperBound (poser) - 1);
}

Node Curve::getPreviousNodeToPoserExcl (const Poser& poser) const
{
    return poser.isClear() ? Node() : getNode (lowerBound (poser) - 1);
}

Node Curve::getFirstNodeIncl (const Poser& from, const Poser& to) const
{
    const auto node = getNextNodeToPoserIncl (from);
    return node.isValid() && node.getPoser() <= to ? node : Node();
}

Node Curve::getFirstNodeExcl (const Poser& from, const Poser& to) const
{
    const auto node = getNextNodeToPoserExcl (from);
    return node.isValid() && node.getPoser() < to ? node : Node();
}

Node Curve::getLastNodeIncl (const Poser& from, const Poser& to) const
{
    const auto node = getPreviousNodeToPoserIncl (to);
    return node.isValid() && from <= node.getPoser() ? node : Node();
}

Node Curve::getLastNodeExcl (const Poser& from, const Poser& to) const
{
    const auto node = getPreviousNodeToPoserExcl (to);
    return node.isValid() && from < node.getPoser() ? node : Node();
}
} // namespace orv
