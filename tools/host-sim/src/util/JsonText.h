#pragma once

#include <juce_core/juce_core.h>

namespace hostsim::json
{
/** Parses JSON text from outside (a client, a file) without trusting it:
    numbers with more than 18 digits and nesting deeper than 256 levels are
    refused before the framework's parser sees them, since that parser
    overflows on the first and recurses without limit on the second. */
juce::Result parse (const juce::String& text, juce::var& result);

/** One-line JSON text of a value. */
juce::String toCompactString (const juce::var& value);

/** The integer value of a JSON number when it is a whole number in int range. */
bool getInt (const juce::var& value, int& result);
} // namespace hostsim::json
