#include "gui/PropertyBinding.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
const juce::Identifier level{"level"};
const juce::Identifier other{"other"};
} // namespace

TEST (PropertyBinding, ReadsTheTreeWithItsDefaultAndFollowsEveryChange)
{
    juce::ValueTree tree ("T");
    juce::ValueTree child ("C");
    tree.appendChild (child, nullptr);

    gui::PropertyBinding binding;
    int changes = 0;
    binding.onChange = [&changes]
    { ++changes; };

    binding.bind (tree, level, 7);
    EXPECT_EQ (changes, 1) << "the control shows the tree at once";
    EXPECT_EQ (binding.getInt(), 7);

    tree.setProperty (level, 3, nullptr);
    EXPECT_EQ (changes, 2);
    EXPECT_EQ (binding.getInt(), 3);

    // Other properties, and the same name on a child, are not ours.
    tree.setProperty (other, 1, nullptr);
    child.setProperty (level, 9, nullptr);
    EXPECT_EQ (changes, 2);

    // A removed property reads as the default again, as every reader of the tree sees it.
    tree.removeProperty (level, nullptr);
    EXPECT_EQ (changes, 3);
    EXPECT_EQ (binding.getInt(), 7);

    // A tree read back from a file holds text.
    tree.setProperty (level, "2.5", nullptr);
    EXPECT_FLOAT_EQ (binding.getFloat(), 2.5f);
    tree.setProperty (level, "1", nullptr);
    EXPECT_TRUE (binding.getBool());
    EXPECT_EQ (binding.getText(), "1");
}

TEST (PropertyBinding, WritesGoIntoTheTreeAndComeBackThroughItsNotification)
{
    juce::ValueTree tree ("T");
    juce::UndoManager undo;
    gui::PropertyBinding binding;
    std::vector<int> seen;
    binding.onChange = [&]
    { seen.push_back (binding.getInt()); };
    binding.bind (tree, level, 0, &undo);

    undo.beginNewTransaction();
    binding.set (5);
    EXPECT_EQ (static_cast<int> (tree[level]), 5);
    EXPECT_EQ (seen, (std::vector<int>{0, 5}));

    binding.set (5);
    EXPECT_EQ (seen.size(), 2u) << "an unchanged value is no change";

    undo.undo();
    EXPECT_FALSE (tree.hasProperty (level));
    EXPECT_EQ (seen.back(), 0);

    // After unbinding, the tree goes its own way and the binding keeps the last value.
    binding.unbind();
    tree.setProperty (level, 8, nullptr);
    EXPECT_EQ (binding.getInt(), 0);
    EXPECT_FALSE (binding.isBound());
}

TEST (PropertyBinding, UnboundItHoldsAValueOfItsOwn)
{
    gui::PropertyBinding binding;
    int changes = 0;
    binding.onChange = [&changes]
    { ++changes; };

    binding.set (true);
    binding.set (true);
    EXPECT_TRUE (binding.getBool());
    EXPECT_EQ (changes, 1);

    // An invalid tree binds nothing.
    binding.bind (juce::ValueTree(), level, 4);
    EXPECT_FALSE (binding.isBound());
    EXPECT_TRUE (binding.getBool());

    juce::ValueTree tree ("T");
    tree.setProperty (level, 0, nullptr);
    binding.bind (tree, level, 4);
    EXPECT_FALSE (binding.getBool()) << "the tree replaces the own value";
    EXPECT_EQ (binding.getTree(), tree);
    EXPECT_EQ (binding.getProperty(), level);
}

TEST (PropertyBinding, ItsOwnerMayBeDestroyedFromInsideTheCallback)
{
    juce::ValueTree tree ("T");

    // A control that goes away when the property turns true (a gadget closing
    // itself); its binding is destroyed while the tree is notifying it.
    auto doomed = std::make_unique<gui::PropertyBinding>();
    doomed->onChange = [&doomed]
    {
        if (doomed->getBool())
            doomed.reset();
    };
    doomed->bind (tree, level, false);

    // A second binding on the same node destroys a third one from its callback.
    auto third = std::make_unique<gui::PropertyBinding>();
    int thirdChanges = 0;
    gui::PropertyBinding killer;
    killer.onChange = [&third, &killer]
    {
        if (killer.getInt() == 1)
            third.reset();
    };
    killer.bind (tree, other);
    third->onChange = [&thirdChanges]
    { ++thirdChanges; };
    third->bind (tree, other);
    thirdChanges = 0;

    tree.setProperty (level, true, nullptr);
    EXPECT_EQ (doomed, nullptr);

    // The tree may have reached the third before the killer (its order is
    // not ours to know); it must not reach it after.
    tree.setProperty (other, 1, nullptr);
    EXPECT_EQ (third, nullptr);
    EXPECT_LE (thirdChanges, 1);

    // The same through the binding's own write.
    auto writer = std::make_unique<gui::PropertyBinding>();
    writer->bind (tree, other);
    writer->onChange = [&writer]
    {
        if (writer->getInt() == 2)
            writer.reset();
    };
    writer->set (2);
    EXPECT_EQ (writer, nullptr);

    // The tree works on after the loop has let go of the links.
    testsupport::pumpFor (20);
    tree.setProperty (level, false, nullptr);
    tree.setProperty (other, 3, nullptr);
    EXPECT_EQ (static_cast<int> (tree[other]), 3);
}
