#pragma once

#include <juce_core/juce_core.h>

namespace fk
{
/** The keys of the host plug-in's arguments, replies and status messages. */
struct FkPayloadIds
{
    static inline const juce::Identifier newStemId{"newStemId"};
    static inline const juce::Identifier staffCount{"staffCount"};
    static inline const juce::Identifier stemId{"stemId"};
    static inline const juce::Identifier name{"name"};
    static inline const juce::Identifier id{"id"};
    static inline const juce::Identifier exportFolder{"exportFolder"};
    static inline const juce::Identifier stemList{"stemList"};
    static inline const juce::Identifier sampleRate{"sampleRate"};
    static inline const juce::Identifier bitDepth{"bitDepth"};
    static inline const juce::Identifier bitRate{"bitRate"};
    static inline const juce::Identifier audioFormat{"audioFormat"};
    static inline const juce::Identifier status{"status"};
    static inline const juce::Identifier file{"file"};
};
} // namespace fk
