#include "gui/PropertyBinding.h"

#include <juce_events/juce_events.h>

namespace gui
{
/** The tree listener of a binding. It lives apart from the binding because
    the tree handle it listens on owns the listener list the tree is walking
    while it notifies: a binding destroyed from inside that notification (a
    control closing its own window) leaves the link alive until the
    notification has unwound. */
struct PropertyBinding::Link final : public juce::ReferenceCountedObject,
                                     private juce::ValueTree::Listener
{
    Link (PropertyBinding& ownerToUse, juce::ValueTree treeToUse, const juce::Identifier& propertyToUse, juce::UndoManager* undo)
        : owner (&ownerToUse)
        , tree (std::move (treeToUse))
        , property (propertyToUse)
        , undoManager (undo)
    {
        tree.addListener (this);
    }

    ~Link() override
    {
        tree.removeListener (this);
    }

    void detach()
    {
        owner = nullptr;
        tree.removeListener (this);
    }

    void valueTreePropertyChanged (juce::ValueTree& changed, const juce::Identifier& changedProperty) override
    {
        if (owner == nullptr || changedProperty != property || changed != tree)
            return;

        ++notifying;
        owner->refresh();
        --notifying;
    }

    PropertyBinding* owner;
    juce::ValueTree tree;
    juce::Identifier property;
    juce::UndoManager* undoManager;
    int notifying = 0;
};

PropertyBinding::PropertyBinding() = default;

PropertyBinding::~PropertyBinding()
{
    releaseLink();
}

void PropertyBinding::bind (juce::ValueTree tree, const juce::Identifier& property, const juce::var& defaultValue, juce::UndoManager* undoManager)
{
    releaseLink();

    if (!tree.isValid() || !property.isValid())
        return;

    fallback = defaultValue;
    link = new Link (*this, std::move (tree), property, undoManager);
    refresh();
}

void PropertyBinding::unbind()
{
    releaseLink();
}

bool PropertyBinding::isBound() const
{
    return link != nullptr;
}

juce::ValueTree PropertyBinding::getTree() const
{
    return link != nullptr ? link->tree : juce::ValueTree();
}

juce::Identifier PropertyBinding::getProperty() const
{
    return link != nullptr ? link->property : juce::Identifier();
}

void PropertyBinding::set (const juce::var& newValue)
{
    if (link != nullptr)
    {
        // The tree's notification refreshes the value and runs onChange.
        link->tree.setProperty (link->property, newValue, link->undoManager);
        return;
    }

    if (value == newValue && value.hasSameTypeAs (newValue))
        return;

    value = newValue;

    if (onChange)
        onChange();
}

void PropertyBinding::refresh()
{
    value = link->tree.getProperty (link->property, fallback);

    // Last: the callback may destroy this binding.
    if (onChange)
        onChange();
}

void PropertyBinding::releaseLink()
{
    if (link == nullptr)
        return;

    link->detach();

    // Destroyed from inside the link's own notification: keep the link (and
    // the listener list being walked) alive until that call has returned.
    if (link->notifying > 0)
        juce::MessageManager::callAsync ([keep = link] {});

    link = nullptr;
}
} // namespace gui
