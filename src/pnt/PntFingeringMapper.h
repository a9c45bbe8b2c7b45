#pragma once

#include "pnt/PntState.h"
#include "pnt/PntTypes.h"

#include <map>
#include <optional>

namespace pnt
{
/** The fingering chart in use: per flute type, note name with octave
    ("F#4", sharps only) to fingering. It is read from preset text:

    - lines are trimmed; empty lines and lines starting with "//" are skipped;
    - "[SixHole]" or "[FiveHole]" opens a section (brackets and spaces are
      dropped, any other name reads as SixHole); lines before any section
      belong to SixHole;
    - "note = pattern" adds the note under the section's flute type (spaces in
      the pattern are dropped; a later line for the same note wins); a line
      without exactly one "=", or with an empty note or pattern, is skipped. */
class PntFingeringMapper final
{
public:
    /** Chooses the chart from the preferences (see loadCorrespondingPreset);
        the table stays empty until a chart is loaded. */
    explicit PntFingeringMapper (PntPreferences preferences);

    /** Reloads the chart: in "User" mode the user's preset file when it can
        be read, else (in "Factory" mode, or when the file is missing,
        unreadable or empty) the factory chart. Replaces the whole table. */
    void loadCorrespondingPreset();

    /** Replaces the whole table with the chart the text describes. */
    void loadPresetFromString (const juce::String& text);

    /** The fingering of exactly this note text under the flute type; no
        enharmonic or octave fallback. */
    std::optional<PntFingering> getFingeringForNoteNameOct (PntFluteType fluteType, const juce::String& nameOct) const;

    /** How many notes the chart holds for the flute type. */
    int getNumEntries (PntFluteType fluteType) const;

    /** Whether the last reload used the user's file. */
    bool isUsingUserPreset() const { return usingUserPreset; }

private:
    PntPreferences preferences;
    std::map<PntFluteType, std::map<juce::String, PntFingering>> table;
    bool usingUserPreset = false;
};
} // namespace pnt
