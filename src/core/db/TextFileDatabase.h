#pragma once

#include <juce_core/juce_core.h>

#include <map>

namespace core::db
{
/** A small sectioned text file: "[section]" lines and "key=value" lines,
    kept as an ordered map of sections, each an ordered map of keys. The file
    lies at suite folder / directory / (name + "." + extension). */
class TextFileDatabase final
{
public:
    using Section = std::map<juce::String, juce::String>;
    using Content = std::map<juce::String, Section>;

    TextFileDatabase (juce::String directory, juce::String name, juce::File suiteFolder);

    juce::File getDatabaseFile() const;

    /** Reloads the map from the file; a missing file gives an empty map. Always true. */
    bool loadFileToMap();

    /** The section's key map, created empty when missing. */
    Section& getCreateSection (const juce::String& section);

    /** The stored value, or an empty string; does not read the file. */
    juce::String getVarFromMap (const juce::String& section, const juce::String& key) const;

    /** Reloads the file, then returns the stored value. */
    juce::String loadVarFromFile (const juce::String& section, const juce::String& key);

    /** Reloads the file; true when the value is "1" or, in any letter case, "true". */
    bool loadBoolFromFile (const juce::String& section, const juce::String& key);

    /** Replaces the map with what the text holds. */
    void parseText (const juce::String& text);

    const Content& getContent() const { return content; }

private:
    juce::String directory, name, extension{"txt"};
    juce::File suiteFolder;
    Content content;
};

/** True for the texts a text database reads as true: "1", or "true" in any case. */
bool isTrueText (const juce::String& value);
} // namespace core::db
