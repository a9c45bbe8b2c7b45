#include "plugins/LyrelPlugin.h"
#include "music/Spelling.h"
#include "plugins/AllPlugins.h"
#include "plugins/PluginReplies.h"

#include <algorithm>

namespace hostsim
{
namespace
{
constexpr const char* productCode = "LY";
const char* const pedalLetters = "DCBEFGA";

int pedalAlteration (const juce::String& pedaling, int letter)
{
    static const char* const staffLetters = "CDEFGAB";
    const auto index = juce::String (pedalLetters).indexOfChar (staffLetters[letter]);
    const auto sign = index < pedaling.length() ? pedaling[index] : '-';
    return sign == '#' ? 1 : (sign == 'b' ? -1 : 0);
}

/** A note group of the staff with its place from the start of the score. */
struct PlacedGroup
{
    juce::int64 tick = 0;
    int bar = 1;
    const NoteGroup* group = nullptr;
};

std::vector<PlacedGroup> groupsOf (const ScoreDocument& score, const Staff& staff, int firstBar, int lastBar)
{
    std::vector<PlacedGroup> groups;

    for (const auto& staffBar : staff.bars)
        if (staffBar.bar >= firstBar && staffBar.bar <= lastBar)
            for (const auto& group : staffBar.noteGroups)
                if (!group.notes.empty())
                    groups.push_back ({score.barStartTick (staffBar.bar) + group.position, staffBar.bar, &group});

    std::stable_sort (groups.begin(), groups.end(), [] (const PlacedGroup& a, const PlacedGroup& b)
                      { return a.tick < b.tick; });
    return groups;
}

/** The staff step a note is written on: its own, else as the key in force spells it. */
int diatonicOf (const ScoreDocument& score, const PlacedGroup& placed, const Note& note)
{
    if (note.diatonicPitch.has_value())
        return *note.diatonicPitch;

    const auto* signature = score.keyAt (placed.bar, placed.group->position);
    const music::Key key{signature != nullptr ? signature->fifths : 0, signature == nullptr || signature->major};
    return key.spell (note.pitch).diatonic();
}

const Note& lowest (const NoteGroup& group)
{
    return *std::min_element (group.notes.begin(), group.notes.end(), [] (const Note& a, const Note& b)
                              { return a.pitch < b.pitch; });
}

const Note& highest (const NoteGroup& group)
{
    return *std::max_element (group.notes.begin(), group.notes.end(), [] (const Note& a, const Note& b)
                              { return a.pitch < b.pitch; });
}

/** Replaces the groups strictly between the first and the last by the run;
    returns how many strings were written (the run stops at the last group). */
int writeRun (ScoreDocument& score, Staff& staff, const PlacedGroup& first, const PlacedGroup& last, const juce::var& argument)
{
    // Upwards the run spans from the first group's lowest note to the last
    // group's highest, downwards from the first's highest to the last's lowest.
    const auto upwards = highest (*last.group).pitch >= highest (*first.group).pitch;
    const auto diatonicFrom = diatonicOf (score, first, upwards ? lowest (*first.group) : highest (*first.group));
    const auto diatonicTo = diatonicOf (score, last, upwards ? highest (*last.group) : lowest (*last.group));
    const auto run = lyrelRun (diatonicFrom, diatonicTo, argument.getProperty ("pedaling", {}).toString());
    const auto noteTicks = lyrelRunNoteTicks (argument.getProperty ("beams", {}).toString());
    const auto runStart = first.tick + first.group->duration;
    const auto firstTick = first.tick, lastTick = last.tick;

    for (auto& staffBar : staff.bars)
    {
        const auto barStart = score.barStartTick (staffBar.bar);
        auto& groups = staffBar.noteGroups;
        groups.erase (std::remove_if (groups.begin(), groups.end(), [&] (const NoteGroup& group)
                                      {
                                          const auto tick = barStart + group.position;
                                          return tick > firstTick && tick < lastTick; }),
                      groups.end());
    }

    int written = 0;

    for (const auto& [diatonic, midi] : run)
    {
        const auto tick = runStart + static_cast<juce::int64> (written) * noteTicks;

        if (tick + noteTicks > lastTick)
            break;

        const auto [bar, position] = score.tickToBarPosition (tick);
        NoteGroup group;
        group.position = position;
        group.duration = noteTicks;
        Note note;
        note.pitch = midi;
        note.diatonicPitch = diatonic;
        group.notes.push_back (note);

        auto& groups = staff.getOrCreateBar (bar).noteGroups;
        groups.insert (std::upper_bound (groups.begin(), groups.end(), position, [] (int p, const NoteGroup& g)
                                         { return p < g.position; }),
                       group);
        ++written;
    }

    return written;
}

/** Keeps what the suite asked for with the score, so a test can read it back. */
void recordArguments (ScoreDocument& score, const juce::String& method, const juce::var& argument)
{
    // A fresh object each time: the undo history's snapshot of the score
    // shares the one there now, which must not change under it.
    auto& data = score.pluginData[productCode];
    auto updated = data.getDynamicObject() != nullptr ? data.clone() : juce::var (new juce::DynamicObject());
    updated.getDynamicObject()->setProperty (method, argument.clone());
    data = updated;
}
} // namespace

juce::String lyrelTriggerData (const ScoreDocument& score)
{
    const auto bar = score.selection.isEmpty() ? 1 : score.selection.firstBar;
    const auto* signature = score.keyAt (bar, 0);

    auto* object = new juce::DynamicObject();
    const juce::var data (object);
    object->setProperty ("name", signature != nullptr ? signature->getKeyName() : juce::String ("C"));
    object->setProperty ("isMajor", signature == nullptr || signature->major);
    return juce::JSON::toString (data, true);
}

std::vector<std::pair<int, int>> lyrelRun (int fromDiatonic, int toDiatonic, const juce::String& pedaling)
{
    std::vector<std::pair<int, int>> run;

    if (fromDiatonic == toDiatonic)
        return run;

    const auto step = toDiatonic >= fromDiatonic ? 1 : -1;

    for (auto diatonic = fromDiatonic + step; diatonic != toDiatonic && diatonic >= 0 && diatonic <= 74; diatonic += step)
    {
        const auto letter = diatonic % 7;
        const music::SpelledPitch pitch{letter, pedalAlteration (pedaling, letter), diatonic / 7 - 1};
        const auto midi = pitch.midi();

        if (midi >= 0 && midi <= 127)
            run.emplace_back (diatonic, midi);
    }

    return run;
}

int lyrelRunNoteTicks (const juce::String& beams)
{
    if (beams == "Beams2")
        return ticksPerQuarter / 4;
    if (beams == "Beams3")
        return ticksPerQuarter / 8;
    if (beams == "Beams5")
        return ticksPerQuarter / 32;
    return ticksPerQuarter / 16;
}

juce::var lyrelApply (ScoreDocument& score, const juce::var& argument)
{
    const auto selection = score.selection;

    if (selection.isEmpty())
        return failureReply (lyrelNoSelectionText);

    auto* staff = score.findStaff (selection.staves.front());

    if (staff == nullptr)
        return failureReply (lyrelNoSelectionText);

    const auto groups = groupsOf (score, *staff, selection.firstBar, selection.lastBar);

    if (groups.size() < 2)
        return failureReply (lyrelTooFewNotesText);

    // Copies: writing the run changes the groups the list points into.
    const auto first = groups.front(), last = groups.back();
    const auto firstGroup = *first.group, lastGroup = *last.group;
    const PlacedGroup firstPlaced{first.tick, first.bar, &firstGroup}, lastPlaced{last.tick, last.bar, &lastGroup};

    recordArguments (score, "apply", argument);
    const auto written = isOn (argument.getProperty ("spell", {})) ? writeRun (score, *staff, firstPlaced, lastPlaced, argument) : 0;

    ScoreItem line;
    line.kind = itemkind::glissando;
    line.staff = staff->number;
    line.bar = first.bar;
    line.position = firstGroup.position;
    line.duration = static_cast<int> (last.tick - first.tick);
    line.text = isOn (argument.getProperty ("writeGlissWord", {})) ? "Gliss." : "";

    auto* properties = new juce::DynamicObject();
    line.properties = juce::var (properties);
    properties->setProperty ("lineType", argument.getProperty ("lineType", "Straight"));
    properties->setProperty ("pedaling", argument.getProperty ("pedaling", ""));
    properties->setProperty ("slur", isOn (argument.getProperty ("slur", {})));
    properties->setProperty ("writtenOut", written);
    const auto id = score.addItem (line);

    auto result = successReply();
    result.getDynamicObject()->setProperty ("glissando", id);
    result.getDynamicObject()->setProperty ("runNotes", written);
    return result;
}

juce::var lyrelInsertDiagram (ScoreDocument& score, const juce::var& argument)
{
    if (score.selection.isEmpty())
        return failureReply (lyrelNoSelectionText);

    ScoreItem diagram;
    diagram.kind = itemkind::harpPedalDiagram;
    diagram.staff = score.selection.staves.front();
    diagram.bar = score.selection.firstBar;
    diagram.text = argument.getProperty ("pedaling", "").toString().substring (0, 7);
    score.addItem (diagram);
    return successReply();
}
} // namespace hostsim

HOST_SIM_PLUGIN (Lyrel)
{
    using namespace hostsim;
    setup.describe ("harp glissandi spelled by the pedals, pedal diagrams, and the host's undo and redo");

    setup.triggerData ([] (const HostState& state)
                       { return lyrelTriggerData (state.score); });

    setup.method ("apply", [] (MethodCall& call)
                  {
        if (call.host.score().selection.isEmpty())
            return failureReply (lyrelNoSelectionText);

        return lyrelApply (call.host.editScore(), call.argument); });

    setup.method ("applyPostProcess", [] (MethodCall&)
                  { return successReply(); });

    setup.method ("insertDiagram", [] (MethodCall& call)
                  {
        if (call.host.score().selection.isEmpty())
            return failureReply (lyrelNoSelectionText);

        return lyrelInsertDiagram (call.host.editScore(), call.argument); });

    setup.method ("undo", [] (MethodCall& call)
                  {
        const auto step = call.host.undo();
        return step.has_value() ? successReply() : failureReply ("Nothing to undo."); });

    setup.method ("redo", [] (MethodCall& call)
                  {
        const auto step = call.host.redo();
        return step.has_value() ? successReply() : failureReply ("Nothing to redo."); });
}
