#pragma once

#include "score/ScoreDocument.h"

namespace hostsim::render
{
/** What to print: the full score or one part. */
struct PdfRequest
{
    juce::File file;
    juce::String partName; ///< a part of the score; empty: the full score
    juce::String title;    ///< empty: the score's title without a ".sib" ending
};

struct PdfOutcome
{
    juce::Result result = juce::Result::ok();
    int pages = 0;
};

/** Prints the score, or the staves of one of its parts, as A4 pages into a
    PDF file (cairo's PDF surface): the title (and the part's name) on the
    first page, then one system per system of the score's layout (a layout
    of four-bar systems when the score has none), each with its staff names
    (full names in the first system, short names later), clef, key
    signature, bar lines, bar numbers, chord symbols and items written as
    text above the staff, and note heads on their lines and spaces with
    ledger lines and the accidentals the key does not give. Every page ends
    with "Page N of M"; the document's title is set in its metadata. The
    file is written through a temporary file and a rename. */
PdfOutcome writePdf (const ScoreDocument& score, const PdfRequest& request);
} // namespace hostsim::render
