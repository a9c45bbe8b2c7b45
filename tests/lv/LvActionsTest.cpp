// The layout script turned into the page list sent to the host: the edge
// cases as a table, the system split against an independent reference in
// single precision, and random scripts of digits, letters and junk.
#include "lv/LvActions.h"
#include "support/Subprocess.h"

#include <gtest/gtest.h>

using lv::LvActions;
using Apply = LvActions::ApplyLayoutScript;

namespace
{
const juce::File referenceScript = juce::File (ORVANA_TEST_SOURCE_DIR).getChildFile ("tests/lv/system_list_reference.py");

juce::String describeSystems (const juce::Array<juce::var>& systems)
{
    juce::StringArray parts;

    for (const auto& s : systems)
        parts.add (s["firstBar"].toString() + "-" + s["lastBar"].toString());

    return parts.joinIntoString (",");
}

/** "index:firstBar-lastBar/systemCount[systems]" per page, then "! error". */
juce::String describe (const juce::var& result)
{
    juce::StringArray parts;

    if (const auto* pages = result["pageList"].getArray())
        for (const auto& p : *pages)
            parts.add (p["index"].toString() + ":" + p["firstBar"].toString() + "-" + p["lastBar"].toString() + "/"
                       + p["systemCount"].toString() + "[" + describeSystems (*p["systemList"].getArray()) + "]");
    else
        parts.add ("no pageList");

    if (result.hasProperty ("error"))
        parts.add ("! " + result["error"].toString());

    return parts.joinIntoString (" ");
}

juce::String errorFor (int page, const char* entry)
{
    return "! Could not recognize syntax of page " + juce::String (page) + ": '" + entry + "'. Remember to use [Last bar]a[SystemCount]";
}
} // namespace

TEST (LayoutScript, ScriptsBecomePageListsAsTheTableSays)
{
    const struct
    {
        const char* script;
        juce::String expected;
    } cases[] = {
        {"", ""},
        {" \n - \r\n", ""},
        {"8a2 - 16a3", "0:1-8/2[1-4,5-8] 1:9-16/3[9-11,12-13,14-16]"},
        {"8a2\n16a3", "0:1-8/2[1-4,5-8] 1:9-16/3[9-11,12-13,14-16]"},
        {"  8a2\r\n\r\n16a3  -", "0:1-8/2[1-4,5-8] 1:9-16/3[9-11,12-13,14-16]"},
        {"10a3", "0:1-10/3[1-3,4-7,8-10]"},
        {"8a2 - 16", "0:1-8/2[1-4,5-8] " + errorFor (2, "16")},
        {"8a2a1 - 16a1", errorFor (1, "8a2a1")},
        {"4a1 - x - 9a1", "0:1-4/1[1-4] " + errorFor (2, "x")},
        {"a3", "0:1-0/3[]"},
        {"a3 - 4a1", "0:1-0/3[] 1:1-4/1[1-4]"},
        {"2a3", "0:1-2/3[1-1,2-1,2-2]"},
        {"6a0", "0:1-6/0[1-6]"},
        {"6a", "0:1-6/0[1-6]"},
        {"6a 2 junk", "0:1-6/2[1-3,4-6]"},
        {"8a2 - 5a1", "0:1-8/2[1-4,5-8] 1:9-5/1[]"},
        {"100000a1", "0:1-100000/1[1-100000]"},
        {"100001a1", errorFor (1, "100001a1")},
        {"99999999999999999999a1", errorFor (1, "99999999999999999999a1")},
        {"8a2 - 9a1001", "0:1-8/2[1-4,5-8] " + errorFor (2, "9a1001")},
        {"8A2", errorFor (1, "8A2")},
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (describe (Apply::layoutScriptToVar (c.script)), c.expected) << "script '" << c.script << "'";
    }
}

TEST (LayoutScript, SystemSplitMatchesASinglePrecisionReference)
{
    testsupport::Subprocess python ({"/usr/bin/python3", referenceScript.getFullPathName(), "20241206", "100000"});
    ASSERT_EQ (python.waitForExit (180000), 0) << python.getStderr();

    const auto lines = juce::StringArray::fromLines (python.getStdout().trim());
    ASSERT_EQ (lines.size(), 100000);
    int mismatches = 0;

    for (const auto& line : lines)
    {
        const auto numbers = juce::StringArray::fromTokens (line, " ", "");
        ASSERT_EQ (numbers.size(), 5) << line;
        const auto systems = Apply::createSystemList (numbers[0].getIntValue(), numbers[1].getIntValue(), numbers[2].getIntValue());

        juce::int64 hash = 0;

        for (const auto& s : systems)
            hash = (hash * 1000003 + (static_cast<int> (s["firstBar"]) + 7) * juce::int64 (100019) + static_cast<int> (s["lastBar"]) + 7)
                   % 2147483647;

        if (systems.size() != numbers[3].getIntValue() || hash != numbers[4].getLargeIntValue())
        {
            if (++mismatches <= 5)
                ADD_FAILURE() << "page " << line << ": got " << systems.size() << " systems " << describeSystems (systems);
        }
    }

    EXPECT_EQ (mismatches, 0);
}

namespace
{
/** What the script rules say of one entry, worked out apart from the parser. */
struct ExpectedEntry
{
    bool valid = false;
    int lastBar = 0;
};

/** Skips blanks, then reads digits; "huge" beyond the limit. */
std::pair<juce::int64, bool> leadingNumber (const juce::String& piece)
{
    auto p = piece.getCharPointer();

    while (*p == ' ' || *p == '\t')
        ++p;

    juce::int64 value = 0;
    bool huge = false;

    for (; *p >= '0' && *p <= '9'; ++p)
    {
        value = value * 10 + (*p - '0');

        if (value > 1000000)
        {
            huge = true;
            value = 1000000;
        }
    }

    return {value, huge};
}

ExpectedEntry expectEntry (const juce::String& entry)
{
    const auto split = entry.indexOfChar ('a');

    if (split < 0 || entry.indexOfChar (split + 1, 'a') >= 0)
        return {};

    const auto [lastBar, hugeBar] = leadingNumber (entry.substring (0, split));
    const auto [systems, hugeSystems] = leadingNumber (entry.substring (split + 1));

    if (hugeBar || hugeSystems || lastBar > Apply::maxLastBar || systems > Apply::maxSystemCount)
        return {};

    return {true, static_cast<int> (lastBar)};
}

juce::String randomScript (juce::Random& random)
{
    static const char* const tokens[] = {"a", "a", "a", "-", "-", "\n", "\r\n", " ", " ", "x", "A", "\t", "#", ".", "\xc3\xa9", "0"};
    juce::String script;
    const auto length = random.nextInt (40);

    for (int i = 0; i < length; ++i)
    {
        const auto pick = random.nextInt (10);

        if (pick < 4)
            script << juce::String (random.nextInt (pick == 0 ? 1000 : 200));
        else if (pick == 4 && random.nextInt (8) == 0)
            script << "98765432109876543210"; // beyond every integer type
        else if (pick == 5)
            script << juce::String (100000 + random.nextInt (3) - 1) << "a" << juce::String (999 + random.nextInt (3));
        else
            script << juce::String::fromUTF8 (tokens[random.nextInt (juce::numElementsInArray (tokens))]);
    }

    return script;
}
} // namespace

TEST (LayoutScript, RandomScriptsSplitByTheRulesAndNeverHang)
{
    juce::Random random (33);

    for (int round = 0; round < 4000; ++round)
    {
        const auto script = randomScript (random);
        const auto result = Apply::layoutScriptToVar (script);
        const auto* pages = result["pageList"].getArray();
        ASSERT_NE (pages, nullptr) << script;

        // The entries as the rules say: split at "-" and line breaks, trimmed, empty ones dropped.
        juce::StringArray entries;

        for (const auto& piece : juce::StringArray::fromTokens (script.replaceCharacters ("\r\n", "--"), "-", ""))
            if (piece.trim().isNotEmpty())
                entries.add (piece.trim());

        int expectedPages = 0;
        juce::String expectedError;
        std::vector<int> lastBars;

        for (const auto& entry : entries)
        {
            const auto expected = expectEntry (entry);

            if (!expected.valid)
            {
                expectedError = "Could not recognize syntax of page " + juce::String (expectedPages + 1) + ": '" + entry
                                + "'. Remember to use [Last bar]a[SystemCount]";
                break;
            }

            lastBars.push_back (expected.lastBar);
            ++expectedPages;
        }

        ASSERT_EQ (pages->size(), expectedPages) << script;
        EXPECT_EQ (result["error"].toString(), expectedError) << script;
        EXPECT_EQ (result.hasProperty ("error"), expectedError.isNotEmpty()) << script;

        int firstBar = 1;

        for (int i = 0; i < pages->size(); ++i)
        {
            const auto& page = pages->getReference (i);
            EXPECT_EQ (static_cast<int> (page["index"]), i);
            EXPECT_EQ (static_cast<int> (page["firstBar"]), firstBar) << script;
            EXPECT_EQ (static_cast<int> (page["lastBar"]), lastBars[static_cast<size_t> (i)]) << script;

            // The systems cover the page, at most one per system asked for.
            const auto* systems = page["systemList"].getArray();
            ASSERT_NE (systems, nullptr);
            EXPECT_LE (systems->size(), juce::jmax (1, static_cast<int> (page["systemCount"])));

            if (lastBars[static_cast<size_t> (i)] >= firstBar)
            {
                ASSERT_FALSE (systems->isEmpty()) << script;
                EXPECT_EQ (static_cast<int> (systems->getFirst()["firstBar"]), firstBar);
                EXPECT_EQ (static_cast<int> (systems->getLast()["lastBar"]), lastBars[static_cast<size_t> (i)]);
            }
            else
            {
                EXPECT_TRUE (systems->isEmpty()) << script;
            }

            firstBar = lastBars[static_cast<size_t> (i)] + 1;
        }
    }
}
