#pragma once

#include <juce_core/juce_core.h>

namespace utils::files
{
/** Whether a replacement waits for its bytes to reach the disk before the rename. */
enum class Sync
{
    /** Waits (fsync): the file survives a power loss whole, old or new. For state files. */
    toDisk,
    /** Does not wait: readers still never see half a file, but a power loss
        may leave the old content or none. For messages between running
        programs, which mean nothing after one; a wait costs milliseconds. */
    none
};

/** Makes the folder and any missing parents; true when it exists after.
    Safe while other threads or processes make the same folders (juce's own
    call fails when a folder appears between its check and its making). */
bool makeFolder (const juce::File& folder);

/** Replaces the target's content with the given bytes: they are written to a
    hidden temporary file in the same folder, which is renamed over the target
    only when every byte was written (and, with Sync::toDisk, reached the
    disk). A failed write leaves the target as it was. An empty block creates
    an empty file. */
bool replaceFileAtomically (const juce::File& target, const void* data, size_t numBytes, Sync sync = Sync::toDisk);

/** Text variant: the text is written as UTF-8 without a byte-order mark,
    exactly as given (no line-ending conversion). */
bool replaceFileAtomically (const juce::File& target, const juce::String& text, Sync sync = Sync::toDisk);

/** Returns the text with every line ending ("\n", "\r" or "\r\n") turned into "\r\n". */
juce::String withCrLfLineEndings (const juce::String& text);
} // namespace utils::files
