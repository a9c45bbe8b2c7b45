#include "score/ScoreDocument.h"

#include <algorithm>
#include <tuple>

namespace hostsim
{
bool Bar::operator== (const Bar& o) const
{
    return std::tie (number, externalNumber, length, meter) == std::tie (o.number, o.externalNumber, o.length, o.meter);
}

bool Note::operator== (const Note& o) const
{
    return std::tie (pitch, diatonicPitch, playedVelocity, playedDuration, playedOffset, tuplet)
           == std::tie (o.pitch, o.diatonicPitch, o.playedVelocity, o.playedDuration, o.playedOffset, o.tuplet);
}

bool NoteGroup::operator== (const NoteGroup& o) const
{
    return std::tie (position, duration, notes) == std::tie (o.position, o.duration, o.notes);
}

bool StaffBar::operator== (const StaffBar& o) const
{
    return std::tie (bar, noteGroups, midiMessages) == std::tie (o.bar, o.noteGroups, o.midiMessages);
}

juce::String muteModeToText (MuteMode mode)
{
    switch (mode)
    {
        case MuteMode::muted:
            return "muted";
        case MuteMode::halfMuted:
            return "halfMuted";
        case MuteMode::notMuted:
            break;
    }

    return "notMuted";
}

std::optional<MuteMode> muteModeFromText (const juce::String& text)
{
    if (text == "muted")
        return MuteMode::muted;

    if (text == "halfMuted")
        return MuteMode::halfMuted;

    if (text == "notMuted")
        return MuteMode::notMuted;

    return std::nullopt;
}

const StaffBar* Staff::findBar (int barNumber) const
{
    const auto it = std::lower_bound (bars.begin(), bars.end(), barNumber,
                                      [] (const StaffBar& b, int n)
                                      { return b.bar < n; });
    return it != bars.end() && it->bar == barNumber ? &*it : nullptr;
}

StaffBar& Staff::getOrCreateBar (int barNumber)
{
    auto it = std::lower_bound (bars.begin(), bars.end(), barNumber,
                                [] (const StaffBar& b, int n)
                                { return b.bar < n; });

    if (it != bars.end() && it->bar == barNumber)
        return *it;

    StaffBar fresh;
    fresh.bar = barNumber;
    return *bars.insert (it, std::move (fresh));
}

bool Staff::operator== (const Staff& o) const
{
    return std::tie (number, fullName, shortName, styleId, mute, solo, bars)
           == std::tie (o.number, o.fullName, o.shortName, o.styleId, o.mute, o.solo, o.bars);
}

bool ChordSymbol::operator== (const ChordSymbol& o) const
{
    return std::tie (staff, bar, position, name) == std::tie (o.staff, o.bar, o.position, o.name);
}

juce::String KeySignature::getKeyName() const
{
    // Index 0 is seven flats, 7 no accidentals, 14 seven sharps.
    static const char* const majorNames[] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                             "G", "D", "A", "E", "B", "F#", "C#"};
    static const char* const minorNames[] = {"Ab", "Eb", "Bb", "F", "C", "G", "D", "A",
                                             "E", "B", "F#", "C#", "G#", "D#", "A#"};
    const auto index = static_cast<size_t> (juce::jlimit (-7, 7, fifths) + 7);
    return major ? majorNames[index] : minorNames[index];
}

bool KeySignature::operator== (const KeySignature& o) const
{
    return std::tie (bar, position, fifths, major) == std::tie (o.bar, o.position, o.fifths, o.major);
}

bool TempoMark::operator== (const TempoMark& o) const
{
    return std::tie (bar, position, bpm, label, motion, spanDuration, muted)
           == std::tie (o.bar, o.position, o.bpm, o.label, o.motion, o.spanDuration, o.muted);
}

bool TempoPoint::operator== (const TempoPoint& o) const
{
    return std::tie (bar, position, bpm, shape) == std::tie (o.bar, o.position, o.bpm, o.shape);
}

bool HitPoint::operator== (const HitPoint& o) const
{
    return std::tie (id, bar, position, timeMillis, label) == std::tie (o.id, o.bar, o.position, o.timeMillis, o.label);
}

Page Page::withEvenSystems (int first, int count, int systemCount)
{
    Page page;
    page.firstBar = first;
    page.barCount = count;
    systemCount = juce::jlimit (1, juce::jmax (1, count), systemCount);
    auto bar = first;

    for (int i = 0; i < systemCount; ++i)
    {
        const auto bars = count / systemCount + (i < count % systemCount ? 1 : 0);
        page.systems.push_back ({bar, bars});
        bar += bars;
    }

    return page;
}

juce::String Page::checkSystems() const
{
    if (systems.empty())
        return "a page needs at least one system";

    auto expected = firstBar;

    for (size_t i = 0; i < systems.size(); ++i)
    {
        if (systems[i].firstBar != expected)
            return "system " + juce::String (static_cast<int> (i) + 1) + " must start at bar " + juce::String (expected);

        if (systems[i].barCount < 1)
            return "system " + juce::String (static_cast<int> (i) + 1) + " holds no bar";

        expected += systems[i].barCount;
    }

    return expected == firstBar + barCount ? juce::String() : "the systems must end with the page's last bar " + juce::String (lastBar());
}

bool Page::operator== (const Page& o) const
{
    return std::tie (firstBar, barCount, systems) == std::tie (o.firstBar, o.barCount, o.systems);
}

bool ScoreItem::operator== (const ScoreItem& o) const
{
    // Properties are free JSON: compared by their text.
    return std::tie (id, kind, staff, bar, position, duration, text) == std::tie (o.id, o.kind, o.staff, o.bar, o.position, o.duration, o.text)
           && juce::JSON::toString (properties, true) == juce::JSON::toString (o.properties, true);
}

bool Selection::contains (int staff, int bar) const
{
    return !isEmpty() && bar >= firstBar && bar <= lastBar
           && std::binary_search (staves.begin(), staves.end(), staff);
}

juce::String Selection::describe() const
{
    if (isEmpty())
        return "nothing";

    juce::StringArray staffTexts;

    for (const auto s : staves)
        staffTexts.add (juce::String (s));

    const auto barText = firstBar == lastBar ? juce::String (firstBar)
                                             : juce::String (firstBar) + "-" + juce::String (lastBar);
    return "bars " + barText + ", staves " + staffTexts.joinIntoString (",");
}

bool Selection::operator== (const Selection& o) const
{
    if (isEmpty() || o.isEmpty())
        return isEmpty() == o.isEmpty();

    return std::tie (firstBar, lastBar, staves) == std::tie (o.firstBar, o.lastBar, o.staves);
}

const Bar* ScoreDocument::findBar (int number) const
{
    // Bars are numbered 1..n in order; the lookup does not rely on it.
    if (number >= 1 && static_cast<size_t> (number) <= bars.size() && bars[static_cast<size_t> (number - 1)].number == number)
        return &bars[static_cast<size_t> (number - 1)];

    for (const auto& b : bars)
        if (b.number == number)
            return &b;

    return nullptr;
}

const Staff* ScoreDocument::findStaff (int number) const
{
    for (const auto& s : staves)
        if (s.number == number)
            return &s;

    return nullptr;
}

Staff* ScoreDocument::findStaff (int number)
{
    for (auto& s : staves)
        if (s.number == number)
            return &s;

    return nullptr;
}

juce::int64 ScoreDocument::barStartTick (int barNumber) const
{
    juce::int64 tick = 0;

    for (const auto& b : bars)
    {
        if (b.number == barNumber)
            return tick;

        tick += b.length;
    }

    return -1;
}

juce::int64 ScoreDocument::totalTicks() const
{
    juce::int64 tick = 0;

    for (const auto& b : bars)
        tick += b.length;

    return tick;
}

std::pair<int, int> ScoreDocument::tickToBarPosition (juce::int64 tick) const
{
    if (bars.empty())
        return {1, 0};

    juce::int64 start = 0;

    for (const auto& b : bars)
    {
        if (tick < start + b.length)
            return {b.number, static_cast<int> (std::max<juce::int64> (0, tick - start))};

        start += b.length;
    }

    return {bars.back().number, bars.back().length};
}

std::vector<int> ScoreDocument::staffNumbers() const
{
    std::vector<int> numbers;
    numbers.reserve (staves.size());

    for (const auto& s : staves)
        numbers.push_back (s.number);

    return numbers;
}

const KeySignature* ScoreDocument::keyAt (int bar, int position) const
{
    const KeySignature* found = nullptr;

    for (const auto& k : keySignatures)
        if (std::make_pair (k.bar, k.position) <= std::make_pair (bar, position)
            && (found == nullptr || std::make_pair (found->bar, found->position) <= std::make_pair (k.bar, k.position)))
            found = &k;

    return found;
}

int ScoreDocument::addItem (ScoreItem item)
{
    item.id = items.empty() ? 1 : items.back().id + 1;
    items.push_back (std::move (item));
    return items.back().id;
}

const ScoreItem* ScoreDocument::findItem (int id) const
{
    const auto it = std::lower_bound (items.begin(), items.end(), id, [] (const ScoreItem& i, int n)
                                      { return i.id < n; });
    return it != items.end() && it->id == id ? &*it : nullptr;
}

ScoreItem* ScoreDocument::findItem (int id)
{
    return const_cast<ScoreItem*> (static_cast<const ScoreDocument&> (*this).findItem (id));
}

bool ScoreDocument::removeItem (int id)
{
    const auto* item = findItem (id);

    if (item == nullptr)
        return false;

    items.erase (items.begin() + (item - items.data()));
    return true;
}

std::vector<const ScoreItem*> ScoreDocument::itemsIn (const juce::String& kind, int staff, int firstBar, int lastBar) const
{
    std::vector<const ScoreItem*> found;

    for (const auto& item : items)
        if ((kind.isEmpty() || item.kind == kind) && (staff == 0 || item.staff == staff) && item.bar >= firstBar && item.bar <= lastBar)
            found.push_back (&item);

    std::stable_sort (found.begin(), found.end(), [] (const ScoreItem* a, const ScoreItem* b)
                      { return std::tie (a->bar, a->position, a->staff) < std::tie (b->bar, b->position, b->staff); });
    return found;
}

std::optional<std::pair<int, int>> ScoreDocument::systemOfBar (int bar) const
{
    for (size_t p = 0; p < pages.size(); ++p)
        for (size_t s = 0; s < pages[p].systems.size(); ++s)
            if (bar >= pages[p].systems[s].firstBar && bar <= pages[p].systems[s].lastBar())
                return std::make_pair (static_cast<int> (p), static_cast<int> (s));

    return std::nullopt;
}

std::vector<Page> ScoreDocument::layoutOrDefault (int systemsPerPage) const
{
    if (!pages.empty())
        return pages;

    constexpr int barsPerSystem = 4;
    const auto barsPerPage = barsPerSystem * juce::jmax (1, systemsPerPage);
    const auto barCount = static_cast<int> (bars.size());
    std::vector<Page> layout;

    for (int first = 1; first <= barCount; first += barsPerPage)
    {
        const auto count = std::min (barsPerPage, barCount - first + 1);
        layout.push_back (Page::withEvenSystems (first, count, (count + barsPerSystem - 1) / barsPerSystem));
    }

    return layout;
}

size_t ScoreDocument::countNotes() const
{
    size_t count = 0;

    for (const auto& s : staves)
        for (const auto& sb : s.bars)
            for (const auto& g : sb.noteGroups)
                count += g.notes.size();

    return count;
}

bool ScoreDocument::sameContent (const ScoreDocument& o) const
{
    if (pluginData.size() != o.pluginData.size())
        return false;

    for (auto a = pluginData.begin(), b = o.pluginData.begin(); a != pluginData.end(); ++a, ++b)
        if (a->first != b->first || juce::JSON::toString (a->second, true) != juce::JSON::toString (b->second, true))
            return false;

    return std::tie (title, soundSet, bars, staves, chordSymbols, keySignatures, tempoStart, tempoMarks,
                     tempoPoints, hitPoints, parts, pages, items)
           == std::tie (o.title, o.soundSet, o.bars, o.staves, o.chordSymbols, o.keySignatures, o.tempoStart,
                        o.tempoMarks, o.tempoPoints, o.hitPoints, o.parts, o.pages, o.items);
}

bool ScoreDocument::operator== (const ScoreDocument& o) const
{
    return sameContent (o) && selection == o.selection && productStates == o.productStates;
}

std::optional<std::pair<int, int>> parseMeter (const juce::String& meter)
{
    const auto slash = meter.indexOfChar ('/');

    if (slash <= 0)
        return std::nullopt;

    const auto numText = meter.substring (0, slash).trim();
    const auto denText = meter.substring (slash + 1).trim();

    if (!numText.containsOnly ("0123456789") || !denText.containsOnly ("0123456789")
        || numText.isEmpty() || denText.isEmpty() || numText.length() > 4 || denText.length() > 4)
        return std::nullopt;

    const auto num = numText.getIntValue();
    const auto den = denText.getIntValue();

    if (num < 1 || den < 1)
        return std::nullopt;

    return std::make_pair (num, den);
}
} // namespace hostsim
