#pragma once

#include "tsl/TslState.h"

#include <functional>

namespace tsl
{
/** Installs the part template the suite carries into the preferences
    folder / "Templates" and makes it the product's template while the user
    has chosen none. */
class FactoryTemplateMgr final
{
public:
    static constexpr const char* folderName = "Templates";
    static constexpr const char* templateFileName = "TSX_PARTS_TEMPLATE.sib";

    /** preferencesFolder: where the product keeps its preferences; store
        writes the product's state file. */
    FactoryTemplateMgr (TslState state, std::function<juce::File()> preferencesFolder, std::function<bool()> store);

    /** preferences folder / "Templates" / "TSX_PARTS_TEMPLATE.sib". */
    juce::File getTemplateFile() const;

    /** Writes the embedded template when the file is missing (false when that
        fails, leaving "partTemplateFile" as it was); then, while
        "partTemplateFile" is empty, sets it to the template and returns true.
        False when nothing was set. */
    bool ensureInstalled();

    /** ensureInstalled(), storing the state file when it set the template. */
    void ensureAndPersistIfNeeded();

    /** The embedded template's bytes, uncompressed. */
    static juce::MemoryBlock getEmbeddedTemplate();

private:
    TslState state;
    std::function<juce::File()> preferencesFolder;
    std::function<bool()> store;
};
} // namespace tsl
