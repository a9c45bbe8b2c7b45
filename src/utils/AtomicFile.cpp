#include "utils/AtomicFile.h"

namespace utils::files
{
bool makeFolder (const juce::File& folder)
{
    // Each failed try has made at least the level someone else made first,
    // so a try per level of the path is always enough.
    for (int tries = 0; tries < 64; ++tries)
        if (folder.createDirectory().wasOk() || folder.isDirectory())
            return true;

    return false;
}

bool replaceFileAtomically (const juce::File& target, const void* data, size_t numBytes, Sync sync)
{
    if (!makeFolder (target.getParentDirectory()))
        return false;

    juce::TemporaryFile temp (target, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream out (temp.getFile());

        if (out.failedToOpen())
            return false;

        if (numBytes > 0 && !out.write (data, numBytes))
            return false;

        // flush() writes the buffer and waits for the disk (fsync); without
        // it the stream writes its buffer when it closes, and the size check
        // below catches a short write.
        if (sync == Sync::toDisk)
        {
            out.flush();

            if (!out.getStatus().wasOk())
                return false;
        }
    }

    if (temp.getFile().getSize() != static_cast<juce::int64> (numBytes))
        return false;

    return temp.overwriteTargetFileWithTemporary();
}

bool replaceFileAtomically (const juce::File& target, const juce::String& text, Sync sync)
{
    const auto utf8 = text.toRawUTF8();
    return replaceFileAtomically (target, utf8, text.getNumBytesAsUTF8(), sync);
}

juce::String withCrLfLineEndings (const juce::String& text)
{
    // '\r' and '\n' never occur inside a multi-byte UTF-8 sequence, so the
    // conversion can work on bytes.
    const auto* bytes = text.toRawUTF8();
    const auto numBytes = text.getNumBytesAsUTF8();
    juce::MemoryOutputStream out (numBytes + numBytes / 16 + 8);

    for (size_t i = 0; i < numBytes; ++i)
    {
        const auto c = bytes[i];

        if (c == '\r' || c == '\n')
        {
            if (c == '\r' && i + 1 < numBytes && bytes[i + 1] == '\n')
                ++i;
            out.write ("\r\n", 2);
        }
        else
        {
            out.writeByte (c);
        }
    }

    return out.toUTF8();
}
} // namespace utils::files
