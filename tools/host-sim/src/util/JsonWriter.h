#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace hostsim::json
{
/** Writes JSON text straight to a stream, in a chosen layout: a container
    opened as "block" puts each element on its own indented line, one opened
    as "inline" keeps itself and everything inside on one line. Streaming
    keeps large generated scores cheap; keys come out in the order written. */
class JsonWriter final
{
public:
    enum class Layout
    {
        block,
        inlined
    };

    explicit JsonWriter (juce::OutputStream& out);

    void beginObject (Layout layout = Layout::block);
    void endObject();
    void beginArray (Layout layout = Layout::block);
    void endArray();

    /** The key of the next value; only inside an object. */
    JsonWriter& key (const char* name);

    void value (int v);
    void value (double v);
    void value (bool v);
    void value (const juce::String& v);
    void value (const char* v) { value (juce::String::fromUTF8 (v)); }
    void null();

    /** Writes a framework value (objects, arrays, strings, numbers) inline. */
    void value (const juce::var& v);

    /** Formats a double as JSON: whole numbers without a fraction, others with up to 6 decimals. */
    static juce::String formatDouble (double v);

private:
    struct Frame
    {
        bool isObject;
        bool isInline;
        bool isEmpty = true;
    };

    void beforeValue();
    void open (char bracket, bool isObject, Layout layout);
    void close (char bracket);
    void newlineAndIndent (size_t depth);

    juce::OutputStream& out;
    std::vector<Frame> frames;
    bool keyPending = false;
};
} // namespace hostsim::json
