#pragma once

#include <juce_core/juce_core.h>

/** The gzip-compressed text of a host plug-in, embedded in the program. */
class PlgFileContents final
{
public:
    /** No plug-in: the text is empty. */
    PlgFileContents() = default;
    PlgFileContents (const void* gzipData, size_t numBytes)
        : data (gzipData)
        , size (numBytes)
    {
    }

    /** The decompressed text; empty when there is no data or it is not gzip. */
    juce::String get() const;

private:
    const void* data = nullptr;
    size_t size = 0;
};

namespace plgfile
{
/** Writes a plug-in text over the file: 8-bit (UTF-8) without byte-order
    mark, every line ending turned into "\r\n", atomically. */
bool write (const juce::File& file, const juce::String& text);
} // namespace plgfile
