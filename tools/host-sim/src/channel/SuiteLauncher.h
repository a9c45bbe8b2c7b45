#pragma once

#include <juce_core/juce_core.h>

namespace hostsim
{
/** Starts the suite's executable, as the engine plug-in does after it has
    written a host message. */
class SuiteLauncher
{
public:
    virtual ~SuiteLauncher() = default;

    /** Starts the executable; on failure the result says why. */
    virtual juce::Result launch (const juce::File& executable) = 0;
};

/** Launches the executable as a detached process: in a session of its own,
    not a child of this process (so it is never left a zombie and outlives
    nothing), with standard input from /dev/null, standard output sent to
    this process's standard error, and no other inherited descriptors. */
class DetachedSuiteLauncher final : public SuiteLauncher
{
public:
    juce::Result launch (const juce::File& executable) override;
};
} // namespace hostsim
