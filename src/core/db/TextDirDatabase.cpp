#include "core/db/TextDirDatabase.h"

namespace core::db
{
TextDirDatabase::TextDirDatabase (juce::String dir, juce::File suite)
    : directory (std::move (dir))
    , suiteFolder (std::move (suite))
{
}

TextFileDatabase& TextDirDatabase::getCreateFileDatabase (const juce::String& name)
{
    auto& slot = files[name];

    if (slot == nullptr)
        slot = std::make_unique<TextFileDatabase> (directory, name, suiteFolder);

    return *slot;
}

bool TextDirDatabase::loadFileToMap (const juce::String& name)
{
    return getCreateFileDatabase (name).loadFileToMap();
}

juce::String TextDirDatabase::getVarFromMap (const juce::String& name, const juce::String& section, const juce::String& key)
{
    return getCreateFileDatabase (name).getVarFromMap (section, key);
}

juce::String TextDirDatabase::loadVarFromFile (const juce::String& name, const juce::String& section, const juce::String& key)
{
    return getCreateFileDatabase (name).loadVarFromFile (section, key);
}

bool TextDirDatabase::loadBoolFromFile (const juce::String& name, const juce::String& section, const juce::String& key)
{
    return getCreateFileDatabase (name).loadBoolFromFile (section, key);
}

bool TextDirDatabase::fileExists (const juce::String& name)
{
    return getCreateFileDatabase (name).getDatabaseFile().existsAsFile();
}
} // namespace core::db
