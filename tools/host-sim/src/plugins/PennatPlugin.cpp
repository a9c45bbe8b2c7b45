#include "plugins/AllPlugins.h"
#include "plugins/PluginReplies.h"

#include "host/HostAccess.h"
#include "music/Spelling.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

namespace hostsim
{
namespace
{
constexpr const char* productCode = "PNT";
constexpr const char* noSelectionText = "Select the notes first, then try again.";

/** A whole number the suite sent: an int, a whole double or decimal digits. */
std::optional<int> wholeNumber (const juce::var& value)
{
    if (value.isInt() || value.isInt64())
        return static_cast<int> (static_cast<juce::int64> (value));

    if (value.isDouble())
    {
        const auto number = static_cast<double> (value);
        return std::isfinite (number) && std::abs (number) < 1.0e6 && number == std::floor (number) ? std::optional<int> (static_cast<int> (number))
                                                                                                    : std::nullopt;
    }

    const auto text = value.toString().trim();

    if (text.isEmpty() || text.length() > 7 || !text.substring (text.startsWithChar ('-') ? 1 : 0).containsOnly ("0123456789")
        || text == "-")
        return std::nullopt;

    return text.getIntValue();
}

/** The sounding name with sharps and the octave: 66 is "F#4". */
juce::String nameOct (int midi)
{
    static const char* const names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    return juce::String (names[midi % 12]) + juce::String (midi / 12 - 1);
}

/** A diagram's text: the first five holes of a five-hole flute, all six otherwise. */
juce::String diagramText (const juce::String& fingering, const juce::String& fluteType)
{
    return fingering.substring (0, fluteType == "FiveHole" ? 5 : 6);
}

int addDiagram (ScoreDocument& score, int staff, int bar, int position, const juce::String& fingering, const juce::String& fluteType)
{
    ScoreItem diagram;
    diagram.kind = itemkind::fingeringDiagram;
    diagram.staff = staff;
    diagram.bar = bar;
    diagram.position = position;
    diagram.text = diagramText (fingering, fluteType);

    juce::DynamicObject* properties = nullptr;
    diagram.properties = newObject (properties);
    properties->setProperty ("fluteType", fluteType == "FiveHole" ? "FiveHole" : "SixHole");
    return score.addItem (diagram);
}

/** The selection's notes in score order (staff by staff, then by time): the
    top note of every note group, with its name and where it stands. */
juce::var selectedNotes (const ScoreDocument& score)
{
    juce::Array<juce::var> notes;
    const auto& selection = score.selection;

    for (const auto staffNumber : score.staffNumbers())
    {
        if (std::find (selection.staves.begin(), selection.staves.end(), staffNumber) == selection.staves.end())
            continue;

        for (const auto& staffBar : score.findStaff (staffNumber)->bars)
        {
            if (staffBar.bar < selection.firstBar || staffBar.bar > selection.lastBar)
                continue;

            auto groups = staffBar.noteGroups;
            std::stable_sort (groups.begin(), groups.end(), [] (const NoteGroup& a, const NoteGroup& b)
                              { return a.position < b.position; });

            for (const auto& group : groups)
            {
                if (group.notes.empty())
                    continue;

                const auto top = std::max_element (group.notes.begin(), group.notes.end(), [] (const Note& a, const Note& b)
                                                   { return a.pitch < b.pitch; });
                juce::DynamicObject* note = nullptr;
                notes.add (newObject (note));
                note->setProperty ("nameOct", nameOct (top->pitch));
                note->setProperty ("staff", staffNumber);
                note->setProperty ("bar", staffBar.bar);
                note->setProperty ("position", group.position);
            }
        }
    }

    return notes;
}

juce::var autoInsertApply (HostAccess& host, const juce::var& argument)
{
    const auto* notes = argument.getProperty ("fingerings", {}).getArray();

    if (notes == nullptr)
        return failureReply ("No notes to write diagrams for.");

    const auto fluteType = argument.getProperty ("fluteType", {}).toString();
    int written = 0;

    for (const auto& note : *notes)
    {
        const auto fingering = note.getProperty ("fingering", {});
        const auto staff = wholeNumber (note.getProperty ("staff", {}));
        const auto bar = wholeNumber (note.getProperty ("bar", {}));
        const auto position = wholeNumber (note.getProperty ("position", {}));

        if (!fingering.isString() || !staff || !bar || !position || host.score().findStaff (*staff) == nullptr)
            continue;

        const auto* barInfo = host.score().findBar (*bar);

        if (barInfo == nullptr || *position < 0 || *position >= barInfo->length)
            continue;

        addDiagram (host.editScore(), *staff, *bar, *position, fingering.toString(), fluteType);
        ++written;
    }

    auto result = successReply();
    result.getDynamicObject()->setProperty ("written", written);
    return result;
}

juce::var selectDiagrams (HostAccess& host)
{
    std::set<int> staves;
    int firstBar = 0, lastBar = 0;

    for (const auto& item : host.score().items)
    {
        if (item.kind != itemkind::fingeringDiagram || host.score().findStaff (item.staff) == nullptr)
            continue;

        staves.insert (item.staff);
        firstBar = firstBar == 0 ? item.bar : std::min (firstBar, item.bar);
        lastBar = std::max (lastBar, item.bar);
    }

    if (staves.empty())
        return failureReply ("The score has no fingering diagrams.");

    // Selecting changes no content: no undo step.
    auto& selection = host.editScore().selection;
    selection.firstBar = firstBar;
    selection.lastBar = lastBar;
    selection.staves.assign (staves.begin(), staves.end());
    return successReply();
}

/** The staff step a note is written on: its own, else as the key in force spells it. */
music::SpelledPitch writtenPitch (const ScoreDocument& score, int bar, int position, const Note& note)
{
    if (note.diatonicPitch.has_value())
        return music::SpelledPitch::onStep (*note.diatonicPitch, note.pitch);

    const auto* signature = score.keyAt (bar, position);
    const music::Key key{signature != nullptr ? signature->fifths : 0, signature == nullptr || signature->major};
    return key.spell (note.pitch);
}

/** Moves a staff's notes in the bars by the interval and the octaves;
    notes that would leave 0..127 stay. Returns how many moved. */
int transposeStaff (const ScoreDocument& keys, Staff& staff, int firstBar, int lastBar, const music::Interval& interval, int octaves)
{
    int moved = 0;

    for (auto& staffBar : staff.bars)
    {
        if (staffBar.bar < firstBar || staffBar.bar > lastBar)
            continue;

        for (auto& group : staffBar.noteGroups)
        {
            for (auto& note : group.notes)
            {
                auto target = music::transpose (writtenPitch (keys, staffBar.bar, group.position, note), interval);
                target.octave += octaves;

                if (target.midi() < 0 || target.midi() > 127)
                    continue;

                note.pitch = target.midi();
                note.diatonicPitch = target.diatonic();
                ++moved;
            }
        }
    }

    return moved;
}

/** A new staff beside the source staff holding a copy of its bars in the range. */
Staff& addStaffBeside (ScoreDocument& score, int sourceNumber, bool above, int firstBar, int lastBar, const juce::String& size)
{
    const auto numbers = score.staffNumbers();
    const auto number = numbers.empty() ? 1 : *std::max_element (numbers.begin(), numbers.end()) + 1;
    const auto source = *score.findStaff (sourceNumber);

    Staff staff;
    staff.number = number;
    staff.fullName = source.fullName + " (tab)";
    staff.shortName = source.shortName + " (tab)";
    staff.styleId = source.styleId;

    for (const auto& staffBar : source.bars)
        if (staffBar.bar >= firstBar && staffBar.bar <= lastBar)
            staff.bars.push_back ({staffBar.bar, staffBar.noteGroups, {}});

    auto at = std::find_if (score.staves.begin(), score.staves.end(), [sourceNumber] (const Staff& s)
                            { return s.number == sourceNumber; });
    at = score.staves.insert (above ? at : at + 1, staff);

    // What the host would show as the staff's size.
    auto& data = score.pluginData[productCode];
    auto updated = data.getDynamicObject() != nullptr ? data.clone() : juce::var (new juce::DynamicObject());
    auto sizes = updated.getProperty ("staffSizes", {});
    sizes = sizes.getDynamicObject() != nullptr ? sizes.clone() : juce::var (new juce::DynamicObject());
    sizes.getDynamicObject()->setProperty (juce::String (number), size == "Normal" ? "Normal" : "Small");
    updated.getDynamicObject()->setProperty ("staffSizes", sizes);
    data = updated;
    return *at;
}

juce::var transpose (HostAccess& host, const juce::var& argument)
{
    const auto selection = host.score().selection;

    if (selection.isEmpty())
        return failureReply (noSelectionText);

    const auto intervalArgument = argument.getProperty ("transposeInterval", {});
    const auto degree = wholeNumber (intervalArgument.getProperty ("degree", {}));
    const auto interval = degree ? music::Interval::fromHostFormat (intervalArgument.getProperty ("type", {}).toString(), *degree) : std::nullopt;
    const auto concertOctaves = wholeNumber (argument.getProperty ("concertOctaves", 0));

    if (!interval || !concertOctaves || std::abs (*concertOctaves) > 10)
        return failureReply ("Pennat: no interval to transpose by.");

    // The flute sounds concertOctaves octaves away from the tablature's:
    // up that many towards concert pitch, down towards the tablature.
    const auto octaves = argument.getProperty ("direction", {}).toString() == "Concert" ? *concertOctaves : -*concertOctaves;
    const auto intoNewPart = isOn (argument.getProperty ("intoNewPart", {}));
    const auto above = argument.getProperty ("newPartPlace", {}).toString() == "Above";
    const auto size = argument.getProperty ("newPartSize", {}).toString();

    auto& score = host.editScore();
    int moved = 0;

    for (const auto staffNumber : selection.staves)
    {
        if (score.findStaff (staffNumber) == nullptr)
            continue;

        auto& target = intoNewPart ? addStaffBeside (score, staffNumber, above, selection.firstBar, selection.lastBar, size)
                                   : *score.findStaff (staffNumber);
        moved += transposeStaff (score, target, selection.firstBar, selection.lastBar, *interval, octaves);
    }

    host.showMessage ("Pennat: " + juce::String (moved) + " notes by " + interval->name()
                          + (octaves != 0 ? " and " + juce::String (octaves) + " octaves" : juce::String()),
                      false);
    auto result = successReply();
    result.getDynamicObject()->setProperty ("moved", moved);
    return result;
}
} // namespace
} // namespace hostsim

HOST_SIM_PLUGIN (Pennat)
{
    using namespace hostsim;
    setup.describe ("duct-flute fingering diagrams from the suite's chart, and transposition to and from the F# tablature");

    setup.method ("insertDiagram", [] (MethodCall& call)
                  {
        const auto& selection = call.host.score().selection;

        if (selection.isEmpty())
            return failureReply (noSelectionText);

        addDiagram (call.host.editScore(), selection.staves.front(), selection.firstBar, 0,
                    call.argument.getProperty ("fingering", {}).toString(), call.argument.getProperty ("fluteType", {}).toString());
        return successReply(); });

    setup.method ("autoInsert", [] (MethodCall& call)
                  {
        if (call.host.score().selection.isEmpty())
            return failureReply (noSelectionText);

        return selectedNotes (call.host.score()); });

    setup.method ("autoInsertApply", [] (MethodCall& call)
                  { return autoInsertApply (call.host, call.argument); });

    setup.method ("selectDiagrams", [] (MethodCall& call)
                  { return selectDiagrams (call.host); });

    setup.method ("transpose", [] (MethodCall& call)
                  { return transpose (call.host, call.argument); });
}
