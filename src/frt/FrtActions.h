#pragma once

#include "engine/comm/WebSocketAction.h"
#include "frt/Fingering.h"

#include <vector>

namespace frt
{
/** Asks the host plug-in to read a chord name, argument {"name": text}. */
class ActionRequestChordInfo final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "requestChordInfo"; }

    void setChordName (const juce::String& name);
};

/** The argument of "apply" and "preview": {"pitches", "fingering", "name"}. */
juce::var makeFingeringArgument (const std::vector<int>& pitches, const Fingering& fingering);

/** Has the host write the chord of the fingering and its diagram into the score. */
class ActionApply final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "apply"; }
};

/** Has the host play the fingering's pitches. */
class ActionPreview final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "preview"; }
};
} // namespace frt
