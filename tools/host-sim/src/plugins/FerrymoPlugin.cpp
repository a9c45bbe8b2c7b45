#include "plugins/FerrymoPlugin.h"
#include "plugins/AllPlugins.h"
#include "plugins/PluginReplies.h"

#include <algorithm>

namespace hostsim
{
namespace
{
juce::var barEntry (const Bar& bar)
{
    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("barNumber", bar.number);
    object->setProperty ("length", bar.length);
    object->setProperty ("meter", bar.meter);
    return result;
}

juce::var potEntry (const NoteGroup& group)
{
    juce::Array<juce::var> notes;

    for (const auto& note : group.notes)
    {
        juce::DynamicObject* noteObject = nullptr;
        notes.add (newObject (noteObject));
        noteObject->setProperty ("pitch", note.pitch);
    }

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("position", group.position);
    object->setProperty ("duration", group.duration);
    object->setProperty ("noteList", notes);
    return result;
}

juce::var staffBarEntry (const StaffBar& staffBar, bool includeAutomation)
{
    juce::Array<juce::var> pots, commands;

    for (const auto& group : staffBar.noteGroups)
        pots.add (potEntry (group));

    if (includeAutomation)
    {
        for (const auto& message : staffBar.midiMessages)
        {
            juce::DynamicObject* command = nullptr;
            commands.add (newObject (command));
            command->setProperty ("position", message.position);
            command->setProperty ("text", message.text);
        }
    }

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("barNumber", staffBar.bar);
    object->setProperty ("potList", pots);
    object->setProperty ("commandList", commands);
    return result;
}

juce::var staffEntry (const Staff& staff, int firstBar, int lastBar, bool includeAutomation)
{
    juce::DynamicObject* header = nullptr;
    const auto headerVar = newObject (header);
    header->setProperty ("fullInstrumentName", staff.fullName);
    header->setProperty ("shortInstrumentName", staff.shortName);

    juce::Array<juce::var> staffBars;

    for (const auto& staffBar : staff.bars)
        if (staffBar.bar >= firstBar && staffBar.bar <= lastBar)
            staffBars.add (staffBarEntry (staffBar, includeAutomation));

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("header", headerVar);
    object->setProperty ("staffBarList", staffBars);
    return result;
}
} // namespace

juce::var makeFerrymoPayload (const ScoreDocument& score, int firstBar, int lastBar, const std::vector<int>& staves,
                              bool includeAutomation)
{
    juce::Array<juce::var> barList, staffList;

    for (const auto& bar : score.bars)
        if (bar.number >= firstBar && bar.number <= lastBar)
            barList.add (barEntry (bar));

    for (const auto& staff : score.staves)
        if (std::find (staves.begin(), staves.end(), staff.number) != staves.end())
            staffList.add (staffEntry (staff, firstBar, lastBar, includeAutomation));

    juce::DynamicObject* object = nullptr;
    auto result = newObject (object);
    object->setProperty ("success", true);
    object->setProperty ("barList", barList);
    object->setProperty ("staffList", staffList);
    return result;
}

} // namespace hostsim

HOST_SIM_PLUGIN (Ferrymo)
{
    using namespace hostsim;
    setup.describe ("MIDI clip transfer: the selection or the whole score as a score payload");

    setup.method ("fetchMidi", [] (MethodCall& call)
                  {
        const auto& score = call.host.score();
        const auto& selection = score.selection;

        if (selection.isEmpty())
            return failureReply (ferrymoNoSelectionText);

        return makeFerrymoPayload (score, selection.firstBar, selection.lastBar, selection.staves, isOn (call.argument.getProperty ("includeAutomation", false))); });

    setup.method ("fetchFullScoreMidi", [] (MethodCall& call)
                  {
        const auto& score = call.host.score();
        const auto lastBar = score.bars.empty() ? 0 : score.bars.back().number;
        return makeFerrymoPayload (score, 1, lastBar, score.staffNumbers(), isOn (call.argument.getProperty ("includeAutomation", false))); });
}
