// The page-layout product's plug-in substitute: the layout it reports, the
// page lists it applies (and the errors it shows), and the page moves.
#include "control/CommandInterpreter.h"
#include "support/SimHarness.h"

#include <gtest/gtest.h>

using namespace hostsim;

namespace
{
const juce::String plugin = "ORV_Layvo";

/** 24 bars in four pages of six bars, one system each. */
ScoreDocument twentyFourBars()
{
    ScoreDocument score;
    score.title = "Pages";

    for (int bar = 1; bar <= 24; ++bar)
        score.bars.push_back ({bar, bar, 1024, "4/4"});

    for (int first = 1; first <= 24; first += 6)
        score.pages.push_back (Page::withEvenSystems (first, 6, 1));

    return score;
}

struct LayvoPluginFixture : ::testing::Test
{
    juce::var call (const juce::String& method, const juce::String& argumentJson)
    {
        const auto outcome = sim.engine.call (plugin, method, juce::JSON::parse (argumentJson));
        EXPECT_TRUE (outcome.known) << method;
        return outcome.result;
    }

    juce::String layout()
    {
        const auto result = commands.execute ("layout");
        EXPECT_TRUE (result.ok);
        return result.message;
    }

    test::SimHarness sim{twentyFourBars(), false};
    CommandInterpreter commands{sim.host, sim.engine, sim.faults, sim.log};
};

/** The argument the suite sends for "8a2 - 16a3 - 24a2". */
const char* const threePages = R"({"pageList": [
    {"index": 0, "firstBar": 1, "lastBar": 8, "systemCount": 2, "systemList": [{"firstBar": 1, "lastBar": 4}, {"firstBar": 5, "lastBar": 8}]},
    {"index": 1, "firstBar": 9, "lastBar": 16, "systemCount": 3,
     "systemList": [{"firstBar": 9, "lastBar": 11}, {"firstBar": 12, "lastBar": 13}, {"firstBar": 14, "lastBar": 16}]},
    {"index": 2, "firstBar": 17, "lastBar": 24, "systemCount": 2, "systemList": [{"firstBar": 17, "lastBar": 20}, {"firstBar": 21, "lastBar": 24}]}]})";
} // namespace

TEST_F (LayvoPluginFixture, InitReportsThePagesAndTheirSystems)
{
    EXPECT_EQ (juce::JSON::toString (call ("init", "null"), true),
               R"({"pageCount": 4, "pageList": [{"index": 0, "firstBar": 1, "barCount": 6, "systemCount": 1}, )"
               R"({"index": 1, "firstBar": 7, "barCount": 6, "systemCount": 1}, {"index": 2, "firstBar": 13, "barCount": 6, "systemCount": 1}, )"
               R"({"index": 3, "firstBar": 19, "barCount": 6, "systemCount": 1}]})");
}

TEST_F (LayvoPluginFixture, AppliedPageListsReplaceTheLayoutForTheBarsThereAre)
{
    const struct
    {
        const char* argument;
        const char* expected;
    } cases[] = {
        {threePages, "1-8 (1-4, 5-8) | 9-16 (9-11, 12-13, 14-16) | 17-24 (17-20, 21-24)"},
        // Bars past the score's end are left out, the rest forms one more page.
        {R"({"pageList": [{"lastBar": 10, "systemList": [{"firstBar": 1, "lastBar": 5}, {"firstBar": 6, "lastBar": 10}]},
                          {"lastBar": 30, "systemList": [{"firstBar": 11, "lastBar": 20}, {"firstBar": 21, "lastBar": 30}]}]})",
         "1-10 (1-5, 6-10) | 11-24 (11-20, 21-24)"},
        {R"({"pageList": [{"lastBar": 8, "systemList": [{"firstBar": 1, "lastBar": 8}]}]})", "1-8 (1-8) | 9-24 (9-24)"},
        // Pages without bars are dropped; systems ending before they start are ignored.
        {R"({"pageList": [{"lastBar": 0, "systemList": []}, {"lastBar": 2, "systemList": [{"firstBar": 1, "lastBar": 1},
             {"firstBar": 2, "lastBar": 1}, {"firstBar": 2, "lastBar": 2}]}, {"lastBar": 1}, {"lastBar": "junk"}, 7, {"lastBar": 24}]})",
         "1-2 (1-1, 2-2) | 3-24 (3-24)"},
        {R"({"pageList": []})", "1-24 (1-24)"},
    };

    for (const auto& c : cases)
    {
        call ("applyLayoutScript", c.argument);
        EXPECT_EQ (layout(), c.expected) << c.argument;
    }

    const auto shown = sim.events ("pluginMessage");
    ASSERT_FALSE (shown.isEmpty());
    EXPECT_EQ (shown.getFirst()["text"].toString(), "Layvo: applied 8a2 - 16a3 - 24a2");
    EXPECT_FALSE (static_cast<bool> (shown.getFirst()["error"]));
}

TEST_F (LayvoPluginFixture, AScriptErrorIsShownAndChangesNothing)
{
    const auto before = layout();
    const auto reply = call ("applyLayoutScript", R"({"pageList": [{"lastBar": 8, "systemList": [{"firstBar": 1, "lastBar": 8}]}],
        "error": "Could not recognize syntax of page 2: '16'. Remember to use [Last bar]a[SystemCount]"})");
    EXPECT_EQ (layout(), before);
    EXPECT_EQ (reply["pageCount"], juce::var (4));

    const auto shown = sim.events ("pluginMessage");
    ASSERT_EQ (shown.size(), 1);
    EXPECT_EQ (shown[0]["text"].toString(), "Layvo: Could not recognize syntax of page 2: '16'. Remember to use [Last bar]a[SystemCount]");
    EXPECT_TRUE (static_cast<bool> (shown[0]["error"]));
    EXPECT_EQ (sim.host.getLastMessage().first, 1);
}

TEST_F (LayvoPluginFixture, PageMovesAndCountsAnswerTheNewLayout)
{
    call ("applyLayoutScript", threePages);

    const struct
    {
        const char* method;
        const char* argument;
        const char* expected;
    } cases[] = {
        {"setPageCount", R"({"pageCount": 4})", "1-6 (1-3, 4-6) | 7-12 (7-8, 9-10, 11-12) | 13-18 (13-15, 16-18) | 19-24 (19-24)"},
        {"setPageCount", R"({"pageCount": 5})", "1-5 (1-3, 4-5) | 6-10 (6-7, 8-9, 10-10) | 11-15 (11-13, 14-15) | 16-20 (16-20) | 21-24 (21-24)"},
        {"setPageCount", R"({"pageCount": 0})", "1-24 (1-12, 13-24)"},
        {"setPageCount", R"({"pageCount": 2})", "1-12 (1-6, 7-12) | 13-24 (13-24)"},
        {"setPageBarCount", R"({"pageFirstBar": 1, "pageLastBar": 10, "nextPageLastBar": 24})", "1-10 (1-5, 6-10) | 11-24 (11-24)"},
        {"setPageBarCount", R"({"pageFirstBar": 1, "pageLastBar": 24, "nextPageLastBar": 24})", "1-10 (1-5, 6-10) | 11-24 (11-24)"},
        {"setPageBarCount", R"({"pageFirstBar": 11, "pageLastBar": 12, "nextPageLastBar": 24})", "1-10 (1-5, 6-10) | 11-24 (11-24)"},
        {"setPageFirstBar", R"({"aux": {"newFirstBar": 4, "previousPageFirstBar": 1, "pageLastBar": 24}})", "1-3 (1-2, 3-3) | 4-24 (4-24)"},
        {"setPageFirstBar", R"({"aux": {"newFirstBar": 1, "previousPageFirstBar": 1, "pageLastBar": 24}})", "1-3 (1-2, 3-3) | 4-24 (4-24)"},
        {"setPageFirstBar", R"({"aux": {"newFirstBar": 9, "previousPageFirstBar": 2, "pageLastBar": 24}})", "1-3 (1-2, 3-3) | 4-24 (4-24)"},
    };

    for (const auto& c : cases)
    {
        const auto reply = call (c.method, c.argument);
        EXPECT_EQ (layout(), c.expected) << c.method << " " << c.argument;
        EXPECT_EQ (static_cast<int> (reply["pageCount"]), reply["pageList"].size()) << c.method << " " << c.argument;
    }
}
