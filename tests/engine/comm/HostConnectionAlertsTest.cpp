// The WebSocket session only reports connection problems; the channel hands
// them to the side that owns the user interface.
#include "engine/comm/Comm.h"
#include "engine/comm/IProductMessageHandler.h"
#include "support/MessagePump.h"
#include "support/ScriptedHostServer.h"
#include "support/TempSuite.h"

#include "support/ProductStandIns.h"

#include <gtest/gtest.h>

using comm::HostConnectionProblem;
using testsupport::pumpUntil;
using testsupport::ScriptedHostServer;

namespace
{
} // namespace

TEST (HostConnectionAlerts, TheChannelReportsARefusedAndALostConnection)
{
    testsupport::TempSuite suite;
    AppState appState (suite.getPaths());
    testsupport::NoProducts products;
    auto reported = std::make_shared<std::vector<HostConnectionProblem>>();
    const auto report = [reported] (HostConnectionProblem problem)
    { reported->push_back (problem); };

    {
        comm::Comm channel (appState, products, suite.getPaths(), ScriptedHostServer::findRefusingPort(), report);
        channel.invokeHostScriptConnectionRequest ([] (juce::var) {});
        ASSERT_TRUE (pumpUntil ([&]
                                { return reported->size() == 1; },
                                10000));
    }

    // A host that grants no token, then resets the connection.
    ScriptedHostServer host;
    host.setIntroReply (ScriptedHostServer::Reply{"{}"});
    host.setResponder (ScriptedHostServer::echoResponder());
    comm::Comm channel (appState, products, suite.getPaths(), host.getPort(), report);

    auto answered = std::make_shared<bool> (false);
    channel.invokeHostScriptPluginViaWebSocket (
        "ORV_Test", "echo", 1, [answered] (juce::var)
        { *answered = true; },
        false);
    ASSERT_TRUE (pumpUntil ([&]
                            { return *answered; },
                            10000));

    host.resetConnections();
    ASSERT_TRUE (pumpUntil ([&]
                            { return reported->size() == 2; },
                            10000));
    EXPECT_EQ (*reported, (std::vector<HostConnectionProblem>{HostConnectionProblem::refused, HostConnectionProblem::lost}));
}
