#pragma once

#include "engine/comm/WebSocketAction.h"

namespace fry
{
/** Asks Ferrymo's host plug-in for the notes of the selection, with the
    argument {"includeAutomation": bool}. */
class ActionFetchMidi final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "fetchMidi"; }
};

/** Asks Ferrymo's host plug-in for the notes of the whole score, with the
    argument {"includeAutomation": bool}. */
class ActionFetchFullScoreMidi final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "fetchFullScoreMidi"; }
};
} // namespace fry
