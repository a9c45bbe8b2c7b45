// The host's layout reply read into the state, every way it can be wrong,
// and the state's pages written back as a layout script.
#include "lv/LvStateLoader.h"

#include <gtest/gtest.h>

using lv::LvState;
using lv::LvStateLoader;

namespace
{
/** "pageCount|index:firstBar+barCount/systemCount ..." */
juce::String describe (const LvState& state)
{
    juce::String text = state.getPageCount().has_value() ? juce::String (*state.getPageCount()) : "none";
    text << "|";
    const auto pages = state.getPageList();

    for (int i = 0; i < pages.size(); ++i)
    {
        const auto p = pages.getPage (i);
        text << (i > 0 ? " " : "") << p.getIndex() << ":" << p.getFirstBar() << "+" << p.getBarCount() << "/" << p.getSystemCount();
    }

    return text;
}

/** Records "loading" whenever a page is added. */
struct LoadingWatch final : juce::ValueTree::Listener
{
    void valueTreeChildAdded (juce::ValueTree& parent, juce::ValueTree&) override
    {
        loadingWhileAdding.add (parent.getProperty (LvState::PageList::loading));
    }

    juce::Array<juce::var> loadingWhileAdding;
};
} // namespace

TEST (LvStateLoader, RepliesLoadOrLeaveTheStateAsTheTableSays)
{
    const juce::String before = "2|0:1+4/1 1:5+4/2";
    const struct
    {
        const char* reply;
        juce::String expected;
    } cases[] = {
        {"", before},
        {"[1, 2]", before},
        {"7", before},
        {"\"pageCount\"", before},
        {"{}", before},
        {R"({"pageList": [{"index": 0, "firstBar": 1, "barCount": 8, "systemCount": 2}]})", before},
        {R"({"pageCount": false, "pageList": []})", before},
        {R"({"pageCount": "lots", "pageList": []})", before},
        {R"({"pageCount": 3})", "3|"},
        {R"({"pageCount": 3, "pageList": {"index": 0}})", "3|"},
        {R"({"pageCount": 3, "pageList": "0:1+8"})", "3|"},
        {R"({"pageCount": 0, "pageList": []})", "0|"},
        {R"({"pageCount": 2.0, "pageList": [1, {"index": 0, "firstBar": 1, "barCount": 8, "systemCount": 2}, "x", null, [3],
             {"index": "1", "firstBar": 9, "barCount": 8.4}]})",
         "2|0:1+8/2 1:9+8/0"},
        {R"({"pageCount": 1, "pageList": [{}]})", "1|0:0+0/0"},
    };

    for (const auto& c : cases)
    {
        LvState state;
        state.setPageCount (2);
        state.getPageList().addPage (0, 1, 4, 1);
        state.getPageList().addPage (1, 5, 4, 2);

        LoadingWatch watch;
        state.getPageList().getTree().addListener (&watch);

        const auto reply = juce::String (c.reply).isEmpty() ? juce::var() : juce::JSON::parse (c.reply);
        const auto taken = LvStateLoader::load (state, reply);

        EXPECT_EQ (describe (state), c.expected) << c.reply;
        EXPECT_EQ (taken, c.expected != before) << c.reply;
        EXPECT_FALSE (state.getPageList().isLoading()) << c.reply;

        for (const auto& flag : watch.loadingWhileAdding)
            EXPECT_TRUE (static_cast<bool> (flag)) << "a page was added while not loading: " << c.reply;

        state.getPageList().getTree().removeListener (&watch);
    }
}

TEST (LvStateLoader, PagesBecomeTheLayoutScript)
{
    LvState state;
    EXPECT_EQ (LvStateLoader::buildLayoutScript (state), "");

    ASSERT_TRUE (LvStateLoader::load (state, juce::JSON::parse (R"({"pageCount": 3, "pageList": [
        {"index": 0, "firstBar": 1, "barCount": 8, "systemCount": 2},
        {"index": 1, "firstBar": 9, "barCount": 8, "systemCount": 3},
        {"index": 2, "firstBar": 17, "barCount": 8, "systemCount": 2}]})")));
    EXPECT_EQ (LvStateLoader::buildLayoutScript (state), "8a2 - 16a3 - 24a2");

    // A page the host reports without bars still has its entry.
    ASSERT_TRUE (LvStateLoader::load (state, juce::JSON::parse (R"({"pageCount": 1, "pageList": [{"index": 0, "firstBar": 5, "systemCount": 1}]})")));
    EXPECT_EQ (LvStateLoader::buildLayoutScript (state), "4a1");

    ASSERT_TRUE (state.getPageList().findPage (0).has_value());
    EXPECT_FALSE (state.getPageList().findPage (1).has_value());
}
