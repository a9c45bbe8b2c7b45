#pragma once

#include "engine/comm/WebSocketAction.h"

namespace orv::actions
{
/** Asks the host plug-in to answer at once, to prove that the plug-in key
    reaches it: no argument; the reply {"success": true} is the proof. */
class TestPluginKey final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "testPluginKey"; }
};
} // namespace orv::actions
