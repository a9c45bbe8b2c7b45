#pragma once

#include "engine/comm/web-socket/HostConnectionProblem.h"

#include <juce_core/juce_core.h>

namespace comm
{
/** The text that tells the user of a connection problem. */
juce::String getAlertText (HostConnectionProblem problem);
} // namespace comm
