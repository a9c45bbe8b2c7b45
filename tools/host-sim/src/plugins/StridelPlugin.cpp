#include "plugins/AllPlugins.h"
#include "plugins/PluginReplies.h"

#include "host/HostAccess.h"
#include "music/ChordReader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace hostsim
{
namespace
{
constexpr int rootOctave = 3;
constexpr int bassOctave = 2;

bool isSize (const juce::String& suffix)
{
    return juce::StringArray{"5", "6", "6/9", "7", "maj7", "dim7", "9", "maj9", "11", "maj11", "13", "maj13"}.contains (suffix);
}

/** The reader's suffixes as this plug-in lists them: the "maj" that marks a
    plain major triad only when nothing else follows it ("Bbmaj7" is "maj7",
    "G7(b9)" is "7", "b9"), and a suspension after the chord's size
    ("F7sus4" is "7", "sus4"). */
juce::StringArray stridelSuffixes (const music::Chord& chord)
{
    auto suffixes = chord.suffixes;

    if (suffixes.size() > 1 && suffixes[0] == "maj")
        suffixes.remove (0);

    if (suffixes.size() > 1 && suffixes[0].startsWith ("sus") && isSize (suffixes[1]))
        suffixes.move (0, 1);

    return suffixes;
}

juce::var intArray (const std::vector<int>& values)
{
    juce::Array<juce::var> array;

    for (const auto value : values)
        array.add (value);

    return array;
}

/** One chord symbol of the fetch reply; nothing for a text that names no chord. */
std::optional<juce::var> chordEntry (const ChordSymbol& symbol)
{
    const auto chord = music::readChord (symbol.name);

    if (!chord || chord->isNoChord())
        return std::nullopt;

    const auto root = chord->pitches (rootOctave).front();
    const auto bass = chord->bassNote (bassOctave);
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("name", symbol.name);
    object->setProperty ("pos", symbol.position);
    object->setProperty ("chromaticRoot", root.midi());
    object->setProperty ("diatonicRoot", root.diatonic());
    object->setProperty ("chromaticBass", bass.midi());
    object->setProperty ("diatonicBass", bass.diatonic());
    object->setProperty ("pitchList", intArray (chord->midiPitches (rootOctave)));
    object->setProperty ("suffixList", juce::var (stridelSuffixes (*chord)));
    return result;
}

juce::var emptyFetchReply()
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("barList", juce::Array<juce::var>());
    object->setProperty ("staffList", juce::Array<juce::var>());
    return result;
}

/** The selected bars and the chord symbols of the selection's first staff. */
juce::var fetchReply (const ScoreDocument& score)
{
    const auto& selection = score.selection;

    if (selection.isEmpty())
        return emptyFetchReply();

    const auto staffNumber = selection.staves.front();
    juce::Array<juce::var> bars, staffBars;

    for (const auto& bar : score.bars)
    {
        if (bar.number < selection.firstBar || bar.number > selection.lastBar)
            continue;

        juce::DynamicObject* barObject = nullptr;
        bars.add (newObject (barObject));
        barObject->setProperty ("barNumber", bar.number);
        barObject->setProperty ("length", bar.length);

        juce::Array<juce::var> chords;

        for (const auto& symbol : score.chordSymbols)
            if (symbol.staff == staffNumber && symbol.bar == bar.number)
                if (auto entry = chordEntry (symbol))
                    chords.add (*entry);

        juce::DynamicObject* staffBar = nullptr;
        staffBars.add (newObject (staffBar));
        staffBar->setProperty ("barNumber", bar.number);
        staffBar->setProperty ("chordList", chords);
    }

    juce::DynamicObject* staff = nullptr;
    juce::Array<juce::var> staves;
    staves.add (newObject (staff));
    staff->setProperty ("staffNum", staffNumber);
    staff->setProperty ("staffBarList", staffBars);

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("barList", bars);
    object->setProperty ("staffList", staves);
    return result;
}

/** A whole number of the suite's argument; nothing for anything else. */
std::optional<int> wholeNumber (const juce::var& value)
{
    if (value.isInt() || value.isInt64())
    {
        const auto number = static_cast<juce::int64> (value);
        if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max())
            return static_cast<int> (number);
        return std::nullopt;
    }

    if (value.isDouble())
    {
        const auto number = static_cast<double> (value);
        if (std::isfinite (number) && number == std::floor (number) && std::abs (number) < 1.0e9)
            return static_cast<int> (number);
    }

    return std::nullopt;
}

const juce::Array<juce::var>* arrayOf (const juce::var& object, const char* key)
{
    return object.getDynamicObject() != nullptr ? object.getProperty (key, {}).getArray() : nullptr;
}

/** The note groups a staff bar of the write argument asks for: a note per
    valid entry (pitch 0..127, a duration of at least a tick, a position in
    the bar), grouped by position. Invalid entries are left out. */
std::vector<NoteGroup> noteGroupsOf (const juce::var& staffBarEntry, int barLength)
{
    std::map<int, NoteGroup> groups;

    if (const auto* notes = arrayOf (staffBarEntry, "noteList"))
    {
        for (const auto& entry : *notes)
        {
            if (entry.getDynamicObject() == nullptr)
                continue;

            const auto pitch = wholeNumber (entry.getProperty ("pitch", {}));
            const auto duration = wholeNumber (entry.getProperty ("duration", {}));
            const auto position = wholeNumber (entry.getProperty ("position", {}));

            if (!pitch || *pitch < 0 || *pitch > 127 || !duration || *duration < 1 || !position || *position < 0 || *position >= barLength)
                continue;

            auto& group = groups[*position];
            group.position = *position;
            group.duration = std::max (group.duration, *duration);

            Note note;
            note.pitch = *pitch;

            if (const auto diatonic = wholeNumber (entry.getProperty ("diatonicPitch", {})); diatonic && *diatonic >= 0 && *diatonic <= 80)
                note.diatonicPitch = *diatonic;

            group.notes.push_back (note);
        }
    }

    std::vector<NoteGroup> ordered;

    for (auto& [position, group] : groups)
        ordered.push_back (std::move (group));

    return ordered;
}

/** Replaces the notes of every staff bar the argument names on an existing
    staff and bar; returns how many staff bars were written. */
int writeNotes (HostAccess& host, const juce::var& argument)
{
    const auto* staves = arrayOf (argument.getProperty ("score", {}), "staffList");

    if (staves == nullptr)
        return 0;

    int written = 0;

    for (const auto& staffEntry : *staves)
    {
        const auto staffNumber = wholeNumber (staffEntry.getProperty ("staffNum", {}));
        const auto* staffBars = arrayOf (staffEntry, "staffBarList");

        if (!staffNumber || staffBars == nullptr || host.score().findStaff (*staffNumber) == nullptr)
            continue;

        for (const auto& staffBarEntry : *staffBars)
        {
            const auto barNumber = wholeNumber (staffBarEntry.getProperty ("barNumber", {}));
            const auto* bar = barNumber ? host.score().findBar (*barNumber) : nullptr;

            if (bar == nullptr || staffBarEntry.getDynamicObject() == nullptr)
                continue;

            auto groups = noteGroupsOf (staffBarEntry, bar->length);
            host.editScore().findStaff (*staffNumber)->getOrCreateBar (*barNumber).noteGroups = std::move (groups);
            ++written;
        }
    }

    return written;
}
} // namespace
} // namespace hostsim

HOST_SIM_PLUGIN (Stridel)
{
    using namespace hostsim;
    setup.describe ("walking bass: the selection's chord symbols, and the generated notes written back");

    setup.method ("fetch", [] (MethodCall& call)
                  { return fetchReply (call.host.score()); });

    setup.method ("write", [] (MethodCall& call)
                  {
        if (call.argument.getDynamicObject() == nullptr)
            return failureReply ("write needs {\"score\": {\"staffList\": [...]}}");

        writeNotes (call.host, call.argument);
        return successReply(); });
}
