#include "tsl/TslState.h"
#include "state/TreeProps.h"

namespace tsl
{
TslState::TslState()
    : tree (type)
{
}

TslState::TslState (juce::ValueTree existing)
    : tree (std::move (existing))
{
}

juce::String TslState::getPartTemplateFile() const
{
    return treeprops::getString (tree, partTemplateFile);
}

void TslState::setPartTemplateFile (const juce::String& fullPath)
{
    tree.setProperty (partTemplateFile, fullPath, nullptr);
}

bool TslState::getCreatePdf() const
{
    return treeprops::getBool (tree, createPdf, false);
}

void TslState::setCreatePdf (bool shouldBePressed)
{
    tree.setProperty (createPdf, shouldBePressed, nullptr);
}

GadgetState TslState::getGadgetState()
{
    return GadgetState (tree.getOrCreateChildWithName (GadgetState::type, nullptr));
}
} // namespace tsl
