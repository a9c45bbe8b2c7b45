#include "orv/model/Curve.h"
#include "orv/model/ScoreIds.h"

#include <gtest/gtest.h>

using orv::Curve;
using orv::Node;
using orv::Poser;

namespace
{
juce::String posersOf (const std::vector<Node>& nodes)
{
    juce::StringArray texts;
    for (const auto& node : nodes)
        texts.add (node.getPoser().toString());
    return texts.joinIntoString (" ");
}

// Nodes at 1,0 1,512 2,0 2,256 3,0, valued 10, 20, 30, 40, 50.
Curve makeCurve()
{
    auto curve = Curve::create (7);
    curve.addNode (2, 0, 30, Node::Jump);
    curve.addNode (1, 0, 10, Node::plain);
    curve.addNode (3, 0, 50, Node::Ramp);
    curve.addNode (1, 512, 20, Node::Jump);
    curve.addNode (2, 256, 40, Node::Jump);
    return curve;
}
} // namespace

// Order and uniqueness under random adds and removals: ModelInvariantTest.
TEST (Curve, ANodeAtATakenPoserReplacesValueAndType)
{
    auto curve = makeCurve();
    curve.addOrUpdateNode (2, 0, 99, Node::Ramp);
    curve.addNode (1, 512, 77, Node::plain);
    EXPECT_EQ (curve.getNumNodes(), 5);
    EXPECT_EQ (curve.getNodeAtPoser ({2, 0}).getType(), Node::Ramp);
    EXPECT_EQ (curve.getNodeAtPoser ({1, 512}).getType(), Node::plain);
    EXPECT_FALSE (curve.getNodeAtPoser (Poser()).isValid());
}

TEST (Curve, RangeQueries)
{
    const auto curve = makeCurve();

    EXPECT_EQ (posersOf (curve.findNodesIncl ({1, 512}, {2, 256})), "1,512 2,0 2,256");
    EXPECT_EQ (posersOf (curve.findNodesExcl ({1, 512}, {2, 256})), "2,0");
    EXPECT_EQ (posersOf (curve.findNodesIncl ({2, 1}, {2, 255})), "");
    EXPECT_EQ (posersOf (curve.findNodesIncl ({3, 0}, {1, 0})), "") << "reversed range";
    EXPECT_EQ (posersOf (curve.findNodesIncl (Poser(), {3, 0})), "");

    EXPECT_EQ (curve.getNextNodeToPoserIncl ({2, 0}).getVal(), 30);
    EXPECT_EQ (curve.getNextNodeToPoserExcl ({2, 0}).getVal(), 40);
    EXPECT_EQ (curve.getPreviousNodeToPoserIncl ({2, 0}).getVal(), 30);
    EXPECT_EQ (curve.getPreviousNodeToPoserExcl ({2, 0}).getVal(), 20);
    EXPECT_EQ (curve.getPreviousNodeToPoserIncl ({1, 100}).getVal(), 10);
    EXPECT_FALSE (curve.getPreviousNodeToPoserExcl ({1, 0}).isValid());
    EXPECT_FALSE (curve.getNextNodeToPoserExcl ({3, 0}).isValid());

    EXPECT_EQ (curve.getFirstNodeIncl ({1, 512}, {3, 0}).getVal(), 20);
    EXPECT_EQ (curve.getFirstNodeExcl ({1, 512}, {3, 0}).getVal(), 30);
    EXPECT_EQ (curve.getLastNodeIncl ({1, 512}, {3, 0}).getVal(), 50);
    EXPECT_EQ (curve.getLastNodeExcl ({1, 512}, {3, 0}).getVal(), 40);
    EXPECT_FALSE (curve.getFirstNodeIncl ({2, 1}, {2, 255}).isValid());
    EXPECT_FALSE (curve.getLastNodeIncl ({2, 1}, {2, 255}).isValid());
}

TEST (Curve, SiblingsRemovalAndStripes)
{
    auto curve = makeCurve();

    // Stripes stay after the nodes and take no part in the node queries.
    curve.getState().appendChild (juce::ValueTree (orv::ids::NODESTRIPE), nullptr);
    curve.addNode (4, 0, 60, Node::plain);
    curve.addNode (0, 0, 5, Node::plain);
    EXPECT_EQ (curve.getNumNodes(), 7);
    EXPECT_TRUE (curve.getState().getChild (7).hasType (orv::ids::NODESTRIPE));
    EXPECT_FALSE (curve.getNextNodeToPoserExcl ({4, 0}).isValid());

    auto node = curve.getNodeAtPoser ({2, 0});
    EXPECT_EQ (node.getNextNode().getVal(), 40);
    EXPECT_EQ (node.getPreviousNode().getVal(), 20);
    EXPECT_FALSE (curve.getNodeAtPoser ({4, 0}).getNextNode().isValid());
    EXPECT_FALSE (curve.getNodeAtPoser ({0, 0}).getPreviousNode().isValid());
    EXPECT_FALSE (Node::create (1, 0, 1, Node::plain).getNextNode().isValid()) << "detached";

    curve.removeNode (node);
    EXPECT_FALSE (curve.getNodeAtPoser ({2, 0}).isValid());
    EXPECT_EQ (curve.getNumNodes(), 6);
    curve.removeNode (Node::create (1, 0, 10, Node::plain));
    EXPECT_EQ (curve.getNumNodes(), 6) << "a node of no curve removes nothing";

    curve.removeAllNodes();
    EXPECT_EQ (curve.getNumNodes(), 0);
    EXPECT_EQ (curve.getState().getNumChildren(), 1);
}

TEST (Curve, UnknownNodeTypesReadAsPlain)
{
    auto node = Node::create (3, 480, 64, Node::Ramp);
    node.setType (static_cast<Node::Type> (9));
    EXPECT_EQ (node.getType(), Node::plain);
}
