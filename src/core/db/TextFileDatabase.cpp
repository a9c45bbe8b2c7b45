#include "core/db/TextFileDatabase.h"

namespace core::db
{
bool isTrueText (const juce::String& value)
{
    return value == "1" || value.equalsIgnoreCase ("true");
}

TextFileDatabase::TextFileDatabase (juce::String dir, juce::String fileName, juce::File suite)
    : directory (std::move (dir))
    , name (std::move (fileName))
    , suiteFolder (std::move (suite))
{
}

juce::File TextFileDatabase::getDatabaseFile() const
{
    return suiteFolder.getChildFile (directory).getChildFile (name + "." + extension);
}

bool TextFileDatabase::loadFileToMap()
{
    const auto file = getDatabaseFile();
    parseText (file.existsAsFile() ? file.loadFileAsString() : juce::String());
    return true;
}

void TextFileDatabase::parseText (const juce::String& text)
{
    content.clear();

    juce::StringArray lines;
    lines.addLines (text);

    Section* current = nullptr;

    for (auto line : lines)
    {
        line = line.trim();

        if (line.isEmpty())
            continue;

        if (line.startsWithChar ('['))
        {
            const auto sectionName = line.trimCharactersAtStart ("[").trimCharactersAtEnd ("]").trim();
            current = &content[sectionName];
            continue;
        }

        const auto eq = line.indexOfChar ('=');
        const auto key = eq < 0 ? line : line.substring (0, eq);
        const auto value = eq < 0 ? juce::String() : line.substring (eq + 1);

        if (current != nullptr && key.isNotEmpty())
            (*current)[key] = value;
    }
}

TextFileDatabase::Section& TextFileDatabase::getCreateSection (const juce::String& section)
{
    return content[section];
}

juce::String TextFileDatabase::getVarFromMap (const juce::String& section, const juce::String& key) const
{
    const auto s = content.find (section);

    if (s == content.end())
        return {};

    const auto k = s->second.find (key);
    return k == s->second.end() ? juce::String() : k->second;
}

juce::String TextFileDatabase::loadVarFromFile (const juce::String& section, const juce::String& key)
{
    loadFileToMap();
    return getVarFromMap (section, key);
}

bool TextFileDatabase::loadBoolFromFile (const juce::String& section, const juce::String& key)
{
    return isTrueText (loadVarFromFile (section, key));
}
} // namespace core::db
