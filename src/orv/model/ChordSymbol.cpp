#include "orv/model/ChordSymbol.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
ChordSymbol ChordSymbol::create (int bar, int pos, const juce::String& name)
{
    return ChordSymbol (juce::ValueTree (ids::CHORDFRAME, {{ids::barId, bar}, {ids::pos, pos}, {ids::name, name}}));
}

int ChordSymbol::getBar() const
{
    return treeprops::getInt (state, ids::barId);
}
int ChordSymbol::getPos() const
{
    return treeprops::getInt (state, ids::pos);
}
juce::String ChordSymbol::getName() const
{
    return treeprops::getString (state, ids::name);
}
void ChordSymbol::setName (const juce::String& name)
{
    state.setProperty (ids::name, name, nullptr);
}
juce::String ChordSymbol::getPitchList() const
{
    return treeprops::getString (state, ids::pitchList);
}
void ChordSymbol::setPitchList (const juce::String& pitches)
{
    state.setProperty (ids::pitchList, pitches, nullptr);
}
juce::String ChordSymbol::getChromaticBass() const
{
    return treeprops::getString (state, ids::chromaticBass);
}
void ChordSymbol::setChromaticBass (const juce::String& bass)
{
    state.setProperty (ids::chromaticBass, bass, nullptr);
}
juce::String ChordSymbol::getDiatonicBass() const
{
    return treeprops::getString (state, ids::diatonicBass);
}
void ChordSymbol::setDiatonicBass (const juce::String& bass)
{
    state.setProperty (ids::diatonicBass, bass, nullptr);
}
} // namespace orv
