#include "util/JsonWriter.h"

#include <cmath>

namespace hostsim::json
{
JsonWriter::JsonWriter (juce::OutputStream& stream)
    : out (stream)
{
}

void JsonWriter::newlineAndIndent (size_t depth)
{
    out << "\n";
    out.writeRepeatedByte (' ', depth * 2);
}

void JsonWriter::beforeValue()
{
    if (keyPending)
    {
        keyPending = false;
        return;
    }

    if (frames.empty())
        return;

    auto& frame = frames.back();

    if (!frame.isEmpty)
        out << (frame.isInline ? ", " : ",");

    if (!frame.isInline)
        newlineAndIndent (frames.size());

    frame.isEmpty = false;
}

void JsonWriter::open (char bracket, bool isObject, Layout layout)
{
    beforeValue();
    out << bracket;
    const bool parentInline = !frames.empty() && frames.back().isInline;
    frames.push_back ({isObject, parentInline || layout == Layout::inlined});
}

void JsonWriter::close (char bracket)
{
    jassert (!frames.empty());
    const auto frame = frames.back();
    frames.pop_back();

    if (!frame.isInline && !frame.isEmpty)
        newlineAndIndent (frames.size());

    out << bracket;

    if (frames.empty())
        out << "\n";
}

void JsonWriter::beginObject (Layout layout)
{
    open ('{', true, layout);
}
void JsonWriter::endObject()
{
    close ('}');
}
void JsonWriter::beginArray (Layout layout)
{
    open ('[', false, layout);
}
void JsonWriter::endArray()
{
    close (']');
}

JsonWriter& JsonWriter::key (const char* name)
{
    jassert (!frames.empty() && frames.back().isObject && !keyPending);
    beforeValue();
    out << juce::JSON::toString (juce::String::fromUTF8 (name)) << ": ";
    keyPending = true;
    return *this;
}

void JsonWriter::value (int v)
{
    beforeValue();
    out << juce::String (v);
}

void JsonWriter::value (double v)
{
    beforeValue();
    out << formatDouble (v);
}

void JsonWriter::value (bool v)
{
    beforeValue();
    out << (v ? "true" : "false");
}

void JsonWriter::value (const juce::String& v)
{
    beforeValue();
    out << juce::JSON::toString (juce::var (v));
}

void JsonWriter::null()
{
    beforeValue();
    out << "null";
}

void JsonWriter::value (const juce::var& v)
{
    beforeValue();
    out << juce::JSON::toString (v, true);
}

juce::String JsonWriter::formatDouble (double v)
{
    if (!std::isfinite (v))
        return "null";

    if (v == std::floor (v) && std::abs (v) < 1.0e15)
        return juce::String (static_cast<juce::int64> (v));

    auto text = juce::String (v, 6);

    while (text.endsWithChar ('0'))
        text = text.dropLastCharacters (1);

    return text.endsWithChar ('.') ? text.dropLastCharacters (1) : text;
}
} // namespace hostsim::json
