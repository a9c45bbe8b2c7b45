#include "plugins/orvana/EditTexts.h"
#include "plugins/OrvanaPlugin.h"

#include <algorithm>
#include <optional>

namespace hostsim::orvana::edits
{
namespace
{
[[noreturn]] void fail (const juce::String& why)
{
    throw MalformedText (why.toStdString());
}

/** The fields between the separators, empty ones kept ("a;;b" is three). */
juce::StringArray split (const juce::String& text, juce::juce_wchar separator)
{
    juce::StringArray fields;
    int start = 0;

    for (;;)
    {
        const auto next = text.indexOfChar (start, separator);

        if (next < 0)
        {
            fields.add (text.substring (start));
            return fields;
        }

        fields.add (text.substring (start, next));
        start = next + 1;
    }
}

juce::StringArray fieldsOf (const juce::String& text, juce::juce_wchar separator, int count)
{
    auto fields = split (text, separator);

    if (fields.size() != count)
        fail ("expected " + juce::String (count) + " fields in \"" + text + "\"");

    return fields;
}

/** A plain decimal integer (an optional minus, at most nine digits). */
int readInt (const juce::String& field)
{
    const auto text = field.trim();
    const auto digits = text.startsWithChar ('-') ? text.substring (1) : text;

    if (digits.isEmpty() || digits.length() > 9 || !digits.containsOnly ("0123456789"))
        fail ("not a number: \"" + field + "\"");

    return text.getIntValue();
}

int readInRange (const juce::String& field, int low, int high)
{
    const auto value = readInt (field);

    if (value < low || value > high)
        fail ("out of range: " + field);

    return value;
}

bool readFlag (const juce::String& field, const char* yes, const char* no)
{
    if (field == yes)
        return true;
    if (field == no)
        return false;

    fail ("expected " + juce::String (yes) + " or " + juce::String (no) + ", got \"" + field + "\"");
}

/** Entries joined by ";"; the empty text has none. */
juce::StringArray entriesOf (const juce::String& text)
{
    return text.isEmpty() ? juce::StringArray() : split (text, ';');
}

Staff& staffOf (ScoreDocument& score, const juce::String& field)
{
    auto* staff = score.findStaff (readInt (field));

    if (staff == nullptr)
        fail ("no staff " + field);

    return *staff;
}

/** A bar and a position inside it. */
struct Place
{
    int bar = 0, pos = 0;

    bool operator<(const Place& other) const { return bar != other.bar ? bar < other.bar : pos < other.pos; }
    bool operator== (const Place& other) const { return bar == other.bar && pos == other.pos; }
    bool operator<= (const Place& other) const { return !(other < *this); }
};

Place readPlace (const ScoreDocument& score, const juce::String& barField, const juce::String& posField)
{
    const auto bar = readInt (barField);
    const auto* found = score.findBar (bar);

    if (found == nullptr)
        fail ("no bar " + barField);

    return {bar, readInRange (posField, 0, found->length - 1)};
}

//==============================================================================
/** The controller of an edit text: "B" (pitch bend, -2) or 0..127. */
int readControl (const juce::String& field)
{
    return field == "B" ? -2 : readInRange (field, 0, 127);
}

int maxValue (int controlNum, const ScoreDocument& score)
{
    return controlNum == -2 && score.soundSet == "NotePerformer" ? 1023 : 127;
}

bool isMessageOf (const MidiMessage& message, int controlNum)
{
    const auto midi = readMidiText (message.text);
    return midi && (controlNum == -2 ? midi->kind == 'B' : (midi->kind == 'C' && midi->number == controlNum));
}

void sortByPosition (StaffBar& staffBar)
{
    std::stable_sort (staffBar.midiMessages.begin(), staffBar.midiMessages.end(), [] (const MidiMessage& a, const MidiMessage& b)
                      { return a.position < b.position; });
}

void dropEmptyBars (Staff& staff)
{
    staff.bars.erase (std::remove_if (staff.bars.begin(), staff.bars.end(), [] (const StaffBar& bar)
                                      { return bar.noteGroups.empty() && bar.midiMessages.empty(); }),
                      staff.bars.end());
}

/** Removes the controller's messages whose place the predicate accepts. */
template <typename Accept>
void removeControllerMessages (Staff& staff, int controlNum, Accept accept)
{
    for (auto& staffBar : staff.bars)
    {
        auto& messages = staffBar.midiMessages;
        messages.erase (std::remove_if (messages.begin(), messages.end(), [&] (const MidiMessage& message)
                                        { return isMessageOf (message, controlNum) && accept (Place{staffBar.bar, message.position}); }),
                        messages.end());
    }

    dropEmptyBars (staff);
}

struct CurveNode
{
    Place place;
    int val = 0;
    bool ramp = false;
};

//==============================================================================
/** A note-on and its note-off: where they are in the staff and the note's identity. */
struct PhantomPair
{
    size_t onBar = 0, onIndex = 0, offBar = 0, offIndex = 0;
    int bar = 0, pos = 0, pitch = 0, velocity = 0;
    juce::int64 dur = 0;
};

/** The staff's note messages paired as the host plays them: bar by bar, by
    position in the bar, one open note per pitch. */
std::vector<PhantomPair> phantomPairs (const ScoreDocument& score, const Staff& staff)
{
    std::vector<PhantomPair> pairs;
    std::map<int, PhantomPair> open;

    for (size_t b = 0; b < staff.bars.size(); ++b)
    {
        const auto& staffBar = staff.bars[b];
        std::vector<size_t> order (staffBar.midiMessages.size());

        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;

        std::stable_sort (order.begin(), order.end(), [&] (size_t x, size_t y)
                          { return staffBar.midiMessages[x].position < staffBar.midiMessages[y].position; });

        for (const auto i : order)
        {
            const auto& message = staffBar.midiMessages[i];
            const auto midi = readMidiText (message.text);

            if (!midi || midi->kind != 'N')
                continue;

            if (midi->value >= 1)
            {
                PhantomPair pair;
                pair.onBar = b;
                pair.onIndex = i;
                pair.bar = staffBar.bar;
                pair.pos = message.position;
                pair.pitch = midi->number;
                pair.velocity = midi->value;
                open.try_emplace (midi->number, pair);
                continue;
            }

            const auto started = open.find (midi->number);

            if (started == open.end())
                continue;

            auto pair = started->second;
            pair.offBar = b;
            pair.offIndex = i;
            pair.dur = (score.barStartTick (staffBar.bar) + message.position) - (score.barStartTick (pair.bar) + pair.pos);
            pairs.push_back (pair);
            open.erase (started);
        }
    }

    return pairs;
}

std::optional<PhantomPair> findPhantomIfAny (const ScoreDocument& score, const Staff& staff, int bar, int pos, int pitch, int dur)
{
    for (const auto& pair : phantomPairs (score, staff))
        if (pair.bar == bar && pair.pos == pos && pair.pitch == pitch && pair.dur == dur)
            return pair;

    return std::nullopt;
}

PhantomPair findPhantom (const ScoreDocument& score, const Staff& staff, int bar, int pos, int pitch, int dur)
{
    if (const auto pair = findPhantomIfAny (score, staff, bar, pos, pitch, dur))
        return *pair;

    fail ("no phantom note " + juce::String (bar) + "," + juce::String (pos) + "," + juce::String (pitch) + "," + juce::String (dur));
}

void removePhantom (Staff& staff, const PhantomPair& pair)
{
    // The later index first, so that the earlier one still points at its message.
    auto& onMessages = staff.bars[pair.onBar].midiMessages;
    auto& offMessages = staff.bars[pair.offBar].midiMessages;

    if (pair.onBar == pair.offBar && pair.onIndex < pair.offIndex)
    {
        offMessages.erase (offMessages.begin() + static_cast<long> (pair.offIndex));
        onMessages.erase (onMessages.begin() + static_cast<long> (pair.onIndex));
    }
    else
    {
        onMessages.erase (onMessages.begin() + static_cast<long> (pair.onIndex));
        offMessages.erase (offMessages.begin() + static_cast<long> (pair.offIndex));
    }
}

juce::String noteMessageText (int pitch, int velocity)
{
    return "~N" + juce::String (pitch) + "," + juce::String (velocity);
}

void addMessage (Staff& staff, int bar, int position, const juce::String& text)
{
    auto& staffBar = staff.getOrCreateBar (bar);
    staffBar.midiMessages.push_back ({position, text});
    sortByPosition (staffBar);
}

Note& writtenNote (Staff& staff, const juce::String& barField, const juce::String& potField, const juce::String& indexField)
{
    const auto bar = readInt (barField);

    for (auto& staffBar : staff.bars)
    {
        if (staffBar.bar != bar)
            continue;

        const auto pot = readInRange (potField, 0, static_cast<int> (staffBar.noteGroups.size()) - 1);
        auto& notes = staffBar.noteGroups[static_cast<size_t> (pot)].notes;
        return notes[static_cast<size_t> (readInRange (indexField, 0, static_cast<int> (notes.size()) - 1))];
    }

    fail ("no written notes in bar " + barField);
}

std::optional<int> readOverride (const juce::String& field, int low, int high)
{
    if (field == "F")
        return std::nullopt;

    return readInRange (field, low, high);
}

constexpr int maxTicks = 1 << 24;
} // namespace

//==============================================================================
juce::String controllerMessageText (int controlNum, int value, bool ramp, bool notePerformer)
{
    const juce::String prefix (ramp ? "~-" : "~");

    if (controlNum != -2)
        return prefix + "C" + juce::String (controlNum) + "," + juce::String (value);

    if (!notePerformer)
        return prefix + "B0," + juce::String (value);

    // The 14-bit bend whose reading on the 0..1023 scale is the value.
    const auto bend = 2 * value + 7168;
    return prefix + "B" + juce::String (bend & 127) + "," + juce::String (bend >> 7);
}

void applyEditCurve (ScoreDocument& score, const juce::String& text)
{
    const auto fields = split (text, ';');

    if (fields.size() < 3)
        fail ("expected a controller and a staff");

    const auto controlNum = readControl (fields[0]);
    auto& staff = staffOf (score, fields[1]);

    if (fields.size() == 3 && fields[2].isEmpty())
        return; // no node in the edited range

    if (fields.size() != 7)
        fail ("expected seven fields");

    const auto maximum = maxValue (controlNum, score);
    const auto readNode = [&] (const juce::String& field, bool withRamp)
    {
        const auto parts = fieldsOf (field, ',', withRamp ? 4 : 3);
        return CurveNode{readPlace (score, parts[0], parts[1]), readInRange (parts[2], 0, maximum), withRamp && readFlag (parts[3], "1", "0")};
    };

    // The neighbours are read to check them; the host keeps them as they are.
    if (fields[2].isNotEmpty())
        readNode (fields[2], true);
    if (fields[5].isNotEmpty())
        readNode (fields[5], false);

    const auto first = readNode (fields[3], true);
    const auto last = readNode (fields[4], true);

    if (last.place < first.place)
        fail ("the range ends before it starts");

    std::vector<CurveNode> nodes;

    for (const auto& group : split (fields[6], '#'))
    {
        const auto barAndNodes = fieldsOf (group, ':', 2);

        for (const auto& entry : split (barAndNodes[1], '|'))
        {
            const auto parts = fieldsOf (entry, ',', 3);
            const CurveNode node{readPlace (score, barAndNodes[0], parts[0]), readInRange (parts[1], 0, maximum), readFlag (parts[2], "1", "0")};

            if (node.place < first.place || last.place < node.place || (!nodes.empty() && node.place <= nodes.back().place))
                fail ("nodes out of order or outside the range");

            nodes.push_back (node);
        }
    }

    if (nodes.empty() || !(nodes.front().place == first.place) || !(nodes.back().place == last.place))
        fail ("the nodes do not span the range");

    removeControllerMessages (staff, controlNum, [&] (const Place& place)
                              { return first.place <= place && place <= last.place; });

    const bool notePerformer = score.soundSet == "NotePerformer";

    for (const auto& node : nodes)
        addMessage (staff, node.place.bar, node.place.pos, controllerMessageText (controlNum, node.val, node.ramp, notePerformer));
}

void applyEraseCurve (ScoreDocument& score, const juce::String& text)
{
    const auto fields = split (text, ';');

    if (fields.size() != 3)
        fail ("expected a controller, a staff and an interval");

    const auto controlNum = readControl (fields[0]);
    auto& staff = staffOf (score, fields[1]);

    if (fields[2].isEmpty())
        return; // nothing was erased

    const auto ends = fieldsOf (fields[2], ':', 4);
    const auto from = fieldsOf (ends[0], ',', 3);
    const auto to = fieldsOf (ends[2], ',', 3);
    const auto fromPlace = readPlace (score, from[0], from[1]);
    const auto toPlace = readPlace (score, to[0], to[1]);
    readInt (from[2]);
    readInt (to[2]);
    const auto fromIncluded = readFlag (ends[1], "1", "0");
    const auto toIncluded = readFlag (ends[3], "1", "0");

    if (toPlace < fromPlace)
        fail ("the interval ends before it starts");

    removeControllerMessages (staff, controlNum, [&] (const Place& place)
                              {
                                  const bool afterFrom = fromIncluded ? fromPlace <= place : fromPlace < place;
                                  const bool beforeTo = toIncluded ? place <= toPlace : place < toPlace;
                                  return afterFrom && beforeTo; });
}

void applyNoteVel (ScoreDocument& score, const juce::String& text)
{
    for (const auto& entry : entriesOf (text))
    {
        const auto fields = fieldsOf (entry, ',', 8);
        auto& staff = staffOf (score, fields[0]);

        if (fields[2] == "W" && fields[5].isEmpty())
        {
            auto& note = writtenNote (staff, fields[1], fields[3], fields[4]);
            // "F" plays the written dynamics again: the editor sends the velocity
            // it cleared (-1) with it, which nothing reads.
            const auto use = readFlag (fields[6], "T", "F");
            note.playedVelocity = use ? std::optional<int> (readInRange (fields[7], 0, 127)) : std::nullopt;
        }
        else if (fields[2] == "C" && fields[6] == "F")
        {
            const auto pair = findPhantom (score, staff, readInt (fields[1]), readInt (fields[3]), readInt (fields[4]), readInt (fields[5]));
            staff.bars[pair.onBar].midiMessages[pair.onIndex].text = noteMessageText (pair.pitch, readInRange (fields[7], 1, 127));
        }
        else
        {
            fail ("unknown velocity entry \"" + entry + "\"");
        }
    }
}

/** The velocity of a phantom note that a sound entry adds (the editor draws at 100). */
constexpr int newPhantomVelocity = 100;

void applyNoteSound (ScoreDocument& score, const juce::String& text)
{
    for (const auto& entry : entriesOf (text))
    {
        const auto fields = split (entry, ',');

        if (fields[0] == "W" && fields.size() == 8 && fields[5].isEmpty())
        {
            auto& note = writtenNote (staffOf (score, fields[1]), fields[2], fields[3], fields[4]);
            const auto offset = readOverride (fields[6], -maxTicks, maxTicks);
            const auto duration = readOverride (fields[7], 1, maxTicks);
            note.playedOffset = offset;
            note.playedDuration = duration;
        }
        else if (fields[0] == "C" && fields.size() == 9)
        {
            auto& staff = staffOf (score, fields[1]);
            // An identity that names no pair adds one: the editor's newly drawn phantom note.
            const auto pitch = readInRange (fields[4], 0, 127);
            const auto found = findPhantomIfAny (score, staff, readInt (fields[2]), readInt (fields[3]), pitch, readInt (fields[5]));
            const auto start = readPlace (score, fields[6], fields[7]);
            const auto startTick = score.barStartTick (start.bar) + start.pos;
            const auto endTick = startTick + readInRange (fields[8], 1, maxTicks);

            if (endTick > score.totalTicks())
                fail ("the note would end after the score");

            if (found.has_value())
                removePhantom (staff, *found);

            const auto velocity = found.has_value() ? found->velocity : newPhantomVelocity;
            const auto [endBar, endPos] = score.tickToBarPosition (endTick); // the score's end is its last bar's length
            addMessage (staff, start.bar, start.pos, noteMessageText (pitch, velocity));
            addMessage (staff, endBar, endPos, noteMessageText (pitch, 0));
            dropEmptyBars (staff);
        }
        else
        {
            fail ("unknown sound entry \"" + entry + "\"");
        }
    }
}

void applyNoteErase (ScoreDocument& score, const juce::String& text)
{
    for (const auto& entry : entriesOf (text))
    {
        const auto fields = fieldsOf (entry, ',', 6);
        auto& staff = staffOf (score, fields[0]);

        if (fields[2] == "W" && fields[5].isEmpty())
        {
            auto& note = writtenNote (staff, fields[1], fields[3], fields[4]);
            note.playedOffset.reset();
            note.playedDuration.reset();
        }
        else if (fields[2] == "C")
        {
            removePhantom (staff, findPhantom (score, staff, readInt (fields[1]), readInt (fields[3]), readInt (fields[4]), readInt (fields[5])));
            dropEmptyBars (staff);
        }
        else
        {
            fail ("unknown erase entry \"" + entry + "\"");
        }
    }
}

void applyStaffMute (ScoreDocument& score, const juce::String& text)
{
    const auto fields = fieldsOf (text, ',', 2);
    auto& staff = staffOf (score, fields[0]);

    if (fields[1] == "M")
        staff.mute = MuteMode::muted;
    else if (fields[1] == "H")
        staff.mute = MuteMode::halfMuted;
    else if (fields[1] == "N")
        staff.mute = MuteMode::notMuted;
    else
        fail ("unknown mute \"" + fields[1] + "\"");
}

void applyStaffSolo (ScoreDocument& score, const juce::String& text)
{
    const auto fields = fieldsOf (text, ';', 3);
    auto& staff = staffOf (score, fields[0]);
    const auto solo = readFlag (fields[1], "T", "F");

    for (const auto& number : split (fields[2], ','))
        readInt (number);

    staff.solo = solo;
}

void applySetTrackProps (ScoreDocument& score, const juce::String& text)
{
    static const juce::String indexKey ("staffIndex:"), nameKey ("|name:"), shortKey ("|shortName:");

    if (!text.startsWith (indexKey))
        fail ("expected staffIndex first");

    const auto nameAt = text.indexOf (nameKey);
    const auto shortAt = nameAt < 0 ? -1 : text.indexOf (nameAt + nameKey.length(), shortKey);

    if (shortAt < 0)
        fail ("expected name and shortName");

    auto& staff = staffOf (score, text.substring (indexKey.length(), nameAt));
    staff.fullName = text.substring (nameAt + nameKey.length(), shortAt);
    staff.shortName = text.substring (shortAt + shortKey.length());
}
} // namespace hostsim::orvana::edits
