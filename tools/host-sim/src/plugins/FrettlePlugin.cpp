#include "plugins/FrettlePlugin.h"
#include "music/ChordReader.h"
#include "plugins/AllPlugins.h"
#include "plugins/PluginReplies.h"

#include <algorithm>

namespace hostsim
{
namespace
{
constexpr int guitarStrings = 6;

bool isAccidental (juce::juce_wchar c)
{
    return c == '#' || c == 'b' || c == 0x266f || c == 0x266d;
}

juce::String asciiAccidentals (const juce::String& text)
{
    return text.replace (juce::String::charToString (0x266f), "#").replace (juce::String::charToString (0x266d), "b");
}

juce::var intArray (const std::vector<int>& values)
{
    juce::Array<juce::var> list;

    for (const auto value : values)
        list.add (value);

    return list;
}

/** Whole numbers 0..127 of an array; anything else is left out. */
std::vector<int> pitchesOf (const juce::var& list)
{
    std::vector<int> pitches;

    if (const auto* array = list.getArray())
        for (const auto& entry : *array)
            if ((entry.isInt() || entry.isInt64() || entry.isDouble()) && static_cast<double> (entry) == std::floor (static_cast<double> (entry))
                && static_cast<double> (entry) >= 0.0 && static_cast<double> (entry) <= 127.0)
                pitches.push_back (static_cast<int> (entry));

    return pitches;
}
} // namespace

juce::String frettlePlainText (const juce::String& typed)
{
    // Spaces carry nothing in a chord name: "C#m7 / G#" is "C#m7/G#".
    const auto name = typed.removeCharacters (" \t");
    const auto chord = music::readChord (name);

    if (!chord.has_value() || chord->isNoChord())
        return name.trim();

    auto rest = name;

    if (chord->bass.has_value())
        rest = rest.upToLastOccurrenceOf ("/", false, false);

    int rootLength = 1;

    while (rootLength < rest.length() && rootLength < 3 && isAccidental (rest[rootLength]))
        ++rootLength;

    auto text = chord->root.name() + asciiAccidentals (rest.substring (rootLength));

    if (chord->bass.has_value())
        text << "/" << chord->bass->name();

    return text;
}

juce::var frettleChordInfo (const ScoreDocument& score, const juce::String& name)
{
    const auto chord = music::readChord (name.removeCharacters (" \t"));

    if (!chord.has_value())
        return failureReply ("Not a chord name: " + name.trim().quoted());

    auto pitches = chord->midiPitches (4);
    const auto bass = chord->bassNote (3);

    // A slash bass outside the chord is played too, below the others.
    if (chord->bass.has_value() && std::none_of (pitches.begin(), pitches.end(), [&bass] (int p)
                                                 { return p % 12 == bass.pitchClass(); }))
        pitches.push_back (bass.midi());

    juce::DynamicObject* object = nullptr;
    auto reply = newObject (object);
    object->setProperty ("success", true);
    object->setProperty ("chordNameAsPlainText", frettlePlainText (name));
    object->setProperty ("name", name.trim());
    object->setProperty ("chromaticRoot", chord->root.midi());
    object->setProperty ("diatonicRoot", chord->root.diatonic());
    object->setProperty ("chromaticBass", bass.midi());
    object->setProperty ("diatonicBass", bass.diatonic());
    object->setProperty ("barId", score.selection.isEmpty() ? 0 : score.selection.firstBar);
    object->setProperty ("pos", 0);
    object->setProperty ("suffixList", chord->suffixes);
    object->setProperty ("pitchList", intArray (pitches));
    return reply;
}

juce::var frettleFretsOf (const juce::String& fingeringText)
{
    const auto diagram = juce::JSON::parse (fingeringText);

    if (diagram.getDynamicObject() == nullptr)
        return {};

    std::vector<int> frets (guitarStrings, 0);
    const auto barre = diagram["barre"].getDynamicObject() != nullptr ? static_cast<int> (diagram["barre"]["fretNumber"]) : 0;

    for (auto& fret : frets)
        fret = std::max (0, barre);

    const auto indexOf = [] (const juce::var& entry)
    { return guitarStrings - static_cast<int> (entry["stringNumber"]); };

    if (const auto* spots = diagram["playingSpots"].getArray())
        for (const auto& spot : *spots)
            if (const auto index = indexOf (spot); index >= 0 && index < guitarStrings)
                frets[static_cast<size_t> (index)] = std::max (frets[static_cast<size_t> (index)], static_cast<int> (spot["fretNumber"]));

    if (const auto* modes = diagram["stringModes"].getArray())
        for (const auto& mode : *modes)
            if (const auto index = indexOf (mode); index >= 0 && index < guitarStrings && mode["stringMode"].toString() == "Muted")
                frets[static_cast<size_t> (index)] = -1;

    return intArray (frets);
}

juce::var frettleApply (ScoreDocument& score, const juce::var& argument)
{
    if (score.selection.isEmpty())
        return failureReply (frettleNoSelectionText);

    const auto pitches = pitchesOf (argument["pitches"]);

    if (pitches.empty())
        return failureReply (frettleNoPitchesText);

    const auto staffNumber = score.selection.staves.front();
    auto* staff = score.findStaff (staffNumber);

    if (staff == nullptr)
        return failureReply (frettleNoSelectionText);

    // The chord takes the place of what stands at the start of the bar.
    auto& groups = staff->getOrCreateBar (score.selection.firstBar).noteGroups;
    const auto at = std::find_if (groups.begin(), groups.end(), [] (const NoteGroup& g)
                                  { return g.position == 0; });
    NoteGroup chord;
    chord.position = 0;
    chord.duration = at != groups.end() ? at->duration : ticksPerQuarter;

    for (const auto pitch : pitches)
    {
        Note note;
        note.pitch = pitch;
        chord.notes.push_back (note);
    }

    if (at != groups.end())
        *at = chord;
    else
        groups.insert (groups.begin(), chord);

    const auto fingeringText = argument["fingering"].toString();
    ScoreItem diagram;
    diagram.kind = itemkind::chordDiagram;
    diagram.staff = staffNumber;
    diagram.bar = score.selection.firstBar;
    diagram.text = argument["name"].toString();

    juce::DynamicObject* properties = nullptr;
    diagram.properties = newObject (properties);
    properties->setProperty ("fingering", fingeringText);
    properties->setProperty ("pitches", intArray (pitches));

    if (const auto frets = frettleFretsOf (fingeringText); !frets.isVoid())
        properties->setProperty ("frets", frets);

    score.addItem (diagram);
    return successReply();
}
} // namespace hostsim

HOST_SIM_PLUGIN (Frettle)
{
    using namespace hostsim;
    setup.describe ("guitar chord names read as chord symbols, chord diagrams with their chord, previews");

    setup.method ("requestChordInfo", [] (MethodCall& call)
                  { return frettleChordInfo (call.host.score(), call.argument["name"].toString()); });

    setup.method ("apply", [] (MethodCall& call)
                  {
        if (call.host.score().selection.isEmpty())
            return failureReply (frettleNoSelectionText);

        return frettleApply (call.host.editScore(), call.argument); });

    setup.method ("preview", [] (MethodCall& call)
                  {
        juce::StringArray pitches;

        if (const auto* list = call.argument["pitches"].getArray())
            for (const auto& pitch : *list)
                pitches.add (pitch.toString());

        call.host.showMessage ("Frettle preview: " + pitches.joinIntoString (" "), false);
        return successReply(); });
}
