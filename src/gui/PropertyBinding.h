#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <functional>

namespace gui
{
/** A control's link to one property of a state tree: the control reads the
    property through it, writes through it, and repaints from onChange, which
    runs on every change of the property (whoever made it, the control's own
    writes included). The tree is the only truth: the binding's value is a
    cache of the property (or of the default while the property is absent),
    refreshed by the tree's change notification.

    Unbound, the binding holds a value of its own: set() stores it and runs
    onChange, so a control works the same way with or without a tree.

    onChange may destroy the control that owns the binding. */
class PropertyBinding final
{
public:
    PropertyBinding();
    ~PropertyBinding();

    /** Runs after the value changed, and once when a tree is bound. */
    std::function<void()> onChange;

    /** Follows a property of a tree (replacing an earlier binding). While the
        property is absent the value is defaultValue. Writes go through the
        undo manager when one is given. An invalid tree unbinds. */
    void bind (juce::ValueTree tree, const juce::Identifier& property, const juce::var& defaultValue = {}, juce::UndoManager* undoManager = nullptr);
    /** Stops following the tree; the last value stays as the binding's own. */
    void unbind();
    bool isBound() const;

    /** The bound tree (invalid when unbound) and property. */
    juce::ValueTree getTree() const;
    juce::Identifier getProperty() const;

    const juce::var& get() const { return value; }
    bool getBool() const { return static_cast<bool> (value); }
    int getInt() const { return static_cast<int> (value); }
    float getFloat() const { return static_cast<float> (value); }
    juce::String getText() const { return value.toString(); }

    /** Writes the value: into the tree when bound (the change notification
        then refreshes the value and runs onChange), else into the binding. */
    void set (const juce::var& newValue);

private:
    struct Link;

    void refresh();
    void releaseLink();

    juce::ReferenceCountedObjectPtr<Link> link;
    juce::var value;
    juce::var fallback;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PropertyBinding)
};
} // namespace gui
