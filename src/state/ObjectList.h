#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace state
{
/** Keeps one C++ object per child of a parent tree (every child, or those of
    one type), in the children's order: an object is made when its child is
    added, destroyed when the child is removed, and moved when the children
    are reordered. The objects are made at once for the children already
    there; the callbacks report the changes after that.

    Changes are followed as they happen, so the list always matches the
    tree; a view that lays out or rebuilds from the list batches that work
    with a ChangeBatcher. The list must not be destroyed from inside its own
    callbacks or factory. Message thread only. */
template <typename Object>
class ObjectList final : private juce::ValueTree::Listener
{
public:
    using Factory = std::function<std::unique_ptr<Object> (const juce::ValueTree& child)>;

    /** Follows the children of parent whose type is childType (every child
        when childType is null); create makes the object for a child. */
    ObjectList (juce::ValueTree parentToFollow, const juce::Identifier& childType, Factory create)
        : parent (std::move (parentToFollow))
        , type (childType)
        , factory (std::move (create))
    {
        for (const auto& child : parent)
            if (accepts (child))
                entries.push_back ({child, factory (child)});

        parent.addListener (this);
    }

    ~ObjectList() override
    {
        parent.removeListener (this);
    }

    /** Runs after the object for a new child was made and put in place. */
    std::function<void (Object&)> onAdded;
    /** Runs just before the object of a removed child is destroyed. */
    std::function<void (Object&)> onRemoving;
    /** Runs after the objects were put in the children's new order. */
    std::function<void()> onReordered;

    int size() const { return static_cast<int> (entries.size()); }
    bool isEmpty() const { return entries.empty(); }
    Object& operator[] (int index) const { return *entries[static_cast<size_t> (index)].object; }
    juce::ValueTree getChild (int index) const { return entries[static_cast<size_t> (index)].tree; }
    const juce::ValueTree& getParent() const { return parent; }

    /** The object of a child; null when the child has none. */
    Object* findFor (const juce::ValueTree& child) const
    {
        for (const auto& entry : entries)
            if (entry.tree == child)
                return entry.object.get();

        return nullptr;
    }

    /** The objects, in the children's order. */
    std::vector<Object*> getObjects() const
    {
        std::vector<Object*> objects;
        objects.reserve (entries.size());

        for (const auto& entry : entries)
            objects.push_back (entry.object.get());

        return objects;
    }

private:
    struct Entry
    {
        juce::ValueTree tree;
        std::unique_ptr<Object> object;
    };

    bool accepts (const juce::ValueTree& child) const
    {
        return type.isNull() || child.hasType (type);
    }

    /** Where a child belongs among the entries: after every entry whose child comes before it. */
    size_t insertionPointFor (const juce::ValueTree& child) const
    {
        const auto index = parent.indexOf (child);

        // Appending is the common case: check the end first.
        if (entries.empty() || parent.indexOf (entries.back().tree) < index)
            return entries.size();

        size_t position = 0;

        while (position < entries.size() && parent.indexOf (entries[position].tree) < index)
            ++position;

        return position;
    }

    void valueTreeChildAdded (juce::ValueTree& changedParent, juce::ValueTree& child) override
    {
        if (changedParent != parent || !accepts (child) || findFor (child) != nullptr)
            return;

        // Made before the position is worked out: a factory may change the tree.
        auto object = factory (child);

        if (object == nullptr)
            return;

        const auto position = insertionPointFor (child);
        auto& entry = *entries.insert (entries.begin() + static_cast<std::ptrdiff_t> (position), Entry{child, std::move (object)});

        if (onAdded)
            onAdded (*entry.object);
    }

    void valueTreeChildRemoved (juce::ValueTree& changedParent, juce::ValueTree& child, int) override
    {
        if (changedParent != parent)
            return;

        for (auto it = entries.begin(); it != entries.end(); ++it)
        {
            if (it->tree != child)
                continue;

            auto removed = std::move (*it);
            entries.erase (it);

            if (onRemoving)
                onRemoving (*removed.object);

            return;
        }
    }

    void valueTreeChildOrderChanged (juce::ValueTree& changedParent, int, int) override
    {
        if (changedParent != parent)
            return;

        std::vector<std::pair<int, size_t>> order;
        order.reserve (entries.size());

        for (size_t i = 0; i < entries.size(); ++i)
            order.emplace_back (parent.indexOf (entries[i].tree), i);

        std::sort (order.begin(), order.end());

        std::vector<Entry> sorted;
        sorted.reserve (entries.size());

        for (const auto& [index, position] : order)
            sorted.push_back (std::move (entries[position]));

        entries = std::move (sorted);

        if (onReordered)
            onReordered();
    }

    juce::ValueTree parent;
    juce::Identifier type;
    Factory factory;
    std::vector<Entry> entries;

    JUCE_DECLARE_NON_COPYABLE (ObjectList)
};
} // namespace state
