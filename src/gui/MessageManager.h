#pragma once

#include "gui/MessageSender.h"

#include <juce_events/juce_events.h>

namespace gui
{
/** The process-wide hub of widget messages: widgets that do not know each
    other subscribe here and broadcast through it. Deleted at shutdown. */
class MessageManager final : public MessageSender,
                             private juce::DeletedAtShutdown
{
public:
    MessageManager();
    ~MessageManager() override;

    JUCE_DECLARE_SINGLETON_SINGLETHREADED_MINIMAL (MessageManager)

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MessageManager)
};
} // namespace gui
