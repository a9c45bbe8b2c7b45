#pragma once

#include "core/db/TextFileDatabase.h"

#include <memory>

namespace core::db
{
/** The text databases of one folder, by file name, each created on first use. */
class TextDirDatabase final
{
public:
    TextDirDatabase (juce::String directory, juce::File suiteFolder);

    TextFileDatabase& getCreateFileDatabase (const juce::String& name);
    bool loadFileToMap (const juce::String& name);
    juce::String getVarFromMap (const juce::String& name, const juce::String& section, const juce::String& key);
    juce::String loadVarFromFile (const juce::String& name, const juce::String& section, const juce::String& key);
    bool loadBoolFromFile (const juce::String& name, const juce::String& section, const juce::String& key);
    bool fileExists (const juce::String& name);

private:
    juce::String directory;
    juce::File suiteFolder;
    std::map<juce::String, std::unique_ptr<TextFileDatabase>> files;
};
} // namespace core::db
