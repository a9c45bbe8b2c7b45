#pragma once

#include "frt/Fingering.h"

#include <juce_graphics/juce_graphics.h>

namespace frt
{
/** The chord diagram as the editor draws it: six strings side by side
    (string 6 on the left), a row of open and muted marks above the nut and
    five fret rows, scrolled so that the first row shown follows the fret
    line "firstVisibleFretLineIndex" (0 is the nut). It builds the drawing
    as SVG text, finds what a point of it hits, and applies the editor's
    clicks to a fingering:

    - a click on a fret cell toggles a playing spot there (a string that gets
      a spot is no longer marked open or muted);
    - a click above the nut cycles the string through Open, Muted and neither;
    - a click on a fret cell with Shift sets the barre at that fret (taking
      the spots under it), or clears it when it lies there already. */
class DiagramBuilder final
{
public:
    static constexpr int width = 200;
    static constexpr int height = 210;
    static constexpr int numberOfStrings = 6;
    static constexpr int visibleFrets = 5;
    static constexpr int numberOfFrets = 20;
    static constexpr int gridLeft = 36;
    static constexpr int gridRight = 184;
    static constexpr int markerTop = 24;
    static constexpr int gridTop = 46;
    static constexpr int gridBottom = 200;
    static constexpr const char* inkColour = "#111111";
    /** The suite's embedded sans face. */
    static constexpr const char* fontFamily = "Helvetica Neue";

    /** The first fret line to show so that every fretted fret of the
        fingering is visible: the nut when the fingering fits below it, the
        current line when it fits there, else the line just above its lowest
        fret (as far as the board goes). */
    static int scrollToFitFingering (const Fingering& fingering, int currentFirstLine);
    /** A first fret line within 0..numberOfFrets - visibleFrets. */
    static int clampFirstLine (int line);

    /** The diagram of the fingering from the first fret line, as SVG text. */
    static juce::String buildSvg (const Fingering& fingering, int firstLine);

    /** What a point of the diagram lies on. */
    struct Target
    {
        enum class Kind
        {
            none,
            marker,
            cell
        };

        Kind kind = Kind::none;
        int stringNumber = 0;
        int fretNumber = 0;

        bool operator== (const Target& other) const
        {
            return kind == other.kind && stringNumber == other.stringNumber && fretNumber == other.fretNumber;
        }
    };

    static Target hitTest (juce::Point<float> point, int firstLine);
    /** Applies a click on the target (with Shift or without) to the fingering. */
    static void applyClick (Fingering& fingering, const Target& target, bool withShift);

    /** The x of a string's line and the y of a fret line (0 is the top line shown). */
    static float stringX (int stringNumber);
    static float fretLineY (int visibleLine);

private:
    DiagramBuilder() = delete;
};
} // namespace frt
