// The "KV.Apply" request: its exact data for both modes and every
// sub-action, as the host plug-in reads it.
#include "kvn/KvActionApply.h"
#include "kvn/KvChoices.h"

#include <gtest/gtest.h>

using namespace kv;
using Sub = KvActionApply::SubAction;

namespace
{
juce::String dataOf (const KvState& state, Sub subAction)
{
    KvActionApply action (state, subAction);
    return action.getDataString();
}
} // namespace

TEST (KvActionApply, KeyModeSendsTheSelectedKey)
{
    KvState state;
    state.setSourceKey (Key::fromName ("Bb", Key::Type::Major));
    state.setSelectedKey (Key::fromName ("G", Key::Type::Major));
    state.setTransposeWrittenSignatures (true);

    const juce::String tail = R"("trWrittenSig": "1", "autoPlay": "0", "mode": "K", "destKeyName": "G", "destKeyType": "Major"})";
    EXPECT_EQ (dataOf (state, Sub::TransposeMusic), R"({"subAction": "TransposeMusic", )" + tail);
    EXPECT_EQ (dataOf (state, Sub::InsertSignature), R"({"subAction": "InsertSignature", )" + tail);
    EXPECT_EQ (dataOf (state, Sub::Play), R"({"subAction": "Play", )" + tail);

    state.setSelectedKey (Key::fromName ("F#", Key::Type::Minor));
    state.setKnobKeyType (Key::Type::Minor);
    state.setTransposeWrittenSignatures (false);
    state.setAutoPlay (true);
    EXPECT_EQ (dataOf (state, Sub::Play),
               R"({"subAction": "Play", "trWrittenSig": "0", "autoPlay": "1", "mode": "K", "destKeyName": "F#", "destKeyType": "Minor"})");

    KvActionApply action (state, Sub::Play);
    EXPECT_EQ (action.getType(), "KV.Apply");
    EXPECT_FALSE (action.toMessageString().containsAnyOf ("\r\n")) << "one line of the guest outbox";
}

TEST (KvActionApply, IntervalModeSendsTheIntervalInHostFormat)
{
    KvState state;
    state.setSourceKey (Key::fromName ("C", Key::Type::Major));
    state.setTransposingMode (KvState::TransposingMode::Interval);
    KvKnobOptions::chooseOption (state, 2);

    const juce::String head = R"("trWrittenSig": "0", "autoPlay": "0", "mode": "I", "itvType": "5", "itvDegree": "1")";
    EXPECT_EQ (dataOf (state, Sub::TransposeMusic), R"({"subAction": "TransposeMusic", )" + head + "}");
    EXPECT_EQ (dataOf (state, Sub::InsertSignature), R"({"subAction": "InsertSignature", )" + head + R"(, "destKeyName": "D"})");
    EXPECT_EQ (dataOf (state, Sub::Play), R"({"subAction": "Play", )" + head + "}");

    state.setSourceKey (Key::fromName ("Eb", Key::Type::Minor));
    KvKnobOptions::chooseOption (state, 12);
    KvIntervalTypes::press (state, music::Interval::Minor);
    EXPECT_EQ (dataOf (state, Sub::InsertSignature), R"({"subAction": "InsertSignature", "trWrittenSig": "0", "autoPlay": "0", )"
                                                     R"("mode": "I", "itvType": "4", "itvDegree": "-2", "destKeyName": "C"})");

    KvKnobOptions::chooseOption (state, 0);
    EXPECT_EQ (dataOf (state, Sub::TransposeMusic),
               R"({"subAction": "TransposeMusic", "trWrittenSig": "0", "autoPlay": "0", "mode": "I", "itvType": "", "itvDegree": ""})");
    EXPECT_EQ (dataOf (state, Sub::InsertSignature), R"({"subAction": "InsertSignature", "trWrittenSig": "0", "autoPlay": "0", )"
                                                     R"("mode": "I", "itvType": "", "itvDegree": "", "destKeyName": ""})");
}

TEST (KvActionApply, TheSourceTonicMovesByTheIntervalSpelledOnItsLetter)
{
    struct Case
    {
        const char* source;
        const char* interval;
        const char* expected;
    };

    const Case cases[] = {{"C", "Maj2", "D"}, {"Bb", "Maj2", "C"}, {"F#", "Min3", "A"}, {"Eb", "-Per5", "Ab"}, {"B", "Aug4", "E#"}, {"Db", "-Min2", "C"}};

    for (const auto& c : cases)
        EXPECT_EQ (KvActionApply::transposedTonicName (Key::fromName (c.source, Key::Type::Major), music::Interval::fromString (c.interval)),
                   c.expected)
            << c.source << " " << c.interval;
}
