#pragma once

#include <juce_core/juce_core.h>

namespace utils::json
{
/** Deepest nesting the parser builds; a value nested deeper is skipped and
    reads as void, so hostile text can neither exhaust the stack nor make
    the result tree too deep to destroy. */
constexpr int maxDepth = 256;

/** Parses JSON text into a juce::var, giving the same result as
    juce::JSON::parse for any text juce::JSON::parse accepts (objects with
    their properties in text order, arrays, strings, booleans, null as void,
    integers as int below 2^31 in magnitude and int64 above, numbers with a
    fraction or exponent as double), about an order of magnitude faster, and
    without recursion beyond maxDepth. The top level must be an object or an
    array; empty text gives void.

    Where it departs from juce::JSON::parse, it does so on input that parser
    handles badly: bytes that are not well-formed UTF-8 become U+FFFD (JUCE's
    string functions would read past the end of strings holding them),
    integers beyond 64 bits become doubles instead of overflowing, escaped
    surrogate pairs make one character, and values nested deeper than
    maxDepth read as void. */
juce::Result parse (const juce::String& text, juce::var& result);

/** As above; void when the text does not parse. */
juce::var parse (const juce::String& text);
} // namespace utils::json
