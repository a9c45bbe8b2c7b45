#pragma once

#include "frt/Chord.h"
#include "frt/Fingering.h"
#include "frt/GuitarTuning.h"

#include <array>
#include <vector>

namespace frt
{
class State;

/** Finds every playable fingering of a chord on a fretboard and ranks them.

    The search looks at windows of five frets (base frets 0 to
    min(frets, 16) - 4; the window of base 0 also holds the open strings).
    Each string is muted or takes a fret of the window whose pitch class
    belongs to the chord; a shape counts when it covers every class of the
    chord, its fretted frets span at most 3, no muted string lies between
    sounding strings, and it needs at most four fingers (a barre, one
    finger on the lowest fret across two or more strings, counts once when
    no string is open). Shapes are ranked by sounding strings, then by a
    lower position, then by fewer fingers; equal ranks keep the order of
    their frets, so a chord always shows the same first variation. */
class FingeringCalculator final
{
public:
    static constexpr int maxStrings = FretboardSetup::maxStrings;
    /** The highest fret the search reaches, whatever the board has. */
    static constexpr int searchTopFret = 16;
    static constexpr int windowSpan = 4;
    static constexpr int maxFretSpan = 3;
    static constexpr int maxFingers = 4;

    /** A chord reduced to what the search needs. */
    struct SimpleChord
    {
        juce::String name;
        int rootPitchClass = 0;
        /** Bit c set for each pitch class c of the chord. */
        int pitchClasses = 0;
    };

    /** One fret per string, index 0 the lowest string: -1 muted, 0 open, n fret n. */
    struct Frets
    {
        std::array<int, maxStrings> values{};
        int count = 0;

        bool operator== (const Frets& other) const { return values == other.values; }
        bool operator<(const Frets& other) const { return values < other.values; }
    };

    struct FingeringInfo
    {
        Frets frets;
        bool barre = false;
        int barreFret = 0;
        int fingers = 0;
    };

    /** Over the state's tuning (a six-string board of 20 frets). */
    explicit FingeringCalculator (const State& state);
    explicit FingeringCalculator (FretboardSetup setup);

    const FretboardSetup& getSetup() const { return setup; }

    /** Every playable fingering of the chord, best first; empty when the
        chord has no pitches or none covers it. */
    std::vector<Fingering> calculateVariations (const Chord& chord) const;
    /** The same from a chord's name and pitches (root first). */
    std::vector<Fingering> calculateVariations (const juce::String& name, const std::vector<int>& pitches) const;

    static SimpleChord makeSimpleChord (const juce::String& name, const std::vector<int>& pitches);

    /** The ranked, distinct candidates of a chord before they become fingerings. */
    std::vector<FingeringInfo> findRankedCandidates (const SimpleChord& chord) const;

    /** Span of the fretted frets at most 3 and no muted string between sounding ones. */
    static bool isValid (const Frets& frets);
    /** Barre and fingers needed, as described above. */
    static FingeringInfo analyzeFingers (const Frets& frets);
    /** 10000 per sounding string, -100 per fret of the lowest fretted fret, -10 per finger. */
    static int scoreFingering (const FingeringInfo& info);
    /** The diagram of a candidate: spots for fretted strings, modes for open and muted ones, and the barre. */
    static Fingering toAppFingering (const FingeringInfo& info, const juce::String& name);

private:
    void findChordFingerings (const SimpleChord& chord, Frets& frets, int stringIndex, int baseFret, int covered,
                              std::vector<Frets>& results) const;
    int openPitchAtIndex (int index) const;

    FretboardSetup setup;
};

/** Reads a diagram's sounding pitches in a tuning, as a preview plays them:
    from the lowest string up, muted strings left out. */
class DiagramAnalyzer final
{
public:
    explicit DiagramAnalyzer (GuitarTuning tuning);

    std::vector<int> getMidiPitches (const Fingering& fingering) const;

private:
    GuitarTuning tuning;
};
} // namespace frt
