#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace frt
{
/** Loads a chord by its name from the host into the product's state. */
class IChordRemoteLoader
{
public:
    virtual ~IChordRemoteLoader() = default;

    /** Asks the host to read the name; a chord it reads becomes the state's
        chord. done runs once the reply was handled (never for a reply made
        stale by a later request). */
    virtual void remoteLoadChord (const juce::String& name, std::function<void()> done) = 0;
};
} // namespace frt
