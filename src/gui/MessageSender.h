#pragma once

#include "gui/MessageListener.h"

#include <vector>

namespace gui
{
/** Forwards each message to every live listener, in the order they were added. */
class MessageSender
{
public:
    MessageSender();
    virtual ~MessageSender();

    /** Adds a listener (held weakly); adding one twice has no effect. */
    void addMessageListener (MessageListener* listener);
    void removeMessageListener (MessageListener* listener);

    /** Sends to every listener still alive; listeners may add or remove
        listeners, or be destroyed, while it runs. */
    void sendMessage (const Message& message);

    /** Listeners still alive. */
    int getNumMessageListeners() const;

private:
    void removeDeadListeners();

    std::vector<juce::WeakReference<MessageListener>> listeners;

    JUCE_DECLARE_NON_COPYABLE (MessageSender)
};
} // namespace gui
