#pragma once

#include <juce_data_structures/juce_data_structures.h>
#include <juce_events/juce_events.h>

#include <functional>

namespace state
{
/** Turns a burst of changes into one call. Each change marks the batcher;
    the callback runs once, on the message thread, after the code that made
    the burst has returned. It can watch a tree and mark itself on the
    changes there: any property of the tree or of its descendants (or only
    the named ones), and any child added, removed or moved in the subtree.

    Destroying the batcher cancels a pending call; the callback may destroy
    the batcher. */
class ChangeBatcher final : private juce::AsyncUpdater,
                            private juce::ValueTree::Listener
{
public:
    explicit ChangeBatcher (std::function<void()> callbackToUse)
        : callback (std::move (callbackToUse))
    {
    }

    ~ChangeBatcher() override
    {
        cancelPendingUpdate();
        watched.removeListener (this);
    }

    /** Watches a tree (replacing an earlier one); with properties named,
        changes of other properties do not count. */
    void watch (juce::ValueTree tree, juce::Array<juce::Identifier> properties = {})
    {
        watched.removeListener (this);
        watched = std::move (tree);
        watchedProperties = std::move (properties);
        watched.addListener (this);
    }

    /** Asks for the callback. */
    void mark() { triggerAsyncUpdate(); }

    /** Runs a pending callback now (for code that needs the result at once). */
    void flush() { handleUpdateNowIfNeeded(); }

    bool isPending() const { return isUpdatePending(); }

private:
    void handleAsyncUpdate() override
    {
        if (callback)
            callback();
    }

    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier& property) override
    {
        if (watchedProperties.isEmpty() || watchedProperties.contains (property))
            mark();
    }

    void valueTreeChildAdded (juce::ValueTree&, juce::ValueTree&) override { mark(); }
    void valueTreeChildRemoved (juce::ValueTree&, juce::ValueTree&, int) override { mark(); }
    void valueTreeChildOrderChanged (juce::ValueTree&, int, int) override { mark(); }

    std::function<void()> callback;
    juce::ValueTree watched;
    juce::Array<juce::Identifier> watchedProperties;

    JUCE_DECLARE_NON_COPYABLE (ChangeBatcher)
};
} // namespace state
