#pragma once

#include <juce_core/juce_core.h>

#include <functional>

class WebSocketAction;

/** What gadgets and actions are given to reach the host on behalf of a product.
    These four may also be called from a product's own worker thread. */
class IProductActionSender
{
public:
    virtual ~IProductActionSender() = default;

    virtual void sendAction (WebSocketAction& action, bool withPressureLimit) = 0;
    virtual void sendActionWithPressureLimit (WebSocketAction& action) = 0;
    virtual void sendActionConnectionRequest (std::function<void (juce::var)> onResponse) = 0;
    virtual void purgePlaybackPendingResponses() = 0;
};
