#include "frt/FingeringCalculator.h"
#include "frt/State.h"

#include <algorithm>

namespace frt
{
namespace
{
int pitchClassOf (int pitch)
{
    return ((pitch % 12) + 12) % 12;
}
} // namespace

FingeringCalculator::FingeringCalculator (const State& state)
    : setup (state.getTuning().toFretboardSetup())
{
}

FingeringCalculator::FingeringCalculator (FretboardSetup setupToUse)
    : setup (std::move (setupToUse))
{
}

int FingeringCalculator::openPitchAtIndex (int index) const
{
    return setup.getOpenStringMidiPitch (setup.getNumberOfStrings() - index);
}

FingeringCalculator::SimpleChord FingeringCalculator::makeSimpleChord (const juce::String& name, const std::vector<int>& pitches)
{
    SimpleChord chord;
    chord.name = name;

    if (!pitches.empty())
        chord.rootPitchClass = pitchClassOf (pitches.front());

    for (const auto pitch : pitches)
        chord.pitchClasses |= 1 << pitchClassOf (pitch);

    return chord;
}

void FingeringCalculator::findChordFingerings (const SimpleChord& chord, Frets& frets, int stringIndex, int baseFret, int covered,
                                               std::vector<Frets>& results) const
{
    if (stringIndex == frets.count)
    {
        if (covered == chord.pitchClasses)
            results.push_back (frets);

        return;
    }

    frets.values[static_cast<size_t> (stringIndex)] = -1;
    findChordFingerings (chord, frets, stringIndex + 1, baseFret, covered, results);

    const auto open = openPitchAtIndex (stringIndex);
    const auto tryFret = [&] (int fret)
    {
        const auto bit = 1 << pitchClassOf (open + fret);

        if ((chord.pitchClasses & bit) == 0)
            return;

        frets.values[static_cast<size_t> (stringIndex)] = fret;
        findChordFingerings (chord, frets, stringIndex + 1, baseFret, covered | bit, results);
    };

    if (baseFret == 0)
        tryFret (0);

    for (int fret = std::max (baseFret, 1); fret <= baseFret + windowSpan; ++fret)
        tryFret (fret);

    frets.values[static_cast<size_t> (stringIndex)] = -1;
}

bool FingeringCalculator::isValid (const Frets& frets)
{
    int lowestFretted = 0, highestFretted = 0;
    int firstSounding = -1, lastSounding = -1;

    for (int i = 0; i < frets.count; ++i)
    {
        const auto fret = frets.values[static_cast<size_t> (i)];

        if (fret >= 1)
        {
            lowestFretted = lowestFretted == 0 ? fret : std::min (lowestFretted, fret);
            highestFretted = std::max (highestFretted, fret);
        }

        if (fret >= 0)
        {
            firstSounding = firstSounding < 0 ? i : firstSounding;
            lastSounding = i;
        }
    }

    if (highestFretted - lowestFretted > maxFretSpan)
        return false;

    for (int i = firstSounding + 1; i < lastSounding; ++i)
        if (frets.values[static_cast<size_t> (i)] < 0)
            return false;

    return true;
}

FingeringCalculator::FingeringInfo FingeringCalculator::analyzeFingers (const Frets& frets)
{
    FingeringInfo info;
    info.frets = frets;

    int lowestFretted = 0, fretted = 0, atLowest = 0;
    bool anyOpen = false;

    for (int i = 0; i < frets.count; ++i)
    {
        const auto fret = frets.values[static_cast<size_t> (i)];
        anyOpen = anyOpen || fret == 0;

        if (fret >= 1)
        {
            ++fretted;
            lowestFretted = lowestFretted == 0 ? fret : std::min (lowestFretted, fret);
        }
    }

    for (int i = 0; i < frets.count; ++i)
        atLowest += frets.values[static_cast<size_t> (i)] == lowestFretted && lowestFretted >= 1 ? 1 : 0;

    if (atLowest >= 2 && !anyOpen)
    {
        info.barre = true;
        info.barreFret = lowestFretted;
        info.fingers = 1 + fretted - atLowest;
    }
    else
    {
        info.fingers = fretted;
    }

    return info;
}

int FingeringCalculator::scoreFingering (const FingeringInfo& info)
{
    int sounding = 0, lowestFretted = 0;

    for (int i = 0; i < info.frets.count; ++i)
    {
        const auto fret = info.frets.values[static_cast<size_t> (i)];
        sounding += fret >= 0 ? 1 : 0;

        if (fret >= 1)
            lowestFretted = lowestFretted == 0 ? fret : std::min (lowestFretted, fret);
    }

    return 10000 * sounding - 100 * lowestFretted - 10 * info.fingers;
}

Fingering FingeringCalculator::toAppFingering (const FingeringInfo& info, const juce::String& name)
{
    Fingering fingering (name);

    for (int i = 0; i < info.frets.count; ++i)
    {
        const auto string = info.frets.count - i;
        const auto fret = info.frets.values[static_cast<size_t> (i)];

        if (fret >= 1)
            fingering.setPlayingSpot (string, fret);
        else
            fingering.setStringMode (string, fret == 0 ? StringMode::Open : StringMode::Muted);
    }

    if (info.barre)
    {
        fingering.setBarreAtFret (info.barreFret);
        fingering.clearPlayingSpotsAtFret (info.barreFret);
    }

    return fingering;
}

std::vector<FingeringCalculator::FingeringInfo> FingeringCalculator::findRankedCandidates (const SimpleChord& chord) const
{
    std::vector<FingeringInfo> ranked;

    if (chord.pitchClasses == 0)
        return ranked;

    std::vector<Frets> found;
    Frets frets;
    frets.count = setup.getNumberOfStrings();
    frets.values.fill (-1);

    const auto top = std::min (setup.getNumberOfFrets(), searchTopFret);

    for (int base = 0; base <= top - windowSpan; ++base)
        findChordFingerings (chord, frets, 0, base, 0, found);

    // Windows overlap: the same shape is found from several bases.
    std::sort (found.begin(), found.end());
    found.erase (std::unique (found.begin(), found.end()), found.end());

    for (const auto& candidate : found)
    {
        if (!isValid (candidate))
            continue;

        const auto info = analyzeFingers (candidate);

        if (info.fingers <= maxFingers)
            ranked.push_back (info);
    }

    // Stable: shapes of equal score stay in the order of their frets.
    std::stable_sort (ranked.begin(), ranked.end(), [] (const FingeringInfo& a, const FingeringInfo& b)
                      { return scoreFingering (a) > scoreFingering (b); });
    return ranked;
}

std::vector<Fingering> FingeringCalculator::calculateVariations (const juce::String& name, const std::vector<int>& pitches) const
{
    std::vector<Fingering> variations;

    for (const auto& info : findRankedCandidates (makeSimpleChord (name, pitches)))
        variations.push_back (toAppFingering (info, name));

    return variations;
}

std::vector<Fingering> FingeringCalculator::calculateVariations (const Chord& chord) const
{
    return calculateVariations (chord.getName(), chord.getMidiPitches());
}

//==============================================================================
DiagramAnalyzer::DiagramAnalyzer (GuitarTuning tuningToUse)
    : tuning (std::move (tuningToUse))
{
}

std::vector<int> DiagramAnalyzer::getMidiPitches (const Fingering& fingering) const
{
    std::vector<int> pitches;

    for (int string = GuitarTuning::numberOfStrings; string >= 1; --string)
        if (const auto pitch = fingering.getMidiPitchForStringOp (string, tuning))
            pitches.push_back (*pitch);

    return pitches;
}
} // namespace frt
