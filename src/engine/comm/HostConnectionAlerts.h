#pragma once

#include "engine/comm/web-socket/HostConnectionProblem.h"

#include <juce_core/juce_core.h>

namespace comm
{
/** The text that tells the user of a connection problem. */
juce::String getAlertText (HostConnectionProblem problem);

/** Tells the user of a connection problem in an alert box (while an identical
    box is open, no second one is stacked on it). Call on the message thread. */
void showConnectionAlert (HostConnectionProblem problem);
} // namespace comm
