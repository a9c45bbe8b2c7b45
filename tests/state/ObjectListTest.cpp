#include "state/ObjectList.h"
#include "state/ChangeBatcher.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{
const juce::Identifier stemType{"STEM"};
const juce::Identifier otherType{"OTHER"};
const juce::Identifier nameId{"name"};

/** The C++ side of a child: remembers its node and counts the living ones. */
struct Stem
{
    Stem (juce::ValueTree t, int& livingCount)
        : tree (std::move (t))
        , living (livingCount)
    {
        ++living;
    }

    ~Stem() { --living; }

    juce::ValueTree tree;
    int& living;
};

juce::ValueTree makeStem (const juce::String& name)
{
    return juce::ValueTree (stemType, {{nameId, name}});
}

struct ObjectListFixture : public ::testing::Test
{
    std::unique_ptr<state::ObjectList<Stem>> makeList()
    {
        return std::make_unique<state::ObjectList<Stem>> (parent, stemType, [this] (const juce::ValueTree& child)
                                                          { return std::make_unique<Stem> (child, living); });
    }

    /** The names of the list's objects, in order. */
    static juce::String namesOf (const state::ObjectList<Stem>& list)
    {
        juce::StringArray names;

        for (auto* stem : list.getObjects())
            names.add (stem->tree[nameId].toString());

        return names.joinIntoString (",");
    }

    /** Sorts children by name (for ValueTree::sort). */
    static int compareElements (const juce::ValueTree& a, const juce::ValueTree& b)
    {
        return a[nameId].toString().compare (b[nameId].toString());
    }

    juce::ValueTree parent{"STEM_LIST"};
    int living = 0;
};
} // namespace

TEST_F (ObjectListFixture, OneObjectPerChildOfTheTypeInTheChildrensOrder)
{
    parent.appendChild (makeStem ("a"), nullptr);
    parent.appendChild (juce::ValueTree (otherType), nullptr);
    parent.appendChild (makeStem ("b"), nullptr);

    auto list = makeList();
    EXPECT_EQ (namesOf (*list), "a,b") << "objects for the children already there; other types have none";

    juce::StringArray events;
    list->onAdded = [&events] (Stem& s)
    { events.add ("+" + s.tree[nameId].toString()); };
    list->onRemoving = [&events] (Stem& s)
    { events.add ("-" + s.tree[nameId].toString()); };
    list->onReordered = [&events]
    { events.add ("order"); };

    // Added in the middle, at the front and at the end, one removed, one
    // moved (the order after each step of random edits: the next test).
    parent.addChild (makeStem ("m"), 2, nullptr);
    parent.addChild (makeStem ("first"), 0, nullptr);
    parent.appendChild (makeStem ("last"), nullptr);
    parent.appendChild (juce::ValueTree (otherType), nullptr);
    parent.removeChild (parent.getChildWithProperty (nameId, "m"), nullptr);
    parent.moveChild (0, parent.getNumChildren() - 1, nullptr);
    EXPECT_EQ (namesOf (*list), "a,b,last,first");
    EXPECT_EQ (events.joinIntoString (" "), "+m +first +last -m order");

    parent.sort (*this, nullptr, false);
    EXPECT_EQ (namesOf (*list), "a,b,first,last");

    ASSERT_NE (list->findFor (parent.getChildWithProperty (nameId, "b")), nullptr);
    EXPECT_EQ (list->findFor (parent.getChildWithProperty (nameId, "b"))->tree[nameId].toString(), "b");
    EXPECT_EQ (list->findFor (juce::ValueTree (otherType)), nullptr);

    list.reset();
    EXPECT_EQ (living, 0);
}

TEST_F (ObjectListFixture, BurstsAndReplacedContentKeepTheListInStep)
{
    auto list = makeList();
    juce::Random random (42);

    // A burst of random edits: after each the list matches the children.
    for (int step = 0; step < 400; ++step)
    {
        const auto count = parent.getNumChildren();
        const auto action = random.nextInt (4);

        if (action == 0 || count < 2)
            parent.addChild (makeStem (juce::String (step)), random.nextInt (count + 1), nullptr);
        else if (action == 1)
            parent.removeChild (random.nextInt (count), nullptr);
        else if (action == 2)
            parent.moveChild (random.nextInt (count), random.nextInt (count), nullptr);
        else
            parent.addChild (juce::ValueTree (otherType), random.nextInt (count + 1), nullptr);

        juce::StringArray expected;

        for (const auto& child : parent)
            if (child.hasType (stemType))
                expected.add (child[nameId].toString());

        ASSERT_EQ (namesOf (*list), expected.joinIntoString (",")) << "step " << step;
        ASSERT_EQ (living, list->size());
    }

    // A state file read back replaces the children in place.
    juce::ValueTree loaded ("STEM_LIST");
    loaded.appendChild (makeStem ("x"), nullptr);
    loaded.appendChild (makeStem ("y"), nullptr);
    parent.copyPropertiesAndChildrenFrom (loaded, nullptr);
    EXPECT_EQ (namesOf (*list), "x,y");
    EXPECT_EQ (living, 2);
}

TEST (ChangeBatcher, ABurstOfChangesCostsOneCall)
{
    juce::ValueTree stems ("STEM_LIST");
    int calls = 0;
    state::ChangeBatcher batcher ([&calls]
                                  { ++calls; });
    batcher.watch (stems, {"selected"});

    for (int i = 0; i < 50; ++i)
        stems.appendChild (juce::ValueTree ("STEM"), nullptr);

    for (auto stem : stems)
        stem.setProperty ("selected", true, nullptr);

    stems.moveChild (0, 10, nullptr);
    EXPECT_EQ (calls, 0) << "nothing runs while the burst is being made";
    EXPECT_TRUE (testsupport::pumpUntil ([&calls]
                                         { return calls > 0; }));
    testsupport::pumpFor (30);
    EXPECT_EQ (calls, 1);

    // Properties not named do not count; flush runs a pending call at once.
    stems.getChild (3).setProperty ("name", "x", nullptr);
    EXPECT_FALSE (batcher.isPending());
    stems.removeChild (3, nullptr);
    batcher.flush();
    EXPECT_EQ (calls, 2);
    testsupport::pumpFor (30);
    EXPECT_EQ (calls, 2);
}

TEST (ChangeBatcher, DestroyedWhileACallIsPendingNothingRuns)
{
    juce::ValueTree stems ("STEM_LIST");
    auto gone = std::make_shared<bool> (false);
    int calls = 0;

    auto batcher = std::make_unique<state::ChangeBatcher> ([&calls, gone]
                                                           { ++calls; EXPECT_FALSE (*gone); });
    batcher->watch (stems);
    stems.appendChild (juce::ValueTree ("STEM"), nullptr);
    EXPECT_TRUE (batcher->isPending());
    batcher.reset();
    *gone = true;
    testsupport::pumpFor (50);
    EXPECT_EQ (calls, 0);

    // The tree goes on without its former watcher.
    stems.appendChild (juce::ValueTree ("STEM"), nullptr);

    // The callback may destroy its own batcher.
    std::unique_ptr<state::ChangeBatcher> selfDestroying;
    selfDestroying = std::make_unique<state::ChangeBatcher> ([&selfDestroying, &calls]
                                                             { ++calls; selfDestroying.reset(); });
    selfDestroying->mark();
    EXPECT_TRUE (testsupport::pumpUntil ([&selfDestroying]
                                         { return selfDestroying == nullptr; }));
    EXPECT_EQ (calls, 1);
}
