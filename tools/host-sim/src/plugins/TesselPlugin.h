#pragma once

#include "score/ScoreDocument.h"

namespace hostsim
{
// "ORV_Tessel" lists the score's parts ("fetchPartList"), makes one part per
// "partsProcedureRun" call (a part document from a part template, or a PDF
// of the part), prints the full score ("createPdfFullScore") and opens a
// part's file ("openPart", only logged here).

/** The file name ending of the host's documents. */
inline constexpr const char* hostDocumentExtension = ".sib";

/** The part files' folder: beside the score's file, "parts". */
juce::File tesselPartsFolder (const ScoreDocument& score);

/** Where a part's document goes: parts folder / (title + " - " + part name + ".sib"). */
juce::File tesselPartFile (const ScoreDocument& score, const Part& part);

/** The part as a score document of its own: its staves with their bars, the
    score's bars, keys and tempo, the items and chord symbols of its staves;
    the template's name is kept with it. */
ScoreDocument makeTesselPartDocument (const ScoreDocument& score, const Part& part, const ScoreDocument& partTemplate);

/** Reads a part template: a score document of the host that says it is a
    part template. The error names what is wrong. */
juce::Result readTesselTemplate (const juce::File& file, ScoreDocument& out);
} // namespace hostsim
