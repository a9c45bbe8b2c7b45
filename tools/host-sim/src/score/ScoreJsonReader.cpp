// Reading a score document from its JSON text.
#include "score/ScoreFieldReader.h"
#include "score/ScoreJson.h"
#include "util/JsonText.h"

#include <algorithm>
#include <set>

namespace hostsim::scorejson
{
namespace
{
constexpr int maxTicks = 1 << 24;

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
} // namespace hostsim::scorejson
