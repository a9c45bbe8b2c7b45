// The Orvana plug-in's answers: the score payload of a region (bars, staves
// with their notes, MIDI messages and wings), the tempo curve and the hit points.
#include "plugins/OrvanaPlugin.h"
#include "plugins/PluginReplies.h"
#include "util/JsonText.h"

#include <algorithm>
#include <map>

namespace hostsim::orvana
{
std::optional<MidiText> readMidiText (const juce::String& text)
{
    const auto comma = text.indexOfChar (',');

    if (comma < 0)
        return std::nullopt;

    for (const auto kind : {'C', 'B', 'N'})
    {
        const auto letter = text.indexOfChar (static_cast<juce::juce_wchar> (kind));

        if (letter < 0 || letter > comma)
            continue;

        MidiText midi;
        midi.kind = kind;
        midi.number = text.substring (letter + 1, comma).trim().getIntValue();
        midi.value = text.substring (comma + 1).trim().getIntValue();
        midi.ramp = text.substring (0, letter) == "~-";
        return midi;
    }

    return std::nullopt;
}

int controllerValue (const MidiText& midi, bool notePerformer)
{
    if (midi.kind != 'B' || !notePerformer)
        return midi.value;

    const auto v = midi.value * 128 + (midi.number & 127);
    return v < 7167 ? 0 : std::min (512 + (v - 8192) / 2, 1023);
}

namespace
{

juce::String controlIdText (const MidiText& midi)
{
    return midi.kind == 'B' ? juce::String ("B") : juce::String (midi.number);
}

struct Event
{
    int bar = 0, position = 0;
    MidiText midi;
};

/** A staff's MIDI messages in score order. */
std::vector<Event> staffEvents (const Staff& staff)
{
    std::vector<Event> events;

    for (const auto& staffBar : staff.bars)
    {
        std::vector<Event> inBar;

        for (const auto& message : staffBar.midiMessages)
            if (const auto midi = readMidiText (message.text))
                inBar.push_back ({staffBar.bar, message.position, *midi});

        std::stable_sort (inBar.begin(), inBar.end(), [] (const Event& a, const Event& b)
                          { return a.position < b.position; });
        events.insert (events.end(), inBar.begin(), inBar.end());
    }

    return events;
}

juce::var barEntry (const Bar& bar)
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("barNumber", bar.number);
    object->setProperty ("externalBarNumber", bar.externalNumber);
    object->setProperty ("length", bar.length);
    object->setProperty ("meter", bar.meter);
    return result;
}

juce::var noteEntry (const Note& note)
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("pitch", note.pitch);

    if (note.playedVelocity)
        object->setProperty ("originalVelocity", *note.playedVelocity);
    if (note.playedDuration)
        object->setProperty ("originalDuration", *note.playedDuration);
    if (note.playedOffset)
        object->setProperty ("originalDeltaSr", *note.playedOffset);
    if (note.tuplet)
    {
        object->setProperty ("hasTuplet", true);
        object->setProperty ("tupletLeftNumber", note.tuplet->left);
        object->setProperty ("tupletRightNumber", note.tuplet->right);
    }

    return result;
}

juce::var staffBarEntry (const StaffBar& staffBar)
{
    juce::Array<juce::var> pots, commands;
    int potNum = 0;

    for (const auto& group : staffBar.noteGroups)
    {
        juce::Array<juce::var> notes;

        for (const auto& note : group.notes)
            notes.add (noteEntry (note));

        juce::DynamicObject* pot = nullptr;
        pots.add (newObject (pot));
        pot->setProperty ("potNum", potNum++);
        pot->setProperty ("position", group.position);
        pot->setProperty ("duration", group.duration);
        pot->setProperty ("noteList", notes);
    }

    // In the order the host meets them in the bar: by position.
    std::vector<const MidiMessage*> messages;

    for (const auto& message : staffBar.midiMessages)
        messages.push_back (&message);

    std::stable_sort (messages.begin(), messages.end(), [] (const MidiMessage* a, const MidiMessage* b)
                      { return a->position < b->position; });

    for (const auto* message : messages)
    {
        juce::DynamicObject* command = nullptr;
        commands.add (newObject (command));
        command->setProperty ("position", message->position);
        command->setProperty ("text", message->text);
    }

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("barNumber", staffBar.bar);
    object->setProperty ("potList", pots);
    object->setProperty ("commandList", commands);
    return result;
}

juce::String muteCode (MuteMode mode)
{
    switch (mode)
    {
        case MuteMode::muted:
            return "M";
        case MuteMode::halfMuted:
            return "H";
        case MuteMode::notMuted:
            break;
    }

    return "N";
}

/** The loaded range's edges in ticks from the start of the score. */
struct Edges
{
    int first = 0, last = 0;
    juce::int64 start = 0, end = 0;
};

juce::var wingEntry (const ScoreDocument& score, const Event* event, const Edges& edges, bool right, bool notePerformer)
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);

    if (event == nullptr)
    {
        object->setProperty ("val", -1);
        return result;
    }

    const auto tick = score.barStartTick (event->bar) + event->position;
    object->setProperty ("val", controllerValue (event->midi, notePerformer));
    object->setProperty ("ticksDist", static_cast<int> (right ? tick - edges.end : edges.start - tick));
    object->setProperty ("barNum", event->bar);
    object->setProperty ("pos", event->position);

    if (right)
        object->setProperty ("type", event->midi.ramp ? "R" : "J");

    return result;
}

/** Per controller of the staff: its last message before the range and its first after it. */
juce::Array<juce::var> wingPairs (const ScoreDocument& score, const std::vector<Event>& events, const Edges& edges, bool notePerformer)
{
    std::vector<juce::String> order;
    std::map<juce::String, std::pair<const Event*, const Event*>> wings;

    for (const auto& event : events)
    {
        if (event.midi.kind == 'N')
            continue;

        const auto id = controlIdText (event.midi);

        if (wings.find (id) == wings.end())
            order.push_back (id);

        auto& [left, right] = wings[id];

        if (event.bar < edges.first)
            left = &event;
        else if (event.bar > edges.last && right == nullptr)
            right = &event;
    }

    juce::Array<juce::var> pairs;

    for (const auto& id : order)
    {
        const auto& [left, right] = wings[id];
        juce::DynamicObject* pair = nullptr;
        pairs.add (newObject (pair));
        pair->setProperty ("controlId", id);
        pair->setProperty ("leftWing", wingEntry (score, left, edges, false, notePerformer));
        pair->setProperty ("rightWing", wingEntry (score, right, edges, true, notePerformer));
    }

    return pairs;
}

juce::var noteEvent (const Event& event)
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("bar", event.bar);
    object->setProperty ("pos", event.position);
    object->setProperty ("pitch", event.midi.number);
    object->setProperty ("vel", event.midi.value);
    return result;
}

/** The note events outside the range of phantom notes that cross its edges:
    the note-ons before it and the note-offs after it, paired as the host
    plays them (one open note per pitch). */
juce::Array<juce::var> crossingNoteEvents (const std::vector<Event>& events, const Edges& edges)
{
    juce::Array<juce::var> before, after;
    std::map<int, const Event*> open;

    for (const auto& event : events)
    {
        if (event.midi.kind != 'N')
            continue;

        if (event.midi.value >= 1)
        {
            open.try_emplace (event.midi.number, &event);
            continue;
        }

        const auto started = open.find (event.midi.number);

        if (started == open.end())
            continue;

        const auto& on = *started->second;
        const bool startsBefore = on.bar < edges.first;
        const bool endsAfter = event.bar > edges.last;
        const bool reachesRange = event.bar >= edges.first && on.bar <= edges.last;

        if ((startsBefore || endsAfter) && (reachesRange || (startsBefore && endsAfter)))
        {
            if (startsBefore)
                before.add (noteEvent (on));
            if (endsAfter)
                after.add (noteEvent (event));
        }

        open.erase (started);
    }

    before.addArray (after);
    return before;
}

juce::var staffEntry (const ScoreDocument& score, const Staff& staff, const Edges& edges, bool notePerformer)
{
    juce::DynamicObject* header = nullptr;
    const auto headerVar = newObject (header);
    header->setProperty ("staffNum", staff.number);
    header->setProperty ("fullInstrumentName", staff.fullName);
    header->setProperty ("shortInstrumentName", staff.shortName);
    header->setProperty ("styleId", staff.styleId);
    header->setProperty ("solo", staff.solo);
    header->setProperty ("muteMode", muteCode (staff.mute));

    juce::Array<juce::var> staffBars;

    for (const auto& staffBar : staff.bars)
        if (staffBar.bar >= edges.first && staffBar.bar <= edges.last)
            staffBars.add (staffBarEntry (staffBar));

    const auto events = staffEvents (staff);

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("header", headerVar);
    object->setProperty ("wingPairList", wingPairs (score, events, edges, notePerformer));
    object->setProperty ("staffBarList", staffBars);
    object->setProperty ("commandNotesWings", crossingNoteEvents (events, edges));
    return result;
}

juce::var hitPointList (const ScoreDocument& score)
{
    juce::Array<juce::var> list;

    for (const auto& hitPoint : score.hitPoints)
    {
        juce::DynamicObject* object = nullptr;
        list.add (newObject (object));
        object->setProperty ("id", hitPoint.id);
        object->setProperty ("bar", hitPoint.bar);
        object->setProperty ("position", hitPoint.position);
        object->setProperty ("time", hitPoint.timeMillis);
        object->setProperty ("label", hitPoint.label);
    }

    return list;
}

juce::var poserObject (const char* barKey, int bar, const char* posKey, int pos)
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty (barKey, bar);
    object->setProperty (posKey, pos);
    return result;
}

/** The active region of a request: the trigger's bars, else the selection's, else every bar. */

} // namespace

juce::String triggerText (const Selection& selection)
{
    if (selection.isEmpty())
        return {};

    juce::StringArray staves;

    for (const auto staff : selection.staves)
        staves.add (juce::String (staff));

    return juce::String (selection.firstBar) + "-" + juce::String (selection.lastBar) + ";" + staves.joinIntoString (",");
}

std::optional<std::pair<int, int>> barsOfTriggerText (const juce::String& text)
{
    const auto bars = text.upToFirstOccurrenceOf (";", false, false).trim();
    const auto dash = bars.indexOfChar ('-');

    if (dash <= 0)
        return std::nullopt;

    const auto first = bars.substring (0, dash).trim();
    const auto last = bars.substring (dash + 1).trim();

    if (!first.containsOnly ("0123456789") || !last.containsOnly ("0123456789") || first.length() > 6 || last.length() > 6
        || first.isEmpty() || last.isEmpty())
        return std::nullopt;

    const auto from = first.getIntValue(), to = last.getIntValue();

    if (from < 1 || to < from)
        return std::nullopt;

    return std::make_pair (from, to);
}

std::pair<int, int> loadedRange (const ScoreDocument& score, int activeFirst, int activeLast, std::optional<int> padding)
{
    const auto lastBar = score.bars.empty() ? 0 : score.bars.back().number;

    if (!padding)
        return {score.bars.empty() ? 0 : 1, lastBar};

    return {std::max (1, activeFirst - *padding), std::min (lastBar, activeLast + *padding)};
}

juce::var makeTempoCurve (const ScoreDocument& score)
{
    juce::Array<juce::var> points;

    for (const auto& mark : score.tempoMarks)
    {
        juce::DynamicObject* point = nullptr;
        points.add (newObject (point));
        point->setProperty ("type", "M");
        point->setProperty ("barNum", mark.bar);
        point->setProperty ("pos", mark.position);
        point->setProperty ("val", mark.bpm);
        point->setProperty ("motionType", mark.motion);
        point->setProperty ("spanDuration", mark.spanDuration);
        point->setProperty ("label", mark.label);
        point->setProperty ("muted", mark.muted ? "M" : "P");
    }

    for (const auto& drawn : score.tempoPoints)
    {
        juce::DynamicObject* point = nullptr;
        points.add (newObject (point));
        const bool ramp = drawn.shape == ReachShape::ramp;
        point->setProperty ("type", ramp ? "P" : "N");
        point->setProperty ("barNum", drawn.bar);
        point->setProperty ("pos", drawn.position);
        point->setProperty ("val", drawn.bpm);

        if (!ramp)
            point->setProperty ("reachShape", "J");
    }

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("startLevel", score.tempoStart);
    object->setProperty ("points", points);
    return result;
}

juce::var makePayload (const ScoreDocument& score, int activeFirst, int activeLast, std::optional<int> padding,
                       bool includeTempoCurve)
{
    const auto [first, last] = loadedRange (score, activeFirst, activeLast, padding);
    Edges edges;
    edges.first = first;
    edges.last = last;
    edges.start = std::max<juce::int64> (0, score.barStartTick (first));

    if (const auto* lastBar = score.findBar (last))
        edges.end = score.barStartTick (last) + lastBar->length;

    const bool notePerformer = score.soundSet == "NotePerformer";
    juce::Array<juce::var> barList, staffList;

    for (const auto& bar : score.bars)
        if (bar.number >= first && bar.number <= last)
            barList.add (barEntry (bar));

    for (const auto& staff : score.staves)
        staffList.add (staffEntry (score, staff, edges, notePerformer));

    const auto* finalBar = score.bars.empty() ? nullptr : &score.bars.back();

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("soundSet", score.soundSet);
    object->setProperty ("title", score.title);
    object->setProperty ("lastPoser", poserObject ("bar", finalBar != nullptr ? finalBar->number : 0, "pos", finalBar != nullptr ? finalBar->length : 0));
    object->setProperty ("activeRegion", poserObject ("barFrom", activeFirst, "barTo", activeLast));
    object->setProperty ("barList", barList);
    object->setProperty ("hitPointList", hitPointList (score));
    object->setProperty ("staffList", staffList);

    if (includeTempoCurve)
        object->setProperty ("tempoCurve", makeTempoCurve (score));

    return result;
}

juce::var makeHitPointList (const ScoreDocument& score)
{
    return hitPointList (score);
}

juce::var makeSessionPayload (const ScoreDocument& score, const Session& session)
{
    return makePayload (score, session.activeFirst, session.activeLast, session.padding, session.tempoCurveWanted);
}
} // namespace hostsim::orvana
