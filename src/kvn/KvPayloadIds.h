#pragma once

#include <juce_core/juce_core.h>

namespace kv
{
/** The keys of the host's messages to Keyvane. */
struct KvPayloadIds
{
    static inline const juce::Identifier srcKeyName{"srcKeyName"};
    static inline const juce::Identifier srcKeyIsMajor{"srcKeyIsMajor"};
};
} // namespace kv
