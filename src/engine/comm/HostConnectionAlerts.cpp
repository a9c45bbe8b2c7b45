#include "engine/comm/HostConnectionAlerts.h"
#include "gfx/Alert.h"

namespace comm
{
juce::String getAlertText (HostConnectionProblem problem)
{
    switch (problem)
    {
        case HostConnectionProblem::refused:
            return "Could not establish connection with Sibelius.\n\n"
                   "Please make sure that the Sibelius Connect feature is enabled:\n\n"
                   "1. Go to File > Preferences > Input Devices\n"
                   "2. Under 'Sibelius Connect', tick the checkbox and set the Network port to 1898.";
        case HostConnectionProblem::lost:
            return "Could not stablish connection with Sibelius. Please retry.";
    }

    return {};
}

void showConnectionAlert (HostConnectionProblem problem)
{
    gfx::alert (getAlertText (problem), nullptr);
}
} // namespace comm
