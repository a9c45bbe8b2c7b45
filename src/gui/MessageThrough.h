#pragma once

#include "gui/MessageSender.h"

namespace gui
{
/** A relay: every message it receives goes on to its own listeners. */
class MessageThrough : public MessageListener,
                       public MessageSender
{
public:
    void onMessage (const Message& message) override { sendMessage (message); }
};
} // namespace gui
