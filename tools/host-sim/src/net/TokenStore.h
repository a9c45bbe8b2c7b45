#pragma once

#include <juce_core/juce_core.h>

#include <mutex>
#include <set>

namespace hostsim
{
/** The session tokens the host has granted. A client that presents one of
    them is let in again without being asked; forgetting them all is what a
    restart of the host does. Thread-safe. */
class TokenStore final
{
public:
    /** A new braced GUID, remembered. */
    juce::String grant();

    bool isKnown (const juce::String& token) const;
    void forgetAll();
    int size() const;

private:
    mutable std::mutex mutex;
    std::set<juce::String> tokens;
};
} // namespace hostsim
