#include "engine/comm/ActionStoreScoreState.h"

ActionStoreScoreState::ActionStoreScoreState (juce::String productCode, juce::ValueTree stateTree)
    : code (std::move (productCode))
    , tree (std::move (stateTree))
{
}

juce::String ActionStoreScoreState::getType()
{
    return "ORX.StoreScoreState";
}

juce::String ActionStoreScoreState::getDataString()
{
    juce::XmlElement::TextFormat format;
    format.lineWrapLength = 60;
    return code + "|" + tree.toXmlString (format);
}
