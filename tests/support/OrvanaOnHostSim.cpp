#include "support/OrvanaOnHostSim.h"
#include "support/MessagePump.h"

namespace testsupport
{
namespace
{
/** The editor window of Orvana without a window: the product only sees it open and close. */
struct WindowlessEditor final : public orv::IOrvEditorWindow
{
    void present() override {}
    void bringToFront() override {}
    void centreContent() override {}
    void scrollToActiveRegion() override {}
    void restoreViewState() override {}
};

juce::StringArray hostSimArguments (const TempSuite& suite, const juce::StringArray& extra)
{
    juce::StringArray args{"--no-presence", "--no-launch", "--suite", suite.getSuiteFolder().getFullPathName()};
    args.addArray (extra);
    return args;
}
} // namespace

void ChannelActionSender::sendAction (juce::StringRef name, WebSocketAction& action, bool withPressureLimit)
{
    if (channel != nullptr)
        channel->invokeProductAction (name, action, withPressureLimit);
}

OrvanaOnHostSim::OrvanaOnHostSim (const juce::StringArray& simArguments)
    : sim (hostSimArguments (suite, simArguments))
{
    registry.addEntry ("ORV", {}, [] (const ProductContext& context)
                       {
                           orv::Orvana::Seams seams;
                           seams.makeEditor = [] (orv::IOrvana&)
                           { return std::make_unique<WindowlessEditor>(); };
                           return std::make_unique<orv::Orvana> (context, std::move (seams)); });
    sender.channel = &channel;
    products.setComm (channel);
    product = dynamic_cast<orv::Orvana*> (products.getOrCreateProduct ("ORV"));
}

bool OrvanaOnHostSim::readOutboxUntil (const std::function<bool()>& condition, int timeoutMs)
{
    return pumpUntil ([&]
                      {
                          channel.processHostOutbox();
                          return condition(); },
                      timeoutMs);
}
} // namespace testsupport
