#pragma once

#include <juce_core/juce_core.h>

#include <functional>

class WebSocketAction;

/** Sends a product's requests to its host plug-in ("ORV_" + internal name). */
class IActionSender
{
public:
    virtual ~IActionSender() = default;

    virtual void sendAction (juce::StringRef productInternalName, WebSocketAction& action, bool withPressureLimit) = 0;
    virtual void sendActionWithPressureLimit (juce::StringRef productInternalName, WebSocketAction& action) = 0;
    virtual void sendActionConnectionRequest (std::function<void (juce::var)> onResponse) = 0;
};
