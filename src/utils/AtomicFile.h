#pragma once

#include <juce_core/juce_core.h>

namespace utils::files
{
/** Replaces the target's content with the given bytes: they are written to a
    hidden temporary file in the same folder, which is renamed over the target
    only when every byte reached the disk. A failed write leaves the target as
    it was. An empty block creates an empty file. */
bool replaceFileAtomically (const juce::File& target, const void* data, size_t numBytes);

/** Text variant: the text is written as UTF-8 without a byte-order mark,
    exactly as given (no line-ending conversion). */
bool replaceFileAtomically (const juce::File& target, const juce::String& text);

/** Returns the text with every line ending ("\n", "\r" or "\r\n") turned into "\r\n". */
juce::String withCrLfLineEndings (const juce::String& text);
} // namespace utils::files
