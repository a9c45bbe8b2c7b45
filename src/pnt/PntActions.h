#pragma once

#include "engine/comm/WebSocketAction.h"
#include "music/Interval.h"
#include "pnt/PntState.h"

namespace pnt
{
/** Has the plug-in write one diagram at the selection: {"fingering", "fluteType"}. */
class PntActionInsertDiagram final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "insertDiagram"; }

    void setDiagram (const PntFingering& fingering, PntFluteType fluteType);
};

/** Asks for the selected notes; the reply is an array of objects with "nameOct". */
class PntActionAutoInsert final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "autoInsert"; }
};

/** Has the plug-in write a diagram for every note that carries a "fingering":
    {"fluteType", "fingerings": the notes}. */
class PntActionAutoInsertApply final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "autoInsertApply"; }

    void setNotes (PntFluteType fluteType, const juce::var& notes);
};

/** Has the plug-in select the diagrams in the score. */
class PntActionSelectDiagrams final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "selectDiagrams"; }
};

/** The interval between the flute's key and the tablature's F#4 (both in
    octave 4) and the octaves the key lies away from octave 4. */
struct PntTransposeIntervalInfo
{
    music::Interval interval;
    int concertOctaves = 0;
};

/** Has the plug-in transpose the selection between sounding pitch and tablature. */
class PntActionTranspose final : public WebSocketAction
{
public:
    juce::String getMethodName() const override { return "transpose"; }

    /** The argument from the state, keys in the plug-in's order: "fluteKey",
        "intoNewPart", "newPartPlace", "newPartSize", "direction",
        "playableNotesInfo", "transposeInterval" {"degree" (zero-based,
        signed), "type" (host format)}, "concertOctaves". */
    void setOptions (const PntState& state);

    /** To tablature the interval goes from the key to F#4, to concert pitch
        from F#4 to the key. */
    static PntTransposeIntervalInfo getTransposeIntervalInfo (const FluteKey& key, TransposeDirection direction);

    /** {"lowestPitch": F#4, "highestPitch": a major tenth higher, "uncomfortablePitches": [G4]}. */
    static juce::var getPlayableNotesInfo();
};
} // namespace pnt
