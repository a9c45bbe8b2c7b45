#include "orv/model/SoundSet.h"
#include "orv/model/ScoreIds.h"
#include "state/TreeProps.h"

namespace orv
{
void SoundSet::loadFromName (const juce::String& name)
{
    const bool np = name == notePerformerName;
    state.setProperty (ids::name, np ? juce::String (notePerformerName) : juce::String ("default"), nullptr);
    state.setProperty (ids::playLineDelayMillis, np ? 1000 : 0, nullptr);
}

juce::String SoundSet::getName() const
{
    return treeprops::getString (state, ids::name);
}
int SoundSet::getPlayLineDelayMillis() const
{
    return treeprops::getInt (state, ids::playLineDelayMillis);
}
bool SoundSet::isNotePerformer() const
{
    return getName() == notePerformerName;
}
} // namespace orv
