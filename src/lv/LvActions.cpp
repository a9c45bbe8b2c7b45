#include "lv/LvActions.h"
#include "lv/LvPayloadIds.h"
#include "utils/TextToInt.h"

#include <cmath>

namespace lv
{
namespace
{
using Ids = LvPayloadIds;

int roundHalfAwayFromZero (float value)
{
    return static_cast<int> (std::round (value));
}

juce::var system (int firstBar, int lastBar)
{
    auto* object = new juce::DynamicObject();
    object->setProperty (Ids::firstBar, firstBar);
    object->setProperty (Ids::lastBar, lastBar);
    return juce::var (object);
}
} // namespace

juce::String LvActions::ApplyLayoutScript::syntaxError (int counter, const juce::String& entry)
{
    return "Could not recognize syntax of page " + juce::String (counter + 1) + ": '" + entry
           + "'. Remember to use [Last bar]a[SystemCount]";
}

juce::Array<juce::var> LvActions::ApplyLayoutScript::createSystemList (int firstBar, int lastBar, int systemCount)
{
    juce::Array<juce::var> systems;

    // Bars are integers well inside float's exact range; the split itself
    // runs in single precision, so its rounding decides the breaks.
    const auto end = static_cast<float> (static_cast<int64_t> (lastBar) + 1);
    auto start = static_cast<float> (firstBar);

    if (!(start < end))
        return systems;

    const auto count = juce::jmax (systemCount, 1);
    const auto step = static_cast<float> (static_cast<int64_t> (lastBar) + 1 - firstBar) / static_cast<float> (count);

    // Accumulated steps can fall just short of the end (1 + 3 * 10/3 is
    // 10.999999), and at large bar numbers a small step adds nothing: the
    // count of systems bounds the loop and the last one ends the page.
    for (int made = 1;; ++made)
    {
        const auto next = made == count ? end : start + step;
        systems.add (system (roundHalfAwayFromZero (start), juce::jmin (roundHalfAwayFromZero (next) - 1, lastBar)));

        if (!(next < end))
            break;

        start = next;
    }

    return systems;
}

juce::var LvActions::ApplyLayoutScript::layoutScriptToVar (const juce::String& script)
{
    juce::StringArray entries;
    entries.addTokens (script, "-\r\n", "");
    entries.trim();
    entries.removeEmptyStrings();

    auto* result = new juce::DynamicObject();
    const juce::var resultVar (result);
    juce::Array<juce::var> pageList;
    int nextFirstBar = 1;
    int counter = 0;

    for (const auto& entry : entries)
    {
        juce::StringArray pieces;
        pieces.addTokens (entry, "a", "");

        const auto lastBar = pieces.size() == 2 ? utils::textToInt (pieces[0]) : 0;
        const auto systemCount = pieces.size() == 2 ? utils::textToInt (pieces[1]) : 0;

        if (pieces.size() != 2 || lastBar > maxLastBar || systemCount > maxSystemCount)
        {
            result->setProperty (Ids::error, syntaxError (counter, entry));
            break;
        }

        auto* page = new juce::DynamicObject();
        page->setProperty (Ids::index, counter);
        page->setProperty (Ids::firstBar, nextFirstBar);
        page->setProperty (Ids::lastBar, lastBar);
        page->setProperty (Ids::systemCount, systemCount);
        page->setProperty (Ids::systemList, createSystemList (nextFirstBar, lastBar, systemCount));
        pageList.add (juce::var (page));

        nextFirstBar = lastBar + 1;
        ++counter;
    }

    result->setProperty (Ids::pageList, pageList);
    return resultVar;
}
} // namespace lv
