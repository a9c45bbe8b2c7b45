#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>

namespace utils::json
{
/** Deepest nesting of objects and arrays the parser accepts; deeper text
    fails to parse, so hostile text can neither exhaust the stack nor make
    the result tree too deep to destroy. */
constexpr int maxDepth = 256;

/** What the byte parser does with bytes that are not well-formed UTF-8. */
enum class BadUtf8
{
    /** Each such byte becomes U+FFFD. */
    replace,
    /** The text fails to parse. */
    fail
};

/** Parses JSON text into a juce::var, giving the same result as
    juce::JSON::parse for any text juce::JSON::parse accepts (objects with
    their properties in text order, arrays, strings, booleans, null as void,
    integers as int below 2^31 in magnitude and int64 above, numbers with a
    fraction or exponent as double, the same liberties: single-quoted strings,
    trailing commas, text after the top-level value, a space after a minus
    sign), about an order of magnitude faster, and without recursion beyond
    maxDepth. The top level must be an object or an array; empty text gives
    void. The text ends at its first NUL character.

    Deliberate departures from juce::JSON::parse, all on input that parser
    handles badly:
    - An object or array nested deeper than maxDepth fails to parse (JUCE
      recurses until the stack overflows).
    - Bytes that are not well-formed UTF-8 become U+FFFD, or fail the parse
      with BadUtf8::fail (JUCE's string functions would read past the end of
      strings holding them).
    - An integer beyond the 64-bit range becomes a double (JUCE overflows and
      returns a wrong integer); -9223372036854775808 is the int64 it names
      (JUCE reaches the same value only through signed overflow).
    - An exponent beyond the int range gives infinity or zero (JUCE overflows
      while reading it).
    - "-" followed by anything but white space and a digit fails to parse
      (JUCE reads the next character as if it were a digit).
    - An escaped surrogate pair ("\ud83c\udfb5") makes one character; a lone
      escaped surrogate makes U+FFFD (JUCE writes each half as an invalid
      three-byte sequence). */
juce::Result parse (const juce::String& text, juce::var& result);

/** As above; void when the text does not parse. */
juce::var parse (const juce::String& text);

/** Parses `length` bytes of UTF-8 text without copying them into a string.
    The byte after the text, utf8[length], must be readable and should be 0
    (as after std::string::c_str()); the text is copied when it is not. */
juce::Result parse (const char* utf8, size_t length, juce::var& result, BadUtf8 badUtf8 = BadUtf8::replace);
} // namespace utils::json
