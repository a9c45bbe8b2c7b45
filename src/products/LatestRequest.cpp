#include "products/LatestRequest.h"

LatestRequest::LatestRequest (IProductActionSender& senderToUse)
    : sender (senderToUse)
{
}

LatestRequest::~LatestRequest() = default;

void LatestRequest::send (WebSocketAction& action, std::function<void (const juce::var&)> onReply, bool withPressureLimit)
{
    const auto thisRequest = ++latest;
    setBusy (true);

    action.setOnResponse ([weak = juce::WeakReference<LatestRequest> (this), thisRequest, onReply = std::move (onReply)] (juce::var reply)
                          {
                              auto* self = weak.get();

                              if (self == nullptr || self->latest != thisRequest || ! self->busy)
                                  return;

                              self->setBusy (false);

                              if (onReply)
                                  onReply (reply); });

    sender.sendAction (action, withPressureLimit);
}

void LatestRequest::cancel()
{
    ++latest;
    setBusy (false);
}

void LatestRequest::setBusy (bool nowBusy)
{
    if (busy == nowBusy)
        return;

    busy = nowBusy;

    if (onBusyChanged)
        onBusyChanged (busy);
}
