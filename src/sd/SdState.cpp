#include "sd/SdState.h"
#include "state/TreeProps.h"

namespace sd
{
SdState::SdState()
    : tree (type)
{
}

SdState::SdState (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

float SdState::getClosestWeight() const
{
    return treeprops::getFloat (tree, jumpToClosestWeight, defaultClosestWeight);
}

float SdState::getFifthWeight() const
{
    return treeprops::getFloat (tree, jumpToFifthWeight, defaultFifthWeight);
}

float SdState::getOctaveWeight() const
{
    return treeprops::getFloat (tree, jumpToOctaveWeight, defaultOctaveWeight);
}

void SdState::setWeights (float closest, float fifth, float octave)
{
    tree.setProperty (jumpToClosestWeight, closest, nullptr);
    tree.setProperty (jumpToFifthWeight, fifth, nullptr);
    tree.setProperty (jumpToOctaveWeight, octave, nullptr);
}
} // namespace sd
