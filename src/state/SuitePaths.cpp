#include "state/SuitePaths.h"

SuitePaths SuitePaths::fromRunningExecutable()
{
    return SuitePaths (juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory());
}

SuitePaths SuitePaths::forAppFolder (const juce::File& folder)
{
    return SuitePaths (folder);
}
