// The WebSocket session only reports connection problems; the channel hands
// them to the side that owns the user interface, with the words to show.
#include "engine/comm/HostConnectionAlerts.h"
#include "engine/comm/Comm.h"
#include "engine/comm/IProductMessageHandler.h"
#include "support/MessagePump.h"
#include "support/ScriptedHostServer.h"
#include "support/TempSuite.h"

#include <gtest/gtest.h>

using testsupport::pumpUntil;
using testsupport::ScriptedHostServer;

namespace
{
struct NoProducts final : public IProductMessageHandler
{
    void processHostMessageStr (juce::String, juce::String, juce::String) override {}
};
} // namespace

TEST (HostConnectionAlerts, TheChannelShowsARefusedAndALostConnectionWithTheirTexts)
{
    testsupport::TempSuite suite;
    AppState appState (suite.getPaths());
    NoProducts products;
    auto shown = std::make_shared<juce::StringArray>();
    const auto show = [shown] (comm::HostConnectionProblem problem)
    { shown->add (comm::getAlertText (problem)); };

    {
        comm::Comm channel (appState, products, suite.getPaths(), ScriptedHostServer::findRefusingPort(), show);
        channel.invokeHostScriptConnectionRequest ([] (juce::var) {});
        ASSERT_TRUE (pumpUntil ([&]
                                { return shown->size() == 1; },
                                10000));
    }

    EXPECT_EQ (shown->getReference (0), "Could not establish connection with Sibelius.\n\n"
                                        "Please make sure that the Sibelius Connect feature is enabled:\n\n"
                                        "1. Go to File > Preferences > Input Devices\n"
                                        "2. Under 'Sibelius Connect', tick the checkbox and set the Network port to 1898.");

    // A host that grants no token, then resets the connection.
    ScriptedHostServer host;
    host.setIntroReply (ScriptedHostServer::Reply{"{}"});
    host.setResponder (ScriptedHostServer::echoResponder());
    comm::Comm channel (appState, products, suite.getPaths(), host.getPort(), show);

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
                            { return shown->size() == 2; },
                            10000));
    EXPECT_EQ (shown->getReference (1), "Could not stablish connection with Sibelius. Please retry.");
}
