#include "score/ScoreJson.h"
#include "util/JsonText.h"
#include "util/JsonWriter.h"

#include <algorithm>
#include <set>

namespace hostsim::scorejson
{
namespace
{
constexpr int formatVersion = 1;
constexpr int maxTicks = 1 << 24;

/** Reads the fields of one JSON object, remembering the first error with the field's path. */
class FieldReader final
{
public:
    FieldReader (const juce::var& value, juce::String objectPath, juce::String& errorOut)
        : object (value.getDynamicObject())
        , path (std::move (objectPath))
        , error (errorOut)
    {
        if (object == nullptr)
            fail (path, "expected an object");
    }

    bool ok() const { return error.isEmpty(); }

    bool has (const char* key) const { return object != nullptr && object->hasProperty (key); }

    bool integer (const char* key, int& out, int min, int max, bool required)
    {
        if (!prepare (key, required))
            return ok();

        int v = 0;

        if (!json::getInt (get (key), v) || v < min || v > max)
            return fail (fieldPath (key), "expected an integer from " + juce::String (min) + " to " + juce::String (max));

        out = v;
        return true;
    }

    bool optionalInteger (const char* key, std::optional<int>& out, int min, int max)
    {
        if (!has (key) || get (key).isVoid())
            return ok();

        int v = 0;

        if (!integer (key, v, min, max, true))
            return false;

        out = v;
        return true;
    }

    bool number (const char* key, double& out, double min, double max, bool required)
    {
        if (!prepare (key, required))
            return ok();

        const auto& v = get (key);

        if (!(v.isInt() || v.isInt64() || v.isDouble()) || static_cast<double> (v) < min
            || static_cast<double> (v) > max)
            return fail (fieldPath (key), "expected a number from " + juce::String (min) + " to " + juce::String (max));

        out = static_cast<double> (v);
        return true;
    }

    bool text (const char* key, juce::String& out, bool required)
    {
        if (!prepare (key, required))
            return ok();

        if (!get (key).isString())
            return fail (fieldPath (key), "expected a text");

        out = get (key).toString();
        return true;
    }

    bool boolean (const char* key, bool& out)
    {
        if (!prepare (key, false))
            return ok();

        if (!get (key).isBool())
            return fail (fieldPath (key), "expected true or false");

        out = static_cast<bool> (get (key));
        return true;
    }

    /** The array under the key: nullptr when it is absent (or after an error). */
    const juce::Array<juce::var>* array (const char* key, bool required)
    {
        if (!prepare (key, required))
            return nullptr;

        if (!get (key).isArray())
        {
            fail (fieldPath (key), "expected an array");
            return nullptr;
        }

        return get (key).getArray();
    }

    const juce::var& get (const char* key) const { return object->getProperty (key); }

    juce::String fieldPath (const char* key) const { return path.isEmpty() ? juce::String (key) : path + "." + key; }
    juce::String elementPath (const char* key, int index) const { return fieldPath (key) + "[" + juce::String (index) + "]"; }

    bool fail (const juce::String& where, const juce::String& what)
    {
        if (error.isEmpty())
            error = (where.isEmpty() ? juce::String ("score") : where) + ": " + what;

        return false;
    }

private:
    /** True when the field is there to be read; a missing required field is an error. */
    bool prepare (const char* key, bool required)
    {
        if (object == nullptr || !ok())
            return false;

        if (has (key))
            return true;

        if (required)
            fail (fieldPath (key), "missing");

        return false;
    }

    juce::DynamicObject* object;
    juce::String path;
    juce::String& error;
};

class ScoreReader final
{
public:
    juce::Result read (const juce::var& root, ScoreDocument& score)
    {
        FieldReader r (root, {}, error);

        if (r.has ("version"))
        {
            int version = 0;

            if (r.integer ("version", version, 1, 1000, true) && version != formatVersion)
                r.fail ("version", "unsupported version " + juce::String (version));
        }

        r.text ("title", score.title, false);
        r.text ("soundSet", score.soundSet, false);
        r.number ("tempoStart", score.tempoStart, 1.0, 10000.0, false);
        readBars (r, score);
        readStaves (r, score);
        readList (r, "chordSymbols", score.chordSymbols, [&] (FieldReader& e, ChordSymbol& c)
                  { readChord (e, c, score); });
        readList (r, "keySignatures", score.keySignatures, [&] (FieldReader& e, KeySignature& k)
                  { readKey (e, k, score); });
        readList (r, "tempoMarks", score.tempoMarks, [&] (FieldReader& e, TempoMark& m)
                  { readMark (e, m, score); });
        readList (r, "tempoPoints", score.tempoPoints, [&] (FieldReader& e, TempoPoint& p)
                  { readPoint (e, p, score); });
        readList (r, "hitPoints", score.hitPoints, [&] (FieldReader& e, HitPoint& h)
                  { readHitPoint (e, h, score); });
        readList (r, "parts", score.parts, [&] (FieldReader& e, Part& p)
                  { readPart (e, p, score); });
        readList (r, "pages", score.pages, [&] (FieldReader& e, Page& p)
                  { readPage (e, p, score); });
        readList (r, "items", score.items, [&] (FieldReader& e, ScoreItem& i)
                  { readItem (e, i, score); });
        readSelection (r, score);
        readTextMap (r, "productStates", score.productStates);
        readPluginData (r, score);

        return error.isEmpty() ? juce::Result::ok() : juce::Result::fail (error);
    }

private:
    template <typename Item, typename ReadItem>
    void readList (FieldReader& r, const char* key, std::vector<Item>& items, ReadItem readItem)
    {
        const auto* array = r.array (key, false);

        if (array == nullptr)
            return;

        for (int i = 0; i < array->size() && r.ok(); ++i)
        {
            FieldReader e (array->getReference (i), r.elementPath (key, i), error);
            Item item;
            readItem (e, item);
            items.push_back (std::move (item));
        }
    }

    bool checkBar (FieldReader& e, const char* key, int bar, const ScoreDocument& score)
    {
        if (e.ok() && score.findBar (bar) == nullptr)
            return e.fail (e.fieldPath (key), "no bar " + juce::String (bar) + " in the score");

        return e.ok();
    }

    bool checkStaff (FieldReader& e, const char* key, int staff, const ScoreDocument& score)
    {
        if (e.ok() && score.findStaff (staff) == nullptr)
            return e.fail (e.fieldPath (key), "no staff " + juce::String (staff) + " in the score");

        return e.ok();
    }

    void readBars (FieldReader& r, ScoreDocument& score)
    {
        readList (r, "bars", score.bars, [&] (FieldReader& e, Bar& b)
                  {
            e.integer ("number", b.number, 1, maxTicks, true);
            b.externalNumber = b.number;
            e.integer ("externalNumber", b.externalNumber, -maxTicks, maxTicks, false);
            e.integer ("length", b.length, 1, maxTicks, true);
            e.text ("meter", b.meter, false);

            if (e.ok() && ! parseMeter (b.meter).has_value())
                e.fail (e.fieldPath ("meter"), "expected a meter such as 3/4");

            if (e.ok() && b.number != static_cast<int> (score.bars.size()) + 1)
                e.fail (e.fieldPath ("number"), "bars must be numbered 1, 2, 3, ... in order"); });

        if (r.ok() && !r.has ("bars"))
            r.fail ("bars", "missing");
    }

    void readStaves (FieldReader& r, ScoreDocument& score)
    {
        readList (r, "staves", score.staves, [&] (FieldReader& e, Staff& s)
                  {
            e.integer ("number", s.number, 1, 100000, true);

            if (e.ok() && score.findStaff (s.number) != nullptr)
                e.fail (e.fieldPath ("number"), "staff " + juce::String (s.number) + " appears twice");

            e.text ("fullName", s.fullName, false);
            e.text ("shortName", s.shortName, false);
            e.text ("styleId", s.styleId, false);
            e.boolean ("solo", s.solo);

            juce::String muteText = "notMuted";

            if (e.text ("mute", muteText, false))
            {
                if (const auto mode = muteModeFromText (muteText))
                    s.mute = *mode;
                else
                    e.fail (e.fieldPath ("mute"), "expected notMuted, halfMuted or muted");
            }

            if (const auto* bars = e.array ("bars", false))
                for (int i = 0; i < bars->size() && e.ok(); ++i)
                    readStaffBar (FieldReader (bars->getReference (i), e.elementPath ("bars", i), error), s, score); });
    }

    void readStaffBar (FieldReader e, Staff& staff, const ScoreDocument& score)
    {
        int barNumber = 0;

        if (!e.integer ("bar", barNumber, 1, maxTicks, true) || !checkBar (e, "bar", barNumber, score))
            return;

        if (staff.findBar (barNumber) != nullptr)
        {
            e.fail (e.fieldPath ("bar"), "bar " + juce::String (barNumber) + " appears twice in this staff");
            return;
        }

        auto& sb = staff.getOrCreateBar (barNumber);

        if (const auto* groups = e.array ("noteGroups", false))
        {
            for (int i = 0; i < groups->size() && e.ok(); ++i)
            {
                FieldReader g (groups->getReference (i), e.elementPath ("noteGroups", i), error);
                NoteGroup group;
                g.integer ("position", group.position, 0, maxTicks, true);
                g.integer ("duration", group.duration, 0, maxTicks, true);

                if (const auto* notes = g.array ("notes", true))
                    for (int n = 0; n < notes->size() && g.ok(); ++n)
                        group.notes.push_back (readNote (FieldReader (notes->getReference (n), g.elementPath ("notes", n), error)));

                sb.noteGroups.push_back (std::move (group));
            }
        }

        if (const auto* messages = e.array ("midi", false))
        {
            for (int i = 0; i < messages->size() && e.ok(); ++i)
            {
                FieldReader m (messages->getReference (i), e.elementPath ("midi", i), error);
                MidiMessage message;
                m.integer ("position", message.position, 0, maxTicks, true);
                m.text ("text", message.text, true);
                sb.midiMessages.push_back (std::move (message));
            }
        }
    }

    Note readNote (FieldReader n)
    {
        Note note;
        n.integer ("pitch", note.pitch, 0, 127, true);
        n.optionalInteger ("diatonicPitch", note.diatonicPitch, 0, 1000);
        n.optionalInteger ("playedVelocity", note.playedVelocity, 0, 127);
        n.optionalInteger ("playedDuration", note.playedDuration, 0, maxTicks);
        n.optionalInteger ("playedOffset", note.playedOffset, -maxTicks, maxTicks);

        if (n.ok() && n.has ("tuplet") && !n.get ("tuplet").isVoid())
        {
            FieldReader t (n.get ("tuplet"), n.fieldPath ("tuplet"), error);
            Tuplet tuplet;
            t.integer ("left", tuplet.left, 0, 1000, true);
            t.integer ("right", tuplet.right, 0, 1000, true);
            note.tuplet = tuplet;
        }

        return note;
    }

    void readChord (FieldReader& e, ChordSymbol& c, const ScoreDocument& score)
    {
        e.integer ("staff", c.staff, 1, 100000, true);
        checkStaff (e, "staff", c.staff, score);
        e.integer ("bar", c.bar, 1, maxTicks, true);
        checkBar (e, "bar", c.bar, score);
        e.integer ("position", c.position, 0, maxTicks, true);
        e.text ("name", c.name, true);
    }

    void readKey (FieldReader& e, KeySignature& k, const ScoreDocument& score)
    {
        e.integer ("bar", k.bar, 1, maxTicks, true);
        checkBar (e, "bar", k.bar, score);
        e.integer ("position", k.position, 0, maxTicks, false);
        e.integer ("fifths", k.fifths, -7, 7, true);
        e.boolean ("major", k.major);
    }

    void readMark (FieldReader& e, TempoMark& m, const ScoreDocument& score)
    {
        e.integer ("bar", m.bar, 1, maxTicks, true);
        checkBar (e, "bar", m.bar, score);
        e.integer ("position", m.position, 0, maxTicks, false);
        e.number ("bpm", m.bpm, 1.0, 10000.0, true);
        e.text ("label", m.label, false);

        if (e.text ("motion", m.motion, false) && m.motion.isNotEmpty() && m.motion != "P" && m.motion != "S")
            e.fail (e.fieldPath ("motion"), "expected \"\", \"P\" or \"S\"");

        e.integer ("spanDuration", m.spanDuration, 0, maxTicks, false);
        e.boolean ("muted", m.muted);
    }

    void readPoint (FieldReader& e, TempoPoint& p, const ScoreDocument& score)
    {
        e.integer ("bar", p.bar, 1, maxTicks, true);
        checkBar (e, "bar", p.bar, score);
        e.integer ("position", p.position, 0, maxTicks, false);
        e.number ("bpm", p.bpm, 1.0, 10000.0, true);

        juce::String shape = "jump";

        if (e.text ("shape", shape, false))
        {
            if (shape == "ramp")
                p.shape = ReachShape::ramp;
            else if (shape != "jump")
                e.fail (e.fieldPath ("shape"), "expected jump or ramp");
        }
    }

    void readHitPoint (FieldReader& e, HitPoint& h, const ScoreDocument& score)
    {
        e.integer ("id", h.id, 0, 1 << 30, true);
        e.integer ("bar", h.bar, 1, maxTicks, true);
        checkBar (e, "bar", h.bar, score);
        e.integer ("position", h.position, 0, maxTicks, false);
        e.integer ("timeMillis", h.timeMillis, 0, 1 << 30, false);
        e.text ("label", h.label, false);
    }

    void readPart (FieldReader& e, Part& p, const ScoreDocument& score)
    {
        e.text ("name", p.name, true);

        if (const auto* staves = e.array ("staves", true))
        {
            for (int i = 0; i < staves->size() && e.ok(); ++i)
            {
                int staff = 0;

                if (!json::getInt (staves->getReference (i), staff) || score.findStaff (staff) == nullptr)
                    e.fail (e.elementPath ("staves", i), "expected the number of a staff of the score");
                else
                    p.staves.push_back (staff);
            }
        }
    }

    void readPage (FieldReader& e, Page& p, const ScoreDocument& score)
    {
        e.integer ("firstBar", p.firstBar, 1, maxTicks, true);
        checkBar (e, "firstBar", p.firstBar, score);
        e.integer ("barCount", p.barCount, 1, maxTicks, true);
        checkBar (e, "barCount", p.lastBar(), score);

        if (e.ok() && !score.pages.empty() && p.firstBar <= score.pages.back().lastBar())
            e.fail (e.fieldPath ("firstBar"), "pages must follow each other without sharing bars");

        int systemCount = 0;
        e.integer ("systemCount", systemCount, 1, 1000, !e.has ("systems"));

        if (const auto* systems = e.array ("systems", false))
        {
            for (int i = 0; i < systems->size() && e.ok(); ++i)
            {
                FieldReader s (systems->getReference (i), e.elementPath ("systems", i), error);
                System system;
                s.integer ("firstBar", system.firstBar, 1, maxTicks, true);
                s.integer ("barCount", system.barCount, 1, maxTicks, true);
                p.systems.push_back (system);
            }

            if (e.ok() && systemCount != 0 && systemCount != p.systemCount())
                e.fail (e.fieldPath ("systemCount"), "differs from the number of systems");

            if (e.ok() && p.checkSystems().isNotEmpty())
                e.fail (e.fieldPath ("systems"), p.checkSystems());
        }
        else if (e.ok())
        {
            p = Page::withEvenSystems (p.firstBar, p.barCount, systemCount);
        }
    }

    void readItem (FieldReader& e, ScoreItem& item, const ScoreDocument& score)
    {
        e.integer ("id", item.id, 1, 1 << 30, true);

        if (e.ok() && !score.items.empty() && item.id <= score.items.back().id)
            e.fail (e.fieldPath ("id"), "ids must be unique and in ascending order");

        e.text ("kind", item.kind, true);

        if (e.ok() && item.kind.isEmpty())
            e.fail (e.fieldPath ("kind"), "must not be empty");

        e.integer ("staff", item.staff, 0, 100000, true);

        if (item.staff != 0)
            checkStaff (e, "staff", item.staff, score);

        e.integer ("bar", item.bar, 1, maxTicks, true);
        checkBar (e, "bar", item.bar, score);
        e.integer ("position", item.position, 0, maxTicks, false);
        e.integer ("duration", item.duration, 0, maxTicks, false);
        e.text ("text", item.text, false);

        if (e.ok() && e.has ("properties") && !e.get ("properties").isVoid())
        {
            if (e.get ("properties").getDynamicObject() == nullptr || e.get ("properties").isArray())
                e.fail (e.fieldPath ("properties"), "expected an object");
            else
                item.properties = e.get ("properties");
        }
    }

    void readSelection (FieldReader& r, ScoreDocument& score)
    {
        if (!r.ok() || !r.has ("selection") || r.get ("selection").isVoid())
            return;

        FieldReader s (r.get ("selection"), "selection", error);
        Selection selection;
        s.integer ("firstBar", selection.firstBar, 1, maxTicks, true);
        checkBar (s, "firstBar", selection.firstBar, score);
        s.integer ("lastBar", selection.lastBar, 1, maxTicks, true);
        checkBar (s, "lastBar", selection.lastBar, score);

        if (s.ok() && selection.lastBar < selection.firstBar)
            s.fail ("selection.lastBar", "must not come before firstBar");

        if (const auto* staves = s.array ("staves", true))
        {
            std::set<int> unique;

            for (int i = 0; i < staves->size() && s.ok(); ++i)
            {
                int staff = 0;

                if (!json::getInt (staves->getReference (i), staff) || score.findStaff (staff) == nullptr)
                    s.fail (s.elementPath ("staves", i), "expected the number of a staff of the score");
                else
                    unique.insert (staff);
            }

            selection.staves.assign (unique.begin(), unique.end());
        }

        if (s.ok())
            score.selection = selection;
    }

    /** The properties of the object under the key; nullptr when it is absent (or not an object: an error). */
    const juce::NamedValueSet* objectFields (FieldReader& r, const char* key)
    {
        if (!r.ok() || !r.has (key))
            return nullptr;

        auto* object = r.get (key).getDynamicObject();

        if (object == nullptr)
        {
            r.fail (key, "expected an object");
            return nullptr;
        }

        return &object->getProperties();
    }

    void readTextMap (FieldReader& r, const char* key, std::map<juce::String, juce::String>& out)
    {
        if (const auto* fields = objectFields (r, key))
        {
            for (const auto& property : *fields)
            {
                if (!property.value.isString())
                {
                    r.fail (juce::String (key) + "." + property.name.toString(), "expected a text");
                    return;
                }

                out[property.name.toString()] = property.value.toString();
            }
        }
    }

    void readPluginData (FieldReader& r, ScoreDocument& score)
    {
        if (const auto* fields = objectFields (r, "pluginData"))
            for (const auto& property : *fields)
                score.pluginData[property.name.toString()] = property.value;
    }

    juce::String error;
};

using json::JsonWriter;
constexpr auto inlined = JsonWriter::Layout::inlined;

void writeNote (JsonWriter& w, const Note& n)
{
    w.beginObject (inlined);
    w.key ("pitch").value (n.pitch);

    if (n.diatonicPitch)
        w.key ("diatonicPitch").value (*n.diatonicPitch);

    if (n.playedVelocity)
        w.key ("playedVelocity").value (*n.playedVelocity);

    if (n.playedDuration)
        w.key ("playedDuration").value (*n.playedDuration);

    if (n.playedOffset)
        w.key ("playedOffset").value (*n.playedOffset);

    if (n.tuplet)
    {
        w.key ("tuplet").beginObject (inlined);
        w.key ("left").value (n.tuplet->left);
        w.key ("right").value (n.tuplet->right);
        w.endObject();
    }

    w.endObject();
}

void writeStaffBar (JsonWriter& w, const StaffBar& sb)
{
    w.beginObject (inlined);
    w.key ("bar").value (sb.bar);

    if (!sb.noteGroups.empty())
    {
        w.key ("noteGroups").beginArray();

        for (const auto& g : sb.noteGroups)
        {
            w.beginObject();
            w.key ("position").value (g.position);
            w.key ("duration").value (g.duration);
            w.key ("notes").beginArray();

            for (const auto& n : g.notes)
                writeNote (w, n);

            w.endArray();
            w.endObject();
        }

        w.endArray();
    }

    if (!sb.midiMessages.empty())
    {
        w.key ("midi").beginArray();

        for (const auto& m : sb.midiMessages)
        {
            w.beginObject();
            w.key ("position").value (m.position);
            w.key ("text").value (m.text);
            w.endObject();
        }

        w.endArray();
    }

    w.endObject();
}

void writeStaff (JsonWriter& w, const Staff& s)
{
    w.beginObject();
    w.key ("number").value (s.number);
    w.key ("fullName").value (s.fullName);
    w.key ("shortName").value (s.shortName);
    w.key ("styleId").value (s.styleId);
    w.key ("mute").value (muteModeToText (s.mute));
    w.key ("solo").value (s.solo);
    w.key ("bars").beginArray();

    for (const auto& sb : s.bars)
        writeStaffBar (w, sb);

    w.endArray();
    w.endObject();
}

template <typename Item, typename WriteItem>
void writeList (JsonWriter& w, const char* key, const std::vector<Item>& items, WriteItem writeItem)
{
    w.key (key).beginArray();

    for (const auto& item : items)
    {
        w.beginObject (inlined);
        writeItem (item);
        w.endObject();
    }

    w.endArray();
}
} // namespace

juce::Result parse (const juce::String& text, ScoreDocument& out)
{
    juce::var root;
    const auto parsed = json::parse (text, root);

    if (parsed.failed())
        return juce::Result::fail ("not valid JSON: " + parsed.getErrorMessage());

    ScoreDocument score;
    score.soundSet = "default";
    ScoreReader reader;
    const auto result = reader.read (root, score);

    if (result.wasOk())
        out = std::move (score);

    return result;
}

juce::Result load (const juce::File& file, ScoreDocument& out)
{
    if (!file.existsAsFile())
        return juce::Result::fail (file.getFullPathName() + ": no such file");

    const auto result = parse (file.loadFileAsString(), out);

    if (result.failed())
        return juce::Result::fail (file.getFileName() + ": " + result.getErrorMessage());

    out.file = file;
    return result;
}

void write (const ScoreDocument& score, juce::OutputStream& out)
{
    JsonWriter w (out);
    w.beginObject();
    w.key ("format").value ("host-sim score");
    w.key ("version").value (formatVersion);
    w.key ("title").value (score.title);
    w.key ("soundSet").value (score.soundSet);
    w.key ("tempoStart").value (score.tempoStart);

    writeList (w, "bars", score.bars, [&] (const Bar& b)
               {
        w.key ("number").value (b.number);
        w.key ("externalNumber").value (b.externalNumber);
        w.key ("length").value (b.length);
        w.key ("meter").value (b.meter); });

    w.key ("staves").beginArray();

    for (const auto& s : score.staves)
        writeStaff (w, s);

    w.endArray();

    writeList (w, "chordSymbols", score.chordSymbols, [&] (const ChordSymbol& c)
               {
        w.key ("staff").value (c.staff);
        w.key ("bar").value (c.bar);
        w.key ("position").value (c.position);
        w.key ("name").value (c.name); });
    writeList (w, "keySignatures", score.keySignatures, [&] (const KeySignature& k)
               {
        w.key ("bar").value (k.bar);
        w.key ("position").value (k.position);
        w.key ("fifths").value (k.fifths);
        w.key ("major").value (k.major); });
    writeList (w, "tempoMarks", score.tempoMarks, [&] (const TempoMark& m)
               {
        w.key ("bar").value (m.bar);
        w.key ("position").value (m.position);
        w.key ("bpm").value (m.bpm);
        w.key ("label").value (m.label);
        w.key ("motion").value (m.motion);
        w.key ("spanDuration").value (m.spanDuration);
        w.key ("muted").value (m.muted); });
    writeList (w, "tempoPoints", score.tempoPoints, [&] (const TempoPoint& p)
               {
        w.key ("bar").value (p.bar);
        w.key ("position").value (p.position);
        w.key ("bpm").value (p.bpm);
        w.key ("shape").value (p.shape == ReachShape::ramp ? "ramp" : "jump"); });
    writeList (w, "hitPoints", score.hitPoints, [&] (const HitPoint& h)
               {
        w.key ("id").value (h.id);
        w.key ("bar").value (h.bar);
        w.key ("position").value (h.position);
        w.key ("timeMillis").value (h.timeMillis);
        w.key ("label").value (h.label); });
    writeList (w, "parts", score.parts, [&] (const Part& p)
               {
        w.key ("name").value (p.name);
        w.key ("staves").beginArray();

        for (const auto staff : p.staves)
            w.value (staff);

        w.endArray(); });
    writeList (w, "pages", score.pages, [&] (const Page& p)
               {
        w.key ("firstBar").value (p.firstBar);
        w.key ("barCount").value (p.barCount);
        w.key ("systemCount").value (p.systemCount());
        w.key ("systems").beginArray (inlined);

        for (const auto& system : p.systems)
        {
            w.beginObject (inlined);
            w.key ("firstBar").value (system.firstBar);
            w.key ("barCount").value (system.barCount);
            w.endObject();
        }

        w.endArray(); });
    writeList (w, "items", score.items, [&] (const ScoreItem& i)
               {
        w.key ("id").value (i.id);
        w.key ("kind").value (i.kind);
        w.key ("staff").value (i.staff);
        w.key ("bar").value (i.bar);
        w.key ("position").value (i.position);
        w.key ("duration").value (i.duration);
        w.key ("text").value (i.text);

        if (i.properties.getDynamicObject() != nullptr)
            w.key ("properties").value (i.properties); });

    w.key ("selection");

    if (score.selection.isEmpty())
    {
        w.null();
    }
    else
    {
        w.beginObject (inlined);
        w.key ("firstBar").value (score.selection.firstBar);
        w.key ("lastBar").value (score.selection.lastBar);
        w.key ("staves").beginArray();

        for (const auto staff : score.selection.staves)
            w.value (staff);

        w.endArray();
        w.endObject();
    }

    w.key ("productStates").beginObject();

    for (const auto& [code, state] : score.productStates)
        w.key (code.toRawUTF8()).value (state);

    w.endObject();
    w.key ("pluginData").beginObject();

    for (const auto& [code, data] : score.pluginData)
        w.key (code.toRawUTF8()).value (data);

    w.endObject();
    w.endObject();
}

juce::String toJson (const ScoreDocument& score)
{
    juce::MemoryOutputStream out;
    write (score, out);
    return out.toUTF8();
}

juce::Result save (const ScoreDocument& score, const juce::File& file)
{
    juce::TemporaryFile temp (file);

    {
        auto stream = temp.getFile().createOutputStream();

        if (stream == nullptr)
            return juce::Result::fail ("cannot write " + file.getFullPathName());

        write (score, *stream);
        stream->flush();

        if (stream->getStatus().failed())
            return juce::Result::fail ("cannot write " + file.getFullPathName() + ": " + stream->getStatus().getErrorMessage());
    }

    if (!temp.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("cannot replace " + file.getFullPathName());

    return juce::Result::ok();
}
} // namespace hostsim::scorejson
