#pragma once

#include "gui/Message.h"

namespace gui
{
/** Receives widget messages. Senders hold listeners by weak reference, so a
    listener may be destroyed at any time without unregistering. */
class MessageListener
{
public:
    virtual ~MessageListener() = default;

    /** Called for every message sent to this listener. */
    virtual void onMessage (const Message& message) = 0;

private:
    JUCE_DECLARE_WEAK_REFERENCEABLE (MessageListener)
};
} // namespace gui
