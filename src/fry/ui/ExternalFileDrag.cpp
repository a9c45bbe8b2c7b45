#include "fry/ui/ExternalFileDrag.h"

namespace fry
{
bool ExternalFileDrag::startDrag (const juce::File& file, juce::Component& source)
{
#if JUCE_LINUX || JUCE_BSD
    // The framework passes entries that look like URIs through unchanged and
    // prefixes anything else with "file://" without encoding it, which breaks
    // paths with spaces or non-ASCII letters.
    const juce::StringArray files{toFileUri (file)};
#else
    const juce::StringArray files{file.getFullPathName()};
#endif

    return juce::DragAndDropContainer::performExternalDragDropOfFiles (files, false, &source);
}

juce::String toFileUri (const juce::File& file)
{
    static const char* const hex = "0123456789ABCDEF";
    const auto path = file.getFullPathName();
    const auto* bytes = path.toRawUTF8();
    const auto numBytes = path.getNumBytesAsUTF8();

    juce::MemoryOutputStream out (numBytes * 3 + 8);
    out << "file://";

    for (size_t i = 0; i < numBytes; ++i)
    {
        const auto c = static_cast<unsigned char> (bytes[i]);

        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || c == '-' || c == '.' || c == '_' || c == '~' || c == '/')
        {
            out.writeByte (static_cast<char> (c));
        }
        else
        {
            out.writeByte ('%');
            out.writeByte (hex[c >> 4]);
            out.writeByte (hex[c & 15]);
        }
    }

    return out.toString();
}
} // namespace fry
