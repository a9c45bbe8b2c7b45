// Reading a score payload: the bar table, the tick arithmetic, meters, notes,
// controller and pitch-bend commands, track names, the order of events that
// share a tick, and the texts of payload errors. Random payloads are checked
// event by event against an independent reading of the rules in
// MidoReadBackTest; the cases here are the ones worth reading on failure.
#include "fry/ScoreClip.h"
#include "fry/PayloadErrors.h"
#include "fry/PayloadSupport.h"

#include <gtest/gtest.h>

using namespace fry;
using frytest::json;

namespace
{
using Kind = ClipEvent::Kind;

/** A payload of 4/4 bars (1024 host ticks) with one staff holding the given staff bars. */
juce::var oneStaff (const juce::String& staffBarsJson, int bars = 2)
{
    juce::StringArray barList;

    for (int b = 1; b <= bars; ++b)
        barList.add (R"({"barNumber": )" + juce::String (b) + R"(, "length": 1024, "meter": "4/4"})");

    return json (R"({"success": true, "barList": [)" + barList.joinIntoString (",")
                 + R"(], "staffList": [{"header": {"fullInstrumentName": "Flute"}, "staffBarList": )" + staffBarsJson + "}]}");
}

ScoreClip build (const juce::var& payload)
{
    ScoreClip clip;
    const auto result = buildScoreClip (payload, clip);
    EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
    return clip;
}

/** The events of a one-staff payload whose bar 1 holds only these commands. */
std::vector<ClipEvent> commandEvents (std::initializer_list<const char*> texts)
{
    juce::StringArray commands;

    for (const auto* text : texts)
        commands.add (R"({"position": 0, "text": ")" + juce::String (text) + "\"}");

    const auto clip = build (oneStaff (R"([{"barNumber": 1, "commandList": [)" + commands.joinIntoString (",") + "]}]"));
    return clip.tracks.empty() ? std::vector<ClipEvent>() : clip.tracks[0].events;
}

juce::String describe (const ClipEvent& e)
{
    static const char* const names[] = {"off", "cc", "bend", "on"};
    return juce::String (e.tick) + ":" + names[static_cast<int> (e.kind)] + ":" + juce::String (e.number) + ":" + juce::String (e.value);
}

juce::String describe (const std::vector<ClipEvent>& events)
{
    juce::StringArray lines;

    for (const auto& e : events)
        lines.add (describe (e));

    return frytest::lines (lines);
}

juce::String errorOf (const juce::var& payload)
{
    ScoreClip clip;
    return buildScoreClip (payload, clip).getErrorMessage();
}
} // namespace

TEST (ScorePayloadBarTable, AccumulatesStartTicksAndReadsMeters)
{
    ScorePayloadBarTable table;
    const auto payload = json (R"({"barList": [
        {"barNumber": 1, "length": 1024, "meter": "4/4"},
        "not a bar",
        {"barNumber": 2, "length": 768, "meter": "3/4"},
        {"length": 512, "meter": "2/4"},
        {"barNumber": "3", "length": 1536.0, "meter": "6/8"},
        {"barNumber": 4, "length": -200, "meter": "common"},
        {"barNumber": 2, "length": 256, "meter": "1/4"},
        {"barNumber": 5, "length": 1024, "meter": " 5 / 8 "}]})");

    ASSERT_TRUE (buildScorePayloadBarTable (payload, table).wasOk());
    ASSERT_EQ (table.bars.size(), 7u) << "one entry per bar object, in payload order";

    EXPECT_DOUBLE_EQ (table.bars[0].startTick, 0.0);
    EXPECT_DOUBLE_EQ (table.bars[1].startTick, 3840.0) << "a 4/4 bar of 1024 host ticks spans 3840 MIDI ticks";
    EXPECT_DOUBLE_EQ (table.bars[2].startTick, 3840.0 + 2880.0);
    EXPECT_DOUBLE_EQ (table.bars[3].startTick, 3840.0 + 2880.0 + 1920.0) << "a bar without a number still takes its time";
    EXPECT_DOUBLE_EQ (table.bars[4].startTick, 3840.0 + 2880.0 + 1920.0 + 5760.0);
    EXPECT_EQ (table.bars[4].length, 0) << "a negative length counts as none";
    EXPECT_DOUBLE_EQ (table.bars[5].startTick, table.bars[4].startTick);

    EXPECT_EQ (table.bars[1].meterNumerator, 3);
    EXPECT_EQ (table.bars[1].meterDenominator, 4);
    EXPECT_EQ (table.bars[3].meterNumerator, 6);
    EXPECT_EQ (table.bars[3].meterDenominator, 8);
    EXPECT_EQ (table.bars[4].meterNumerator, 0) << "no '/' in the meter text";
    EXPECT_EQ (table.bars[4].meterDenominator, 0);
    EXPECT_EQ (table.bars[6].meterNumerator, 5);
    EXPECT_EQ (table.bars[6].meterDenominator, 8);

    ASSERT_NE (table.find (2), nullptr);
    EXPECT_EQ (table.find (2)->length, 768) << "the first bar of a number wins";
    ASSERT_NE (table.find (3), nullptr);
    EXPECT_EQ (table.find (3)->length, 1536);
    EXPECT_EQ (table.find (0), nullptr);
    EXPECT_EQ (table.find (6), nullptr);
    EXPECT_DOUBLE_EQ (table.getEndTick(), table.bars[6].startTick + 3840.0);
}

TEST (ScorePayloadBarTable, PayloadErrorsCarryTheUsersTexts)
{
    const juce::String notAnObject = "Score payload is not a JSON object.", noBars = "Score payload contains no bars in the selection.",
                       noStaves = "Score payload contains no staves to export.";
    EXPECT_EQ (errorOf (juce::var()), notAnObject);
    EXPECT_EQ (errorOf (json ("[1, 2]")), notAnObject);
    EXPECT_EQ (errorOf ("text"), notAnObject);
    EXPECT_EQ (errorOf (json (R"({"success": true})")), "Score payload is missing the bar list.");
    EXPECT_EQ (errorOf (json (R"({"barList": {"barNumber": 1}})")), "Score payload is missing the bar list.");
    EXPECT_EQ (errorOf (json (R"({"barList": [], "staffList": [{}]})")), noBars);
    EXPECT_EQ (errorOf (json (R"({"barList": [1, "two", null], "staffList": [{}]})")), noBars);
    EXPECT_EQ (errorOf (json (R"({"barList": []})")), noBars) << "bars come first";

    const juce::String bar = R"({"barList": [{"barNumber": 1, "length": 1024, "meter": "4/4"}])";
    EXPECT_EQ (errorOf (json (bar + "}")), noStaves);
    EXPECT_EQ (errorOf (json (bar + R"(, "staffList": []})")), noStaves);
    EXPECT_EQ (errorOf (json (bar + R"(, "staffList": [1, "x", [], null]})")), noStaves);
    EXPECT_EQ (errorOf (json (bar + R"(, "staffList": "Flute"})")), noStaves);
    EXPECT_EQ (errorOf (json (bar + R"(, "staffList": [{}]})")), "") << "a staff with nothing is still a track";
    EXPECT_STREQ (errors::couldNotEncode, "Could not encode MIDI file.");
}

TEST (ScoreClip, NotesStartAndEndAtTheirBarsTicks)
{
    const auto clip = build (oneStaff (R"([
        {"barNumber": 2, "potList": [{"position": 256, "duration": 512, "noteList": [{"pitch": 60}, {"pitch": 64}]}]},
        {"barNumber": 1, "potList": [{"position": 0, "duration": 256, "noteList": [{"pitch": 72}]},
                                     {"position": 1, "duration": 1, "noteList": [{"pitch": 50}]}]},
        {"barNumber": 9, "potList": [{"position": 0, "duration": 256, "noteList": [{"pitch": 40}]}]}])"));

    ASSERT_EQ (clip.tracks.size(), 1u);
    EXPECT_EQ (clip.tracks[0].name, "Flute");
    EXPECT_EQ (describe (clip.tracks[0].events),
               frytest::lines ({"0:on:72:100",
                                "4:on:50:100", // 3.75 rounds to 4
                                "8:off:50:0",  // 7.5 rounds to 8
                                "960:off:72:0",
                                "4800:on:60:100", // bar 2 starts at 3840; position 256 is a quarter note in
                                "4800:on:64:100",
                                "6720:off:60:0",
                                "6720:off:64:0"}))
        << "bar 9 is not in the bar table, so its notes are left out";
    EXPECT_EQ (clip.lengthTicks, 7680);
}

TEST (ScoreClip, AtOneTickNotesEndBeforeControllersBeforeNotesStart)
{
    // Two quarter notes of the same pitch back to back, a controller and a
    // bend where the second starts: without the order the second note would
    // be cut off at once by the first one's release.
    const auto clip = build (oneStaff (R"([{"barNumber": 1,
        "commandList": [{"position": 256, "text": "~C64,127"}, {"position": 256, "text": "~B0,64"}],
        "potList": [{"position": 256, "duration": 256, "noteList": [{"pitch": 60}]},
                    {"position": 0, "duration": 256, "noteList": [{"pitch": 60}]}]}])"));

    EXPECT_EQ (describe (clip.tracks[0].events),
               frytest::lines ({"0:on:60:100", "960:off:60:0", "960:cc:64:127", "960:bend:0:8256", "960:on:60:100", "1920:off:60:0"}));
}

TEST (ScoreClip, TicksRoundAndStayWithinWhatTheFileCanHold)
{
    const auto clip = build (json (R"({"barList": [{"barNumber": 1, "length": 2000000000}, {"barNumber": 2, "length": 1024}],
        "staffList": [{"staffBarList": [
            {"barNumber": 1, "potList": [{"position": -5000, "duration": 1, "noteList": [{"pitch": 60}]}]},
            {"barNumber": 2, "potList": [{"position": 0, "duration": 2000000000, "noteList": [{"pitch": 61}]}],
             "commandList": [{"position": 9, "text": "~C1,1"}]}]}]})"));

    ASSERT_EQ (clip.tracks[0].events.size(), 5u);

    for (const auto& e : clip.tracks[0].events)
    {
        EXPECT_GE (e.tick, 0) << describe (e);
        EXPECT_LE (e.tick, maxClipTick) << describe (e);
    }

    EXPECT_EQ (describe (clip.tracks[0].events[0]), "0:on:60:100") << "a negative position clamps to the start";
    EXPECT_EQ (clip.tracks[0].events.back().tick, maxClipTick);
    EXPECT_EQ (clip.lengthTicks, maxClipTick);

    for (size_t i = 1; i < clip.tracks[0].events.size(); ++i)
        EXPECT_LE (clip.tracks[0].events[i - 1].tick, clip.tracks[0].events[i].tick);

    EXPECT_EQ (toClipTick (3.75), 4);
    EXPECT_EQ (toClipTick (2.5), 3);
    EXPECT_EQ (toClipTick (-10.0), 0);
    EXPECT_EQ (toClipTick (std::nan ("")), 0);
    EXPECT_EQ (toClipTick (1e300), maxClipTick);
    EXPECT_EQ (toClipTick (static_cast<double> (maxClipTick) + 0.4), maxClipTick);
}

TEST (ScoreClip, ControllersAreClampedOrDroppedAndPitchBendsWidened)
{
    EXPECT_EQ (describe (commandEvents ({"~C7,140", "~C7,100", "~C7,-3", "~-C11,64", "C0,0", "~C127,127"})),
               frytest::lines ({"0:cc:7:127", "0:cc:7:100", "0:cc:7:0", "0:cc:11:64", "0:cc:0:0", "0:cc:127:127"}));

    // Controller numbers beyond 0..127, texts without a comma or a number,
    // and commands that are neither controllers nor bends write nothing.
    EXPECT_TRUE (commandEvents ({"~C130,10", "~C-1,10", "~C7", "~Cx,10", "~C,10", "~C7,", "~C7,abc", "~N60,100",
                                 "~N60,0", "", "plain text, with comma", "~B0,C"})
                     .empty());

    // Values up to 127 are widened to 14 bits; larger ones are taken as 14-bit values.
    EXPECT_EQ (describe (commandEvents ({"~B0,64", "~B0,9000", "~B0,0", "~B0,127", "~B0,128", "~B0,20000", "~-B0,80", "~B0,-7"})),
               frytest::lines ({"0:bend:0:8256", "0:bend:0:9000", "0:bend:0:0", "0:bend:0:16383", "0:bend:0:128",
                                "0:bend:0:16383", "0:bend:0:10320", "0:bend:0:0"}));
}

TEST (ScoreClip, MetersBecomeTimeSignaturesWhenTheyChange)
{
    const auto clip = build (json (R"({"barList": [
        {"barNumber": 1, "length": 768, "meter": "3/4"}, {"barNumber": 2, "length": 768, "meter": "3/4"},
        {"barNumber": 3, "length": 1024, "meter": "4/4"}, {"barNumber": 4, "length": 1024, "meter": ""},
        {"barNumber": 5, "length": 1024, "meter": "0/4"}, {"barNumber": 6, "length": 1024, "meter": "4/4"},
        {"barNumber": 7, "length": 1536, "meter": "6/8"}], "staffList": [{}]})"));

    ASSERT_EQ (clip.timeSignatures.size(), 3u) << "bars 1, 3 and 7: bars without a meter do not break a run";
    EXPECT_EQ (clip.timeSignatures[0].tick, 0);
    EXPECT_EQ (clip.timeSignatures[0].numerator, 3);
    EXPECT_EQ (clip.timeSignatures[0].denominator, 4);
    EXPECT_EQ (clip.timeSignatures[1].tick, 5760);
    EXPECT_EQ (clip.timeSignatures[1].numerator, 4);
    EXPECT_EQ (clip.timeSignatures[2].tick, 5760 + 4 * 3840);
    EXPECT_EQ (clip.timeSignatures[2].numerator, 6);
    EXPECT_EQ (clip.timeSignatures[2].denominator, 8);
}

TEST (ScoreClip, TracksAreNamedAfterTheirInstruments)
{
    const auto clip = build (json (R"({"barList": [{"barNumber": 1, "length": 1024}], "staffList": [
        {"header": {"fullInstrumentName": "  Violin I \t", "shortInstrumentName": "Vln. I"}},
        {"header": {"fullInstrumentName": "   ", "shortInstrumentName": " Vc. "}},
        "not a staff",
        {"header": {"fullInstrumentName": "", "shortInstrumentName": ""}},
        {},
        {"header": {"fullInstrumentName": null}},
        {"header": {"fullInstrumentName": 7}}]})"));

    ASSERT_EQ (clip.tracks.size(), 6u);
    EXPECT_EQ (clip.tracks[0].name, "Violin I");
    EXPECT_EQ (clip.tracks[1].name, "Vc.");
    EXPECT_EQ (clip.tracks[2].name, "Track 4") << "numbered by the staff's place in the list";
    EXPECT_EQ (clip.tracks[3].name, "Track 5");
    EXPECT_EQ (clip.tracks[4].name, "Track 6");
    EXPECT_EQ (clip.tracks[5].name, "7");
}
