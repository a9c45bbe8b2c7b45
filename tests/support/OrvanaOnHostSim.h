#pragma once

#include "engine/comm/Comm.h"
#include "orv/Orvana.h"
#include "products/IActionSender.h"
#include "products/ProductMgr.h"
#include "products/ProductRegistry.h"
#include "state/AppState.h"
#include "support/HostSimProcess.h"
#include "support/RecordingUiServices.h"
#include "support/TempSuite.h"

#include <functional>

namespace testsupport
{
/** Forwards the products' requests to the channel, as the application does. */
struct ChannelActionSender final : public IActionSender
{
    void sendAction (juce::StringRef name, WebSocketAction& action, bool withPressureLimit) override;
    void sendActionWithPressureLimit (juce::StringRef name, WebSocketAction& action) override { sendAction (name, action, true); }
    void sendActionConnectionRequest (std::function<void (juce::var)>) override {}

    comm::Comm* channel = nullptr;
};

/** The suite's channel and product manager with Orvana alone, its editor
    without a window, against host-sim as a real process on a temporary suite
    folder ("--no-presence --no-launch --suite" and the given arguments, e.g.
    "--score" and a file): host messages are read by readOutboxUntil, never
    through launches of the suite. */
class OrvanaOnHostSim
{
public:
    explicit OrvanaOnHostSim (const juce::StringArray& simArguments);

    /** Reads the host outbox while the message loop runs, until the condition holds. */
    bool readOutboxUntil (const std::function<bool()>& condition, int timeoutMs = 20000);

    TempSuite suite;
    HostSimProcess sim;
    RecordingUiServices ui;
    ChannelActionSender sender;
    ProductRegistry registry;
    ProductMgr products{ProductContext{suite.getPaths(), ui, &sender}, registry};
    AppState appState{suite.getPaths()};
    comm::Comm channel{appState, products, suite.getPaths(), sim.getPort()};
    orv::Orvana* product = nullptr;
};
} // namespace testsupport
