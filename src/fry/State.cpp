#include "fry/State.h"

namespace fry
{
State::State()
    : tree (type)
{
}

State::State (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

bool State::getIncludeAutomation() const
{
    return tree.hasProperty (includeAutomation) && static_cast<bool> (tree.getProperty (includeAutomation));
}

void State::setIncludeAutomation (bool shouldInclude)
{
    tree.setProperty (includeAutomation, shouldInclude, nullptr);
}

GadgetState State::getGadgetState()
{
    return GadgetState (tree.getOrCreateChildWithName (GadgetState::type, nullptr));
}

bool State::replaceContentFrom (const juce::ValueTree& loaded)
{
    if (!loaded.hasType (type))
        return false;

    tree.copyPropertiesAndChildrenFrom (loaded, nullptr);
    return true;
}
} // namespace fry
