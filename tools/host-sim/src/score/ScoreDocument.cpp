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
                                      [] (const StaffBar& b, int n) { return b.bar < n; });
    return it != bars.end() && it->bar == barNumber ? &*it : nullptr;
}

StaffBar& Staff::getOrCreateBar (int barNumber)
{
    auto it = std::lower_bound (bars.begin(), bars.end(), barNumber,
                                [] (const StaffBar& b, int n) { return b.bar < n; });

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
    static const char* const majorNames[] = { "Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                              "G", "D", "A", "E", "B", "F#", "C#" };
    static const char* const minorNames[] = { "Ab", "Eb", "Bb", "F", "C", "G", "D", "A",
                                              "E", "B", "F#", "C#", "G#", "D#", "A#" };
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

bool Page::operator== (const Page& o) const
{
    return std::tie (firstBar, barCount, systemCount) == std::tie (o.firstBar, o.barCount, o.systemCount);
}

bool Selection::contains (int staff, int bar) const
{
    return ! isEmpty() && bar >= firstBar && bar <= lastBar
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
        return { 1, 0 };

    juce::int64 start = 0;

    for (const auto& b : bars)
    {
        if (tick < start + b.length)
            return { b.number, static_cast<int> (std::max<juce::int64> (0, tick - start)) };

        start += b.length;
    }

    return { bars.back().number, bars.back().length };
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

size_t ScoreDocument::countNotes() const
{
    size_t count = 0;

    for (const auto& s : staves)
        for (const auto& sb : s.bars)
            for (const auto& g : sb.noteGroups)
                count += g.notes.size();

    return count;
}

bool ScoreDocument::operator== (const ScoreDocument& o) const
{
    return std::tie (title, soundSet, bars, staves, chordSymbols, keySignatures, tempoStart, tempoMarks,
                     tempoPoints, hitPoints, parts, pages, selection, productStates)
        == std::tie (o.title, o.soundSet, o.bars, o.staves, o.chordSymbols, o.keySignatures, o.tempoStart,
                     o.tempoMarks, o.tempoPoints, o.hitPoints, o.parts, o.pages, o.selection, o.productStates);
}

std::optional<std::pair<int, int>> parseMeter (const juce::String& meter)
{
    const auto slash = meter.indexOfChar ('/');

    if (slash <= 0)
        return std::nullopt;

    const auto numText = meter.substring (0, slash).trim();
    const auto denText = meter.substring (slash + 1).trim();

    if (! numText.containsOnly ("0123456789") || ! denText.containsOnly ("0123456789")
        || numText.isEmpty() || denText.isEmpty() || numText.length() > 4 || denText.length() > 4)
        return std::nullopt;

    const auto num = numText.getIntValue();
    const auto den = denText.getIntValue();

    if (num < 1 || den < 1)
        return std::nullopt;

    return std::make_pair (num, den);
}
} // namespace hostsim
