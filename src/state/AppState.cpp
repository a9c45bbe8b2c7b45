#include "state/AppState.h"
#include "state/TreeFile.h"

AppState::AppState (const SuitePaths& paths)
    : stateFolder (paths.getStateFolder())
{
}

juce::File AppState::getFile() const
{
    return stateFolder.getChildFile (fileName);
}

bool AppState::replaceTreeFromFile()
{
    return treefile::replaceFromFile (tree, getFile());
}

bool AppState::storeToFile() const
{
    return treefile::store (tree, getFile());
}
