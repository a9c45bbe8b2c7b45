#pragma once

#include "score/ScoreDocument.h"

namespace hostsim::scorejson
{
/** The version score files are written with, and the only one read. */
inline constexpr int formatVersion = 1;

/** Reads a score document from its JSON text. On failure the result names
    the first offending field by its path, e.g. "staves[2].bars[0].bar", and
    `out` is left unchanged. */
juce::Result parse (const juce::String& text, ScoreDocument& out);

/** Reads a score document from a file; the document remembers the file. */
juce::Result load (const juce::File& file, ScoreDocument& out);

/** The score as JSON text: one line per bar, staff bar, mark and so on. */
juce::String toJson (const ScoreDocument& score);

void write (const ScoreDocument& score, juce::OutputStream& out);

/** Writes the file through a temporary file and a rename. */
juce::Result save (const ScoreDocument& score, const juce::File& file);
} // namespace hostsim::scorejson
