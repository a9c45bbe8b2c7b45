#include "state/TreeFile.h"
#include "utils/AtomicFile.h"

namespace treefile
{
juce::String toXmlText (const juce::XmlElement& xml)
{
    // The default format already ends lines with "\r\n"; make sure of it.
    return utils::files::withCrLfLineEndings (xml.toString());
}

bool store (const juce::ValueTree& tree, const juce::File& file)
{
    const auto xml = tree.createXml();

    if (xml == nullptr)
        return false;

    return utils::files::replaceFileAtomically (file, toXmlText (*xml));
}

bool replaceFromFile (juce::ValueTree& tree, const juce::File& file)
{
    if (! file.existsAsFile())
        return false;

    // JUCE's parser closes unterminated elements by itself; a file it had to
    // mend is treated as malformed rather than half-read.
    juce::XmlDocument document (file);
    const auto xml = document.getDocumentElement();

    if (xml == nullptr || document.getLastParseError().isNotEmpty())
        return false;

    auto parsed = juce::ValueTree::fromXml (*xml);

    if (! parsed.isValid())
        return false;

    tree = parsed;
    return true;
}
} // namespace treefile
