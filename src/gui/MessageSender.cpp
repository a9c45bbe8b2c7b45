#include "gui/MessageSender.h"

namespace gui
{
MessageSender::MessageSender() = default;
MessageSender::~MessageSender() = default;

void MessageSender::addMessageListener (MessageListener* listener)
{
    if (listener == nullptr)
        return;

    removeDeadListeners();

    for (auto& existing : listeners)
        if (existing.get() == listener)
            return;

    listeners.emplace_back (listener);
}

void MessageSender::removeMessageListener (MessageListener* listener)
{
    listeners.erase (std::remove_if (listeners.begin(), listeners.end(),
                                     [listener] (const auto& l)
                                     { return l.get() == nullptr || l.get() == listener; }),
                     listeners.end());
}

void MessageSender::sendMessage (const Message& message)
{
    // A copy: a listener may change the list while we walk it.
    const auto targets = listeners;

    for (const auto& target : targets)
    {
        if (auto* listener = target.get())
        {
            // Skip listeners removed by an earlier one during this round.
            const auto stillListed = std::any_of (listeners.begin(), listeners.end(),
                                                  [listener] (const auto& l)
                                                  { return l.get() == listener; });

            if (stillListed)
                listener->onMessage (message);
        }
    }

    removeDeadListeners();
}

int MessageSender::getNumMessageListeners() const
{
    return static_cast<int> (std::count_if (listeners.begin(), listeners.end(),
                                            [] (const auto& l)
                                            { return l.get() != nullptr; }));
}

void MessageSender::removeDeadListeners()
{
    listeners.erase (std::remove_if (listeners.begin(), listeners.end(),
                                     [] (const auto& l)
                                     { return l.get() == nullptr; }),
                     listeners.end());
}
} // namespace gui
