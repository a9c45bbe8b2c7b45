#include "control/SelectionSpec.h"

#include <algorithm>

namespace hostsim
{
namespace
{
bool parseNumber (const juce::String& text, int& out)
{
    if (text.isEmpty() || text.length() > 9 || !text.containsOnly ("0123456789"))
        return false;

    out = text.getIntValue();
    return true;
}

/** "7" or "3-8": inclusive bounds. */
bool parseRange (const juce::String& text, int& first, int& last)
{
    if (text.containsChar ('-'))
        return parseNumber (text.upToFirstOccurrenceOf ("-", false, false), first)
               && parseNumber (text.fromFirstOccurrenceOf ("-", false, false), last) && first <= last;

    if (!parseNumber (text, first))
        return false;

    last = first;
    return true;
}
} // namespace

juce::Result parseSelection (const juce::StringArray& words, const ScoreDocument& score, Selection& out)
{
    if (words.isEmpty() || words.size() > 2)
        return juce::Result::fail ("select needs bars and, optionally, staves: select 3-6 1,2 (or select all, select none)");

    if (words[0] == "none" && words.size() == 1)
    {
        out = {};
        return juce::Result::ok();
    }

    if (score.bars.empty() || score.staves.empty())
        return juce::Result::fail ("the score has no bars or no staves to select");

    Selection selection;

    if (words[0] == "all")
    {
        selection.firstBar = score.bars.front().number;
        selection.lastBar = score.bars.back().number;
    }
    else if (!parseRange (words[0], selection.firstBar, selection.lastBar))
    {
        return juce::Result::fail ("bad bar range: " + words[0] + " (write 5 or 3-8)");
    }

    for (const auto bar : {selection.firstBar, selection.lastBar})
        if (score.findBar (bar) == nullptr)
            return juce::Result::fail ("the score has no bar " + juce::String (bar));

    if (words.size() < 2 || words[1] == "all")
    {
        selection.staves = score.staffNumbers();
    }
    else
    {
        for (const auto& item : juce::StringArray::fromTokens (words[1], ",", ""))
        {
            int first = 0;
            int last = 0;

            if (!parseRange (item.trim(), first, last) || last - first > 100000)
                return juce::Result::fail ("bad staff list: " + words[1] + " (write 2 or 1,3-5)");

            for (int staff = first; staff <= last; ++staff)
            {
                if (score.findStaff (staff) == nullptr)
                    return juce::Result::fail ("the score has no staff " + juce::String (staff));

                selection.staves.push_back (staff);
            }
        }
    }

    std::sort (selection.staves.begin(), selection.staves.end());
    selection.staves.erase (std::unique (selection.staves.begin(), selection.staves.end()), selection.staves.end());
    out = selection;
    return juce::Result::ok();
}
} // namespace hostsim
