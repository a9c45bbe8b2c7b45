#include "fk/FkState.h"
#include "state/TreeProps.h"

namespace fk
{
FkFormVisibility adaptFormToFormat (const juce::String& audioFormat)
{
    const auto isMp3 = audioFormat == FkConstants::kFormatMp3;
    return {isMp3, !isMp3};
}

FkState::FkState()
    : tree (type)
{
}

FkState::FkState (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

juce::String FkState::getAudioFormat() const
{
    return treeprops::getString (tree, audioFormat, FkConstants::kFormatDefault);
}

juce::String FkState::getSampleRate() const
{
    return treeprops::getString (tree, sampleRate, FkConstants::kFormatDefault);
}

juce::String FkState::getBitDepth() const
{
    return treeprops::getString (tree, bitDepth, FkConstants::kFormatDefault);
}

juce::String FkState::getBitRate() const
{
    return treeprops::getString (tree, bitRate, FkConstants::kFormatDefault);
}

GadgetState FkState::getGadgetState()
{
    return GadgetState (tree.getOrCreateChildWithName (GadgetState::type, nullptr));
}

std::vector<std::pair<juce::String, juce::String>> FkState::bitRateChoices()
{
    std::vector<std::pair<juce::String, juce::String>> choices{{FkConstants::kFormatDefault, "Default"}};

    for (const auto rate : FkConstants::bitRates)
        choices.emplace_back (juce::String (rate) + FkConstants::kBitRateSuffix, juce::String (rate) + " " + FkConstants::kBitRateSuffix);

    return choices;
}
} // namespace fk
