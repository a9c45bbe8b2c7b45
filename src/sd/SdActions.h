#pragma once

#include "engine/comm/WebSocketAction.h"
#include "sd/SdScore.h"

namespace sd
{
/** Asks Stridel's host plug-in for the selection's bars and the chord
    symbols of its first staff; no argument. */
class SdActionFetch final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "fetch"; }
};

/** Hands the generated notes to the host plug-in, which replaces the notes
    of each staff bar it is given. */
class SdActionWrite final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "write"; }

    /** {"score": {"staffList": [{"staffNum", "staffBarList": [{"barNumber",
        "noteList": [{"position", "duration", "pitch", "diatonicPitch",
        "info"}]}]}]}}: every staff bar holding notes, of every staff that
        holds any. A note without a spelling carries no "diatonicPitch" and
        no "info". */
    void buildAndSetArgFromScore (const Score& score);
};
} // namespace sd
