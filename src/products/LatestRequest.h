#pragma once

#include "engine/comm/IProductActionSender.h"
#include "engine/comm/WebSocketAction.h"

#include <juce_core/juce_core.h>

#include <functional>

/** Sends a product's requests of one kind so that only the reply to the
    latest one counts, and tells while one is outstanding (what a busy lamp
    shows). A later send or a cancel makes an earlier reply stale: it is
    ignored when it comes. Destroying the object ignores every reply still
    to come. */
class LatestRequest final
{
public:
    explicit LatestRequest (IProductActionSender& sender);
    ~LatestRequest();

    /** Runs when a request starts or stops being outstanding. */
    std::function<void (bool busy)> onBusyChanged;

    /** Sends the action through the product; its reply reaches onReply, on
        the message thread, unless a later send or a cancel came first. The
        request stays outstanding until then: a reply that never comes keeps
        it busy until the next send or a cancel. */
    void send (WebSocketAction& action, std::function<void (const juce::var& reply)> onReply, bool withPressureLimit = false);

    /** Forgets the outstanding request: its reply will be ignored. */
    void cancel();

    bool isBusy() const { return busy; }

private:
    void setBusy (bool nowBusy);

    IProductActionSender& sender;
    int latest = 0;
    bool busy = false;

    JUCE_DECLARE_WEAK_REFERENCEABLE (LatestRequest)
    JUCE_DECLARE_NON_COPYABLE (LatestRequest)
};
