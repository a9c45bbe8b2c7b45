#pragma once

#include <juce_data_structures/juce_data_structures.h>

/** Reading and writing property trees as XML files. */
namespace treefile
{
/** Writes the tree as XML (declaration, UTF-8, "\r\n" line endings) over the
    file, atomically, creating the parent folder when missing. */
bool store (const juce::ValueTree& tree, const juce::File& file);

/** Parses the file; on success replaces the given tree with the parsed one,
    whatever its type, and returns true. A missing or malformed file leaves
    the tree as it was and returns false. */
bool replaceFromFile (juce::ValueTree& tree, const juce::File& file);

/** The XML text the store functions write. */
juce::String toXmlText (const juce::XmlElement& xml);
} // namespace treefile

namespace treefile
{
/** Parses the file and, when its root has the tree's type, copies the
    file's properties and children into the tree in place (so listeners and
    wrappers stay bound) and returns true. A missing or malformed file, or
    one holding another type of tree, leaves the tree as it was. */
bool loadInto (juce::ValueTree& tree, const juce::File& file);
} // namespace treefile
