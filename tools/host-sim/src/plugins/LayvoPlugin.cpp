#include "plugins/AllPlugins.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace hostsim
{
namespace
{
int lastBarOf (const ScoreDocument& score)
{
    return score.bars.empty() ? 0 : score.bars.back().number;
}

/** The layout the simulator shows: the score's own, else pages of four-bar systems. */
std::vector<Page> currentLayout (const ScoreDocument& score)
{
    return score.layoutOrDefault (4);
}

/** {"pageCount", "pageList": [{"index", "firstBar", "barCount", "systemCount"}]}. */
juce::var layoutReply (const ScoreDocument& score)
{
    const auto pages = currentLayout (score);
    juce::Array<juce::var> list;

    for (size_t i = 0; i < pages.size(); ++i)
    {
        auto* page = new juce::DynamicObject();
        page->setProperty ("index", static_cast<int> (i));
        page->setProperty ("firstBar", pages[i].firstBar);
        page->setProperty ("barCount", pages[i].barCount);
        page->setProperty ("systemCount", pages[i].systemCount());
        list.add (juce::var (page));
    }

    auto* reply = new juce::DynamicObject();
    reply->setProperty ("pageCount", static_cast<int> (pages.size()));
    reply->setProperty ("pageList", list);
    return juce::var (reply);
}

/** "1-8 (1-4, 5-8) | 9-16 (...)": what the `layout` command answers. */
juce::String describeLayout (const std::vector<Page>& pages)
{
    juce::StringArray described;

    for (const auto& page : pages)
    {
        juce::StringArray systems;

        for (const auto& system : page.systems)
            systems.add (juce::String (system.firstBar) + "-" + juce::String (system.lastBar()));

        described.add (juce::String (page.firstBar) + "-" + juce::String (page.lastBar()) + " (" + systems.joinIntoString (", ") + ")");
    }

    return described.joinIntoString (" | ");
}

/** The page list of an applied script in the script's own form, "8a2 - 16a3". */
juce::String describeApplied (const juce::Array<juce::var>& pageList)
{
    juce::StringArray entries;

    for (const auto& page : pageList)
        entries.add (page["lastBar"].toString() + "a" + page["systemCount"].toString());

    return entries.joinIntoString (" - ");
}

int intOf (const juce::var& value, int fallback = 0)
{
    if (value.isInt() || value.isInt64() || value.isDouble())
    {
        const auto d = static_cast<double> (value);
        return std::isfinite (d) ? static_cast<int> (juce::jlimit (-1.0e9, 1.0e9, std::round (d))) : fallback;
    }

    if (value.isString() && value.toString().trim().containsOnly ("-0123456789") && value.toString().trim().isNotEmpty())
        return static_cast<int> (juce::jlimit<juce::int64> (-1000000000, 1000000000, value.toString().trim().getLargeIntValue()));

    return fallback;
}

/** A page from first to last whose systems end at the given bars (inside
    the page), the last system ending with the page. */
Page pageWithBreaks (int first, int last, const std::set<int>& systemEnds)
{
    Page page;
    page.firstBar = first;
    page.barCount = last - first + 1;
    auto start = first;

    for (const auto end : systemEnds)
    {
        if (end < start || end >= last)
            continue;

        page.systems.push_back ({start, end - start + 1});
        start = end + 1;
    }

    page.systems.push_back ({start, last - start + 1});
    return page;
}

/** The listed pages replace the layout: each ends at its "lastBar" (pages
    follow one another, so a page starts after the one before), its systems
    end where its "systemList" says; pages without bars are dropped, bars
    past the score's end are left out, and the bars after the last page form
    one more page of one system. */
std::vector<Page> layoutFromPageList (const juce::Array<juce::var>& pageList, int barCount)
{
    std::vector<Page> pages;
    auto next = 1;

    for (const auto& listed : pageList)
    {
        if (next > barCount)
            break;

        const auto last = std::min (intOf (listed["lastBar"]), barCount);

        if (last < next)
            continue;

        std::set<int> systemEnds;

        if (const auto* systems = listed["systemList"].getArray())
            for (const auto& system : *systems)
                if (intOf (system["lastBar"]) >= intOf (system["firstBar"]))
                    systemEnds.insert (intOf (system["lastBar"]));

        pages.push_back (pageWithBreaks (next, last, systemEnds));
        next = last + 1;
    }

    if (next <= barCount)
        pages.push_back (Page::withEvenSystems (next, barCount - next + 1, 1));

    return pages;
}

/** A page from first to last keeping (as far as its bars allow) a system count. */
Page resized (int first, int last, int systemCount)
{
    return Page::withEvenSystems (first, last - first + 1, std::max (1, systemCount));
}

int findPageStartingAt (const std::vector<Page>& pages, int firstBar)
{
    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i].firstBar == firstBar)
            return static_cast<int> (i);

    return -1;
}

/** Moves the break between page i and page i + 1 to follow bar `lastOfFirst`;
    false when it would leave either page without bars. */
bool moveBreak (std::vector<Page>& pages, int i, int lastOfFirst)
{
    if (i < 0 || i + 1 >= static_cast<int> (pages.size()))
        return false;

    auto& first = pages[static_cast<size_t> (i)];
    auto& second = pages[static_cast<size_t> (i) + 1];

    if (lastOfFirst < first.firstBar || lastOfFirst >= second.lastBar())
        return false;

    const auto secondLast = second.lastBar();
    first = resized (first.firstBar, lastOfFirst, first.systemCount());
    second = resized (lastOfFirst + 1, secondLast, second.systemCount());
    return true;
}

/** Applies a changed layout to the score: an undo step when it differs. */
void setLayout (HostAccess& host, std::vector<Page> pages)
{
    if (pages != currentLayout (host.score()))
        host.editScore().pages = std::move (pages);
}
} // namespace
} // namespace hostsim

HOST_SIM_PLUGIN (Layvo)
{
    using namespace hostsim;
    setup.describe ("page layout: the score's pages and systems, laid out from a layout script");

    setup.method ("init", [] (MethodCall& call)
                  { return layoutReply (call.host.score()); });

    setup.method ("applyLayoutScript", [] (MethodCall& call)
                  {
        const auto& argument = call.argument;

        if (argument.hasProperty ("error"))
        {
            call.host.showMessage ("Layvo: " + argument["error"].toString(), true);
            return layoutReply (call.host.score());
        }

        const auto* pageList = argument["pageList"].getArray();

        if (pageList == nullptr)
        {
            call.host.showMessage ("Layvo: the layout has no page list", true);
            return layoutReply (call.host.score());
        }

        setLayout (call.host, layoutFromPageList (*pageList, lastBarOf (call.host.score())));
        call.host.showMessage ("Layvo: applied " + describeApplied (*pageList), false);
        return layoutReply (call.host.score()); });

    setup.method ("setPageCount", [] (MethodCall& call)
                  {
        const auto barCount = lastBarOf (call.host.score());
        const auto count = juce::jlimit (1, std::max (1, barCount), intOf (call.argument["pageCount"], 1));
        const auto old = currentLayout (call.host.score());
        std::vector<Page> pages;
        auto next = 1;

        // Earlier pages take the extra bars; each keeps the systems of the page it replaces.
        for (int i = 0; i < count && next <= barCount; ++i)
        {
            const auto bars = barCount / count + (i < barCount % count ? 1 : 0);
            const auto systems = i < static_cast<int> (old.size()) ? old[static_cast<size_t> (i)].systemCount() : 1;
            pages.push_back (resized (next, next + bars - 1, systems));
            next += bars;
        }

        setLayout (call.host, std::move (pages));
        return layoutReply (call.host.score()); });

    setup.method ("setPageBarCount", [] (MethodCall& call)
                  {
        auto pages = currentLayout (call.host.score());
        const auto i = findPageStartingAt (pages, intOf (call.argument["pageFirstBar"]));

        if (moveBreak (pages, i, intOf (call.argument["pageLastBar"])))
            setLayout (call.host, std::move (pages));

        return layoutReply (call.host.score()); });

    setup.method ("setPageFirstBar", [] (MethodCall& call)
                  {
        const auto aux = call.argument["aux"];
        auto pages = currentLayout (call.host.score());
        const auto previous = findPageStartingAt (pages, intOf (aux["previousPageFirstBar"]));

        if (moveBreak (pages, previous, intOf (aux["newFirstBar"]) - 1))
            setLayout (call.host, std::move (pages));

        return layoutReply (call.host.score()); });

    setup.command ("layout", "layout", "the score's pages and their systems, e.g. 1-8 (1-4, 5-8) | 9-16 (9-16)", [] (PluginCommandCall& call)
                   {
        call.answer = describeLayout (currentLayout (call.host.score()));
        return true; });
}
