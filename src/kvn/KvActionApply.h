#pragma once

#include "engine/comm/Action.h"
#include "kvn/KvState.h"

namespace kv
{
/** Keyvane's request to its host plug-in, sent over the file channel as
    "KV.Apply|" + one line of JSON built from the state as it is when the
    request is made. */
class KvActionApply final : public Action
{
public:
    enum class SubAction
    {
        TransposeMusic = 0,
        InsertSignature = 1,
        Play = 2
    };

    KvActionApply (const KvState& state, SubAction subAction);

    juce::String getType() override { return "KV.Apply"; }

    /** {"subAction", "trWrittenSig", "autoPlay", then in Key mode "mode": "K",
        "destKeyName", "destKeyType"; in Interval mode "mode": "I", "itvType"
        (host format) and "itvDegree" (zero-based, signed), both empty
        without an interval, and for InsertSignature "destKeyName" (the
        source tonic moved by the interval; empty without one)}. */
    juce::String getDataString() override;

    static juce::String subActionToText (SubAction subAction);

    /** The tonic name of the source key moved by an interval: C up a major second gives "D". */
    static juce::String transposedTonicName (const Key& source, const music::Interval& interval);

private:
    KvState state;
    SubAction subAction;
};
} // namespace kv
