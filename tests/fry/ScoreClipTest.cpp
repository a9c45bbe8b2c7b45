// Reading a score payload: the texts of payload errors, tick arithmetic with
// the order of events that share a tick, the limits of the file, and the
// boundaries of controller and pitch-bend commands. Random payloads are
// checked event by event against an independent reading of the rules in
// MidoReadBackTest; the cases here are the ones worth reading on failure.
#include "fry/ScoreClip.h"
#include "fry/PayloadSupport.h"

#include <gtest/gtest.h>

using namespace fry;
using frytest::json;

namespace
{
/** The clip of a payload of 4/4 bars with one staff holding the given staff bars. */
ScoreClip oneStaff (const juce::String& staffBarsJson)
{
    ScoreClip clip;
    const auto result = buildScoreClip (json (R"({"barList": [{"barNumber": 1, "length": 1024, "meter": "4/4"},
        {"barNumber": 2, "length": 1024, "meter": "4/4"}], "staffList": [{"staffBarList": )"
                                              + staffBarsJson + "}]}"),
                                        clip);
    EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
    return clip;
}

juce::String describe (const std::vector<ClipEvent>& events)
{
    static const char* const names[] = {"off", "cc", "bend", "on"};
    juce::StringArray lines;

    for (const auto& e : events)
        lines.add (juce::String (e.tick) + ":" + names[static_cast<int> (e.kind)] + ":" + juce::String (e.number) + ":" + juce::String (e.value));

    return frytest::lines (lines);
}

/** The events of bar 1 holding only these commands, all at its start. */
juce::String commandEvents (std::initializer_list<const char*> texts)
{
    juce::StringArray commands;

    for (const auto* text : texts)
        commands.add (R"({"position": 0, "text": ")" + juce::String (text) + "\"}");

    const auto clip = oneStaff (R"([{"barNumber": 1, "commandList": [)" + commands.joinIntoString (",") + "]}]");
    return clip.tracks.empty() ? juce::String ("no track") : describe (clip.tracks[0].events);
}
} // namespace

TEST (ScoreClip, PayloadErrorsCarryTheUsersTexts)
{
    const juce::String notAnObject = "Score payload is not a JSON object.", noBarList = "Score payload is missing the bar list.",
                       noBars = "Score payload contains no bars in the selection.", noStaves = "Score payload contains no staves to export.";
    const juce::String bar = R"({"barList": [{"barNumber": 1, "length": 1024, "meter": "4/4"}])";
    const std::pair<juce::var, juce::String> cases[] = {
        {juce::var(), notAnObject},
        {json ("[1, 2]"), notAnObject},
        {"text", notAnObject},
        {json (R"({"success": true})"), noBarList},
        {json (R"({"barList": {"barNumber": 1}})"), noBarList},
        {json (R"({"barList": [], "staffList": [{}]})"), noBars},
        {json (R"({"barList": [1, "two", null], "staffList": [{}]})"), noBars},
        {json (R"({"barList": []})"), noBars}, // bars are checked first
        {json (bar + "}"), noStaves},
        {json (bar + R"(, "staffList": [1, "x", [], null]})"), noStaves},
        {json (bar + R"(, "staffList": "Flute"})"), noStaves},
        {json (bar + R"(, "staffList": [{}]})"), ""}, // a staff with nothing is still a track
    };

    for (const auto& [payload, expected] : cases)
    {
        ScoreClip clip;
        EXPECT_EQ (buildScoreClip (payload, clip).getErrorMessage(), expected) << juce::JSON::toString (payload, true);
    }
}

TEST (ScoreClip, NotesSitOnTheirBarsTicksAndEndBeforeControllersBeforeNotesStart)
{
    // Two quarter notes of the same pitch back to back, a controller and a
    // bend where the second starts: without the order the second note would
    // be cut off at once by the first one's release.
    const auto clip = oneStaff (R"([
        {"barNumber": 2, "potList": [{"position": 1, "duration": 1, "noteList": [{"pitch": 50}]}]},
        {"barNumber": 1, "commandList": [{"position": 256, "text": "~C64,127"}, {"position": 256, "text": "~B0,64"}],
                         "potList": [{"position": 256, "duration": 256, "noteList": [{"pitch": 60}]},
                                     {"position": 0, "duration": 256, "noteList": [{"pitch": 60}]}]},
        {"barNumber": 9, "potList": [{"position": 0, "duration": 256, "noteList": [{"pitch": 40}]}]}])");

    ASSERT_EQ (clip.tracks.size(), 1u);
    EXPECT_EQ (describe (clip.tracks[0].events),
               frytest::lines ({"0:on:60:100", "960:off:60:0", "960:cc:64:127", "960:bend:0:8256", "960:on:60:100", "1920:off:60:0",
                                "3844:on:50:100", // bar 2 starts at 3840; 3.75 rounds to 4
                                "3848:off:50:0"}))
        << "bar 9 is not in the bar table, so its notes are left out";
    EXPECT_EQ (clip.lengthTicks, 7680);
}

TEST (ScorePayloadBarTable, AccumulatesStartTicksAndTheFirstBarOfANumberWins)
{
    ScorePayloadBarTable table;
    ASSERT_TRUE (buildScorePayloadBarTable (json (R"({"barList": [{"barNumber": 1, "length": 1024, "meter": "4/4"}, "not a bar",
        {"barNumber": 2, "length": 768, "meter": " 3 / 4 "}, {"length": 512}, {"barNumber": "3", "length": -200, "meter": "common"},
        {"barNumber": 2, "length": 256}]})"),
                                            table)
                     .wasOk());

    ASSERT_EQ (table.bars.size(), 5u) << "one entry per bar object, in payload order";
    const double starts[] = {0.0, 3840.0, 3840.0 + 2880.0, 3840.0 + 2880.0 + 1920.0, 3840.0 + 2880.0 + 1920.0};

    for (size_t i = 0; i < table.bars.size(); ++i)
        EXPECT_DOUBLE_EQ (table.bars[i].startTick, starts[i]) << "bar " << i << ": unnumbered bars take their time, negative lengths none";

    EXPECT_EQ (table.bars[1].meterNumerator * 10 + table.bars[1].meterDenominator, 34);
    EXPECT_EQ (table.bars[3].meterNumerator, 0) << "no '/' in the meter text";
    ASSERT_NE (table.find (2), nullptr);
    EXPECT_EQ (table.find (2)->length, 768);
    EXPECT_EQ (table.find (3), &table.bars[3]);
    EXPECT_EQ (table.find (4), nullptr);
    EXPECT_DOUBLE_EQ (table.getEndTick(), starts[4] + 960.0);
}

TEST (ScoreClip, TicksRoundAndStayWithinWhatTheFileCanHold)
{
    ScoreClip clip;
    ASSERT_TRUE (buildScoreClip (json (R"({"barList": [{"barNumber": 1, "length": 2000000000}, {"barNumber": 2, "length": 1024}],
        "staffList": [{"staffBarList": [
            {"barNumber": 1, "potList": [{"position": -5000, "duration": 1, "noteList": [{"pitch": 60}]}]},
            {"barNumber": 2, "potList": [{"position": 0, "duration": 2000000000, "noteList": [{"pitch": 61}]}],
             "commandList": [{"position": 9, "text": "~C1,1"}]}]}]})"),
                                 clip)
                     .wasOk());

    const auto& events = clip.tracks[0].events;
    ASSERT_EQ (events.size(), 5u);
    EXPECT_EQ (describe ({events[0]}), "0:on:60:100") << "a negative position clamps to the start";

    for (size_t i = 1; i < events.size(); ++i)
        EXPECT_LE (events[i - 1].tick, events[i].tick);

    EXPECT_EQ (events.back().tick, maxClipTick);
    EXPECT_EQ (clip.lengthTicks, maxClipTick);

    const std::pair<double, juce::int64> ticks[] = {{3.75, 4}, {2.5, 3}, {-10.0, 0}, {std::nan (""), 0}, {1e300, maxClipTick}, {static_cast<double> (maxClipTick) + 0.4, maxClipTick}};

    for (const auto& [in, out] : ticks)
        EXPECT_EQ (toClipTick (in), out) << in;
}

TEST (ScoreClip, ControllersAreClampedOrDroppedAndPitchBendsWidened)
{
    EXPECT_EQ (commandEvents ({"~C7,140", "~C7,100", "~C7,-3", "~-C11,64", "C0,0", "~C127,127"}),
               frytest::lines ({"0:cc:7:127", "0:cc:7:100", "0:cc:7:0", "0:cc:11:64", "0:cc:0:0", "0:cc:127:127"}));

    // Controller numbers beyond 0..127, texts without a comma or a number,
    // and commands that are neither controllers nor bends write nothing.
    EXPECT_EQ (commandEvents ({"~C130,10", "~C-1,10", "~C7", "~Cx,10", "~C,10", "~C7,", "~C7,abc", "~N60,100", "", "plain text, with comma", "~B0,C"}), "");

    // Values up to 127 are widened to 14 bits; larger ones are taken as 14-bit values.
    EXPECT_EQ (commandEvents ({"~B0,64", "~B0,9000", "~B0,0", "~B0,127", "~B0,128", "~B0,20000", "~-B0,80", "~B0,-7"}),
               frytest::lines ({"0:bend:0:8256", "0:bend:0:9000", "0:bend:0:0", "0:bend:0:16383", "0:bend:0:128",
                                "0:bend:0:16383", "0:bend:0:10320", "0:bend:0:0"}));
}
