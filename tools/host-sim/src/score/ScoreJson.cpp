#include "score/ScoreJson.h"
#include "util/JsonWriter.h"

#include <algorithm>

namespace hostsim::scorejson
{
namespace
{
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
