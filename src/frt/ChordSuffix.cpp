#include "frt/ChordSuffix.h"

#include <algorithm>

namespace frt
{
namespace
{
/** The host strings in id order, id 1 first. */
const char* const hostStrings[ChordSuffix::count] = {"maj", "m", "dim", "aug", "5", "7", "maj7", "min7", "dim7", "halfdim", "9",
                                                     "maj9", "dim9", "11", "maj11", "dim11", "13", "maj13", "dim13", "b5", "#5",
                                                     "b6", "6", "b9", "#9", "#4", "#11", "b13", "add2", "add4", "add9", "add13",
                                                     "6/9", "add6/9", "sus2", "sus4", "sus9", "sus2/4", "omit3", "omit5", "alt",
                                                     "nc", "/"};

const std::vector<std::pair<juce::String, ChordSuffix::Id>>& spellings()
{
    static const auto table = []
    {
        std::vector<std::pair<juce::String, ChordSuffix::Id>> all;

        for (int id = 1; id <= ChordSuffix::count; ++id)
            all.emplace_back (hostStrings[id - 1], static_cast<ChordSuffix::Id> (id));

        all.emplace_back ("minor", ChordSuffix::m);
        all.emplace_back ("min", ChordSuffix::m);
        all.emplace_back ("m7", ChordSuffix::min7);
        return all;
    }();

    return table;
}
} // namespace

juce::String ChordSuffix::toSibeliusString (Id id)
{
    return id >= 1 && id <= count ? juce::String (hostStrings[id - 1]) : juce::String();
}

std::optional<ChordSuffix::Id> ChordSuffix::fromSibeliusString (const juce::String& text)
{
    for (const auto& [spelling, id] : spellings())
        if (spelling == text)
            return id;

    return std::nullopt;
}

const std::vector<std::pair<juce::String, ChordSuffix::Id>>& ChordSuffix::allSibeliusTokenStringsLongestFirst()
{
    static const auto sorted = []
    {
        auto all = spellings();
        std::stable_sort (all.begin(), all.end(), [] (const auto& a, const auto& b)
                          { return a.first.length() > b.first.length(); });
        return all;
    }();

    return sorted;
}

//==============================================================================
ChordSuffixList ChordSuffixList::fromChordSymbolTail (const juce::String& text)
{
    auto rest = text.trim().toLowerCase();
    ChordSuffixList list;

    for (int round = 0; round < maxRounds && rest.isNotEmpty(); ++round)
    {
        const auto& tokens = ChordSuffix::allSibeliusTokenStringsLongestFirst();
        const auto match = std::find_if (tokens.begin(), tokens.end(), [&rest] (const auto& token)
                                         { return rest.startsWith (token.first); });

        if (match != tokens.end())
        {
            list.addSuffix (match->second);
            rest = rest.substring (match->first.length());
        }
        else
        {
            rest = rest.substring (1);
        }

        rest = rest.trim();
    }

    if (list.suffixes.empty())
        list.addSuffix (ChordSuffix::maj);

    return list;
}

ChordSuffixList ChordSuffixList::fromString (const juce::String& text)
{
    ChordSuffixList list;

    // "6/9" holds no separator, so splitting on "," keeps every host string whole.
    for (const auto& token : juce::StringArray::fromTokens (text, kSeparator, {}))
        if (const auto id = ChordSuffix::fromSibeliusString (token.trim()))
            list.addSuffix (*id);

    return list;
}

juce::String ChordSuffixList::toString() const
{
    juce::StringArray texts;

    for (const auto id : suffixes)
        texts.add (ChordSuffix::toSibeliusString (id));

    return texts.joinIntoString (kSeparator);
}
} // namespace frt
