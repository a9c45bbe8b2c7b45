#include "frt/FrtActions.h"
#include "frt/FrtPayloadIds.h"

namespace frt
{
void ActionRequestChordInfo::setChordName (const juce::String& name)
{
    juce::DynamicObject argument;
    argument.setProperty (FrtPayloadIds::name, name);
    setArgObj (argument);
}

juce::var makeFingeringArgument (const std::vector<int>& pitches, const Fingering& fingering)
{
    juce::Array<juce::var> pitchList;

    for (const auto pitch : pitches)
        pitchList.add (pitch);

    auto* argument = new juce::DynamicObject();
    const juce::var result (argument);
    argument->setProperty (FrtPayloadIds::pitches, pitchList);
    argument->setProperty (FrtPayloadIds::fingering, fingering.toString());
    argument->setProperty (FrtPayloadIds::name, fingering.getName());
    return result;
}
} // namespace frt
