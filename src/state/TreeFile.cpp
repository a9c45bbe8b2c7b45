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
    if (!file.existsAsFile())
        return false;

    // JUCE's parser quietly closes an unterminated root element; a file that
    // does not end with its root's end is treated as malformed, not half-read.
    const auto text = file.loadFileAsString();
    juce::XmlDocument document (text);
    const auto xml = document.getDocumentElement();

    if (xml == nullptr || document.getLastParseError().isNotEmpty())
        return false;

    const auto ending = text.trimEnd();

    if (!ending.endsWith ("/>") && !ending.endsWith ("</" + xml->getTagName() + ">"))
        return false;

    auto parsed = juce::ValueTree::fromXml (*xml);

    if (!parsed.isValid())
        return false;

    tree = parsed;
    return true;
}
} // namespace treefile

namespace treefile
{
bool loadInto (juce::ValueTree& tree, const juce::File& file)
{
    juce::ValueTree loaded;

    if (!tree.isValid() || !replaceFromFile (loaded, file) || !loaded.hasType (tree.getType()))
        return false;

    tree.copyPropertiesAndChildrenFrom (loaded, nullptr);
    return true;
}
} // namespace treefile
