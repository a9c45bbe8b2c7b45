#pragma once

#include "engine/comm/Action.h"

#include <juce_data_structures/juce_data_structures.h>

/** Asks the engine plug-in to store a product's state tree in the score. */
class ActionStoreScoreState final : public Action
{
public:
    ActionStoreScoreState (juce::String productCode, juce::ValueTree stateTree);

    /** "ORX.StoreScoreState". */
    juce::String getType() override;
    /** The product code, "|", then the tree as XML text. */
    juce::String getDataString() override;

private:
    juce::String code;
    juce::ValueTree tree;
};
