#pragma once

#include "engine/comm/Comm.h"
#include "orv/OrvanaParts.h"
#include "products/IActionSender.h"

namespace testsupport
{
/** Forwards the products' requests to the channel, as the application does. */
struct ChannelActionSender final : public IActionSender
{
    void sendAction (juce::StringRef name, WebSocketAction& action, bool withPressureLimit) override
    {
        if (channel != nullptr)
            channel->invokeProductAction (name, action, withPressureLimit);
    }
    void sendActionWithPressureLimit (juce::StringRef name, WebSocketAction& action) override { sendAction (name, action, true); }
    void sendActionConnectionRequest (std::function<void (juce::var)>) override {}

    comm::Comm* channel = nullptr;
};

/** The editor window of Orvana without a window: the product only sees it open and close. */
struct WindowlessEditor final : public orv::IOrvEditorWindow
{
    void present() override {}
    void bringToFront() override {}
    void centreContent() override {}
    void scrollToActiveRegion() override {}
    void restoreViewState() override {}
};
} // namespace testsupport
