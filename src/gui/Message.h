#pragma once

#include <juce_core/juce_core.h>

namespace gui
{
/** A message passed between widgets. Widgets derive their own message kinds
    and tell them apart by type (or by dynamic_cast). */
class Message
{
public:
    explicit Message (int messageType = 0, juce::var messagePayload = {})
        : type (messageType)
        , payload (std::move (messagePayload))
    {
    }

    virtual ~Message() = default;
    Message (const Message&) = default;
    Message& operator= (const Message&) = default;

    int getType() const { return type; }
    const juce::var& getPayload() const { return payload; }

private:
    int type;
    juce::var payload;
};
} // namespace gui
