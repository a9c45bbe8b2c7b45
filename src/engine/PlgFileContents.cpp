#include "engine/PlgFileContents.h"
#include "utils/AtomicFile.h"

juce::String PlgFileContents::get() const
{
    if (data == nullptr || size == 0)
        return {};

    juce::MemoryInputStream compressed (data, size, false);
    juce::GZIPDecompressorInputStream gzip (&compressed, false, juce::GZIPDecompressorInputStream::gzipFormat);
    juce::MemoryOutputStream text;
    text.writeFromInputStream (gzip, -1);
    return text.toUTF8();
}

namespace plgfile
{
bool write (const juce::File& file, const juce::String& text)
{
    return utils::files::replaceFileAtomically (file, utils::files::withCrLfLineEndings (text));
}
} // namespace plgfile
