#pragma once

#include "core/db/TextFileDatabase.h"

#include <map>
#include <memory>

/** Window and view state that views fill in while the suite runs, stored as
    the sectioned text file "App/temp/uiState.txt" under the suite folder.
    One per process, created on first use and deleted at shutdown. It starts
    with the sections the file holds, so sections no view touched are written
    back unchanged. */
class UiStateManager final
{
public:
    using UiStateVars = std::map<juce::String, juce::String>;

    /** Creates the instance for the given suite folder, replacing any earlier
        one, and loads the file's sections. */
    static UiStateManager& createInstance (const juce::File& suiteFolder);

    /** The instance; created for the running executable's suite folder when none exists. */
    static UiStateManager& getInstance();

    /** The instance, or null when none exists. */
    static UiStateManager* getInstanceWithoutCreating();

    static void deleteInstance();

    /** The key map of a section, created empty; views write their values here. */
    UiStateVars& getSection (const juce::String& section) { return sections[section]; }

    /** The value stored in the file for the section and key (empty when none). */
    juce::String loadVarFromFile (const juce::String& section, const juce::String& key);

    /** Writes every section, sorted by name, each with its keys sorted, after an
        empty line: "\r\n[section]\r\nkey=value\r\n...". */
    bool storeUiState();

    /** The text storeUiState writes. */
    juce::String buildFileText() const;

    juce::File getFile() const { return database.getDatabaseFile(); }

private:
    explicit UiStateManager (const juce::File& suiteFolder);

    core::db::TextFileDatabase database;
    std::map<juce::String, UiStateVars> sections;

    static std::unique_ptr<UiStateManager> instance;
};
