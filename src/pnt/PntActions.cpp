#include "pnt/PntActions.h"
#include "music/Pitch.h"
#include "pnt/PntPayloadIds.h"

namespace pnt
{
void PntActionInsertDiagram::setDiagram (const PntFingering& fingering, PntFluteType fluteType)
{
    juce::DynamicObject argument;
    argument.setProperty (payloadids::fingering, fingering.toString());
    argument.setProperty (payloadids::fluteType, toString (fluteType));
    setArgObj (argument);
}

void PntActionAutoInsertApply::setNotes (PntFluteType fluteType, const juce::var& notes)
{
    juce::DynamicObject argument;
    argument.setProperty (payloadids::fluteType, toString (fluteType));
    argument.setProperty (payloadids::fingerings, notes);
    setArgObj (argument);
}

void PntActionTranspose::setOptions (const PntState& state)
{
    const auto key = state.getFluteKey();
    const auto direction = state.getDirection();
    const auto info = getTransposeIntervalInfo (key, direction);

    juce::DynamicObject interval;
    interval.setProperty (payloadids::degree, info.interval.getDegree().getZeroBased());
    interval.setProperty (payloadids::type, info.interval.getTypeInHostFormat());

    juce::DynamicObject argument;
    argument.setProperty (payloadids::fluteKey, key.toString());
    argument.setProperty (payloadids::intoNewPart, state.getIntoNewPart());
    argument.setProperty (payloadids::newPartPlace, toString (state.getNewPartPlace()));
    argument.setProperty (payloadids::newPartSize, toString (state.getNewPartSize()));
    argument.setProperty (payloadids::direction, toString (direction));
    argument.setProperty (payloadids::playableNotesInfo, getPlayableNotesInfo());
    argument.setProperty (payloadids::transposeInterval, juce::var (new juce::DynamicObject (interval)));
    argument.setProperty (payloadids::concertOctaves, info.concertOctaves);
    setArgObj (argument);
}

PntTransposeIntervalInfo PntActionTranspose::getTransposeIntervalInfo (const FluteKey& key, TransposeDirection direction)
{
    auto pitch = music::Pitch::fromString (key.toString());
    const auto octave = pitch.getOctave();
    pitch.setOctave (4);
    const auto reference = music::Pitch::fromString (FluteKey::reference);

    PntTransposeIntervalInfo info;
    info.interval = direction == TransposeDirection::NakaiTab ? music::Interval::fromPitchDistance (pitch, reference)
                                                              : music::Interval::fromPitchDistance (reference, pitch);
    info.concertOctaves = octave - 4;
    return info;
}

juce::var PntActionTranspose::getPlayableNotesInfo()
{
    const auto lowest = music::Pitch::fromString (FluteKey::reference).getMidiNumber();
    constexpr int majorTenth = 16;

    juce::Array<juce::var> uncomfortable;
    uncomfortable.add (lowest + 1);

    auto* info = new juce::DynamicObject();
    const juce::var result (info);
    info->setProperty (payloadids::lowestPitch, lowest);
    info->setProperty (payloadids::highestPitch, lowest + majorTenth);
    info->setProperty (payloadids::uncomfortablePitches, uncomfortable);
    return result;
}
} // namespace pnt
